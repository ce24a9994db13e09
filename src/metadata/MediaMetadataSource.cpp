#include "MediaMetadataSource.h"

#include <utility>

namespace metadata {

MediaMetadataSource::MediaMetadataSource() : m_useAsset(true) {}

MediaMetadataSource::MediaMetadataSource(QString exifIniFile)
    : m_iniFile(std::move(exifIniFile)), m_useAsset(false)
{
}

MediaMetadataSource::~MediaMetadataSource() = default;

void MediaMetadataSource::beginRun()
{
    m_exif.reset();
    m_id3.reset();
}

void MediaMetadataSource::endRun()
{
    m_exif.reset();
    m_id3.reset();
}

clsEXIF &MediaMetadataSource::pictures()
{
    if (!m_exif)
        m_exif = m_useAsset ? std::make_unique<clsEXIF>() : std::make_unique<clsEXIF>(m_iniFile);
    return *m_exif;
}

QStringList MediaMetadataSource::exifLines(const QString &fullPath)
{
    QStringList lines;
    try {
        clsEXIF &exif = pictures();
        exif.setImageFile(fullPath);
        exif.ListInfo(lines);
    } catch (...) {
        lines.clear();
    }
    return lines;
}

void MediaMetadataSource::setMusicFile(const QString &fullPath)
{
    try {
        m_id3 = std::make_unique<clsID3>();
        m_id3->setFileName(fullPath);
    } catch (...) {
        m_id3.reset();
    }
}

QString MediaMetadataSource::musicText(engine::Id3Field field) const
{
    if (!m_id3)
        return {};
    const clsID3 &t = *m_id3;
    using F = engine::Id3Field;
    switch (field) {
    case F::Album: return t.Album();
    case F::Artist: return t.Artist();
    case F::Band: return t.Band();
    case F::Composer: return t.Composer();
    case F::Conductor: return t.Conductor();
    case F::Copyright: return t.Copyright();
    case F::Genre: return t.NamedGenre();
    case F::OriginalAlbum: return t.OriginalAlbum();
    case F::OriginalArtist: return t.OriginalArtist();
    case F::OriginalFileName: return t.OriginalFileName();
    case F::OriginalLyricist: return t.OriginalLyricist();
    case F::OriginalReleaseYear: return t.OriginalReleaseYear();
    case F::Publisher: return t.Publisher();
    case F::Title: return t.Title();
    case F::TrackNumber: return t.TrackNumber();
    case F::TracksTotal: return t.TracksTotal();
    case F::Year: return t.Year();
    case F::BitRate:
    case F::Length:
    case F::SamplingRateFrequency:
        break;
    }
    return {};
}

double MediaMetadataSource::musicNumber(engine::Id3Field field) const
{
    if (!m_id3)
        return 0;
    switch (field) {
    case engine::Id3Field::BitRate: return m_id3->BitRate();
    case engine::Id3Field::Length: return m_id3->length();
    case engine::Id3Field::SamplingRateFrequency: return m_id3->SamplingRateFrequency();
    default: return 0;
    }
}

} // namespace metadata
