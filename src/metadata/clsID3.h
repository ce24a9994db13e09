#pragma once
/**
 * The MP3 tag reader: setting FileName reads the ID3v2 tag at the front of the file (revisions
 * 2.2, 2.3, 2.4), a Lyrics3 block (version 1 or 2) and the ID3v1 / v1.1 tag at its end, and the
 * first MPEG audio frame with any Xing, Info or VBRI header in it. The values are then held in
 * the object; ID3v2 takes precedence over Lyrics3 version 2, which takes precedence over ID3v1.
 *
 * Every read goes through a ByteSource and is bounded by the file; declared sizes are clamped
 * to it. A step that meets bad data is skipped, and nothing is thrown to the caller.
 */
#include "ByteSource.h"
#include "GenreList.h"
#include "Id3FrameTable.h"
#include "Id3v2Tag.h"
#include "MpegAudioInfo.h"
#include "MultiFrameData.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace metadata {

class clsID3 {
public:
    /** An object before its first read: every text empty, GenreID 0, ID3RevisionV2 3. */
    clsID3();

    /** The name of a genre number (see GenreList.h). */
    static QString GenreName(std::int32_t GenreID) { return metadata::GenreName(GenreID); }
    /** The number of a genre text (see GenreList.h). */
    static std::int32_t ToGenreID(const QString &Genre) { return metadata::ToGenreID(Genre); }

    /** First-frame figures (0 when the file holds no acceptable frame). */
    std::int32_t Layer() const { return m_audio.Layer(); }
    std::int32_t Padding() const { return m_audio.Padding(); }
    std::int32_t MPEGVersion() const { return m_audio.MPEGVersion(); }
    std::int32_t ChannelMode() const { return m_audio.ChannelMode(); }
    std::int32_t Encoding() const { return m_audio.Encoding(); }
    std::int32_t SamplingRateFrequency() const { return m_audio.SamplingRateFrequency(); }
    double BitRate() const { return m_audio.BitRate(); }
    double FrameSize() const { return m_audio.FrameSize(); }
    std::int32_t FrameSamples() const { return m_audio.FrameSamples(); }
    double length() const { return m_audio.length(); }

    /** Tag fields; a setter only replaces the held value. */
    QString Comments() const { return text(Id3Field::Comments); }
    void setComments(const QString &v) { setText(Id3Field::Comments, v); }
    QString Album() const { return text(Id3Field::Album); }
    void setAlbum(const QString &v) { setText(Id3Field::Album, v); }
    QString BeatsPerMinute() const { return text(Id3Field::BeatsPerMinute); }
    void setBeatsPerMinute(const QString &v) { setText(Id3Field::BeatsPerMinute, v); }
    QString Composer() const { return text(Id3Field::Composer); }
    void setComposer(const QString &v) { setText(Id3Field::Composer, v); }
    QString Genre() const { return text(Id3Field::Genre); }
    void setGenre(const QString &v) { setText(Id3Field::Genre, v); }
    /** The genre as a name shows it: `Genre`, or, when the genre frame held nothing but a number
     *  of the genre list ("(35)" or "35"), that genre's name ("House"). */
    QString NamedGenre() const;
    QString Copyright() const { return text(Id3Field::Copyright); }
    void setCopyright(const QString &v) { setText(Id3Field::Copyright, v); }
    QString EncodedBy() const { return text(Id3Field::EncodedBy); }
    void setEncodedBy(const QString &v) { setText(Id3Field::EncodedBy, v); }
    QString Lyricist() const { return text(Id3Field::Lyricist); }
    void setLyricist(const QString &v) { setText(Id3Field::Lyricist, v); }
    QString Title() const { return text(Id3Field::Title); }
    void setTitle(const QString &v) { setText(Id3Field::Title, v); }
    QString InitialKey() const { return text(Id3Field::InitialKey); }
    void setInitialKey(const QString &v) { setText(Id3Field::InitialKey, v); }
    QString Languages() const { return text(Id3Field::Languages); }
    void setLanguages(const QString &v) { setText(Id3Field::Languages, v); }
    QString OriginalAlbum() const { return text(Id3Field::OriginalAlbum); }
    void setOriginalAlbum(const QString &v) { setText(Id3Field::OriginalAlbum, v); }
    QString OriginalFileName() const { return text(Id3Field::OriginalFileName); }
    void setOriginalFileName(const QString &v) { setText(Id3Field::OriginalFileName, v); }
    QString OriginalLyricist() const { return text(Id3Field::OriginalLyricist); }
    void setOriginalLyricist(const QString &v) { setText(Id3Field::OriginalLyricist, v); }
    QString OriginalArtist() const { return text(Id3Field::OriginalArtist); }
    void setOriginalArtist(const QString &v) { setText(Id3Field::OriginalArtist, v); }
    QString OriginalReleaseYear() const { return text(Id3Field::OriginalReleaseYear); }
    void setOriginalReleaseYear(const QString &v) { setText(Id3Field::OriginalReleaseYear, v); }
    QString FileOwner() const { return text(Id3Field::FileOwner); }
    void setFileOwner(const QString &v) { setText(Id3Field::FileOwner, v); }
    QString Artist() const { return text(Id3Field::Artist); }
    void setArtist(const QString &v) { setText(Id3Field::Artist, v); }
    QString Band() const { return text(Id3Field::Band); }
    void setBand(const QString &v) { setText(Id3Field::Band, v); }
    QString Conductor() const { return text(Id3Field::Conductor); }
    void setConductor(const QString &v) { setText(Id3Field::Conductor, v); }
    QString InterpretedBy() const { return text(Id3Field::InterpretedBy); }
    void setInterpretedBy(const QString &v) { setText(Id3Field::InterpretedBy, v); }
    QString DiscNumber() const { return text(Id3Field::DiscNumber); }
    void setDiscNumber(const QString &v) { setText(Id3Field::DiscNumber, v); }
    QString DiscsTotal() const { return text(Id3Field::DiscsTotal); }
    void setDiscsTotal(const QString &v) { setText(Id3Field::DiscsTotal, v); }
    QString Publisher() const { return text(Id3Field::Publisher); }
    void setPublisher(const QString &v) { setText(Id3Field::Publisher, v); }
    QString TrackNumber() const { return text(Id3Field::TrackNumber); }
    void setTrackNumber(const QString &v) { setText(Id3Field::TrackNumber, v); }
    QString TracksTotal() const { return text(Id3Field::TracksTotal); }
    void setTracksTotal(const QString &v) { setText(Id3Field::TracksTotal, v); }
    QString InternetRadioStationName() const { return text(Id3Field::InternetRadioStationName); }
    void setInternetRadioStationName(const QString &v) { setText(Id3Field::InternetRadioStationName, v); }
    QString InternetRadioStationOwner() const { return text(Id3Field::InternetRadioStationOwner); }
    void setInternetRadioStationOwner(const QString &v) { setText(Id3Field::InternetRadioStationOwner, v); }
    QString ISRC() const { return text(Id3Field::ISRC); }
    void setISRC(const QString &v) { setText(Id3Field::ISRC, v); }
    QString Year() const { return text(Id3Field::Year); }
    void setYear(const QString &v) { setText(Id3Field::Year, v); }
    QString Lyrics() const { return text(Id3Field::Lyrics); }
    void setLyrics(const QString &v) { setText(Id3Field::Lyrics, v); }
    QString CopyrightInfo() const { return text(Id3Field::CopyrightInfo); }
    void setCopyrightInfo(const QString &v) { setText(Id3Field::CopyrightInfo, v); }
    QString AudioURL() const { return text(Id3Field::AudioURL); }
    void setAudioURL(const QString &v) { setText(Id3Field::AudioURL, v); }
    QString AudioSourceURL() const { return text(Id3Field::AudioSourceURL); }
    void setAudioSourceURL(const QString &v) { setText(Id3Field::AudioSourceURL, v); }
    QString InternetRadioURL() const { return text(Id3Field::InternetRadioURL); }
    void setInternetRadioURL(const QString &v) { setText(Id3Field::InternetRadioURL, v); }
    QString PaymentURL() const { return text(Id3Field::PaymentURL); }
    void setPaymentURL(const QString &v) { setText(Id3Field::PaymentURL, v); }
    QString PublisherURL() const { return text(Id3Field::PublisherURL); }
    void setPublisherURL(const QString &v) { setText(Id3Field::PublisherURL, v); }

    std::int32_t GenreID() const { return m_genreId; }
    void setGenreID(std::int32_t v) { m_genreId = v; }

    MultiFrameData &CommercialInfo() { return m_commercialInfo; }
    const MultiFrameData &CommercialInfo() const { return m_commercialInfo; }
    void setCommercialInfo(const MultiFrameData &v) { m_commercialInfo = v; }
    MultiFrameData &ArtistURL() { return m_artistUrl; }
    const MultiFrameData &ArtistURL() const { return m_artistUrl; }
    void setArtistURL(const MultiFrameData &v) { m_artistUrl = v; }
    MultiFrameData &AttachedPictures() { return m_attachedPictures; }
    const MultiFrameData &AttachedPictures() const { return m_attachedPictures; }
    void setAttachedPictures(const MultiFrameData &v) { m_attachedPictures = v; }

    /** The frame content (encoding byte on) that an AttachedPictures item was read from, so
     *  that the writer gives the picture back with the bytes it had; "" for an item set since. */
    QByteArray pictureContent(const QString &item) const { return m_pictureContent.value(item); }

    /** The path last set. */
    QString FileName() const { return m_fileName; }
    /** Stores the path and reads the file. */
    void setFileName(const QString &path);
    /** Reads the file FileName again. */
    void RefreshID3Tags();
    /**
     * Writes the held values into the file FileName: an ID3v2 tag at the front (the revision of
     * the old tag, 3 when there was none), a Lyrics3 version 2 block when Title, Artist or Album
     * is longer than 30 characters, and an ID3v1 tag at the end. The audio bytes are copied
     * unchanged. The file is replaced only by a complete, checked new file; on failure it stays
     * as it was and the result is false (LastWriteError() tells why). Access and modification
     * times are kept.
     */
    bool UpdateID3Tags();
    /** Empties every tag field and removes every tag from the file, as UpdateID3Tags writes. */
    bool DeleteID3Tags();
    /** Why the last UpdateID3Tags or DeleteID3Tags failed ("" after a success). */
    QString LastWriteError() const { return m_writeError; }

    /** Reads a file's bytes from any source (FileName is left as it is). */
    void parse(ByteSource &source);
    /** Reads bytes held in memory as if they were a file. */
    void parse(const QByteArray &bytes);

    bool ID3v1Exists() const { return m_id3v1Exists; }
    bool ID3v2Exists() const { return m_id3v2Exists; }
    bool Lyrics3v1Exists() const { return m_lyrics3v1Exists; }
    bool Lyrics3v2Exists() const { return m_lyrics3v2Exists; }
    /** Major revision of the ID3v2 tag; 3 when the file has none or could not be opened. */
    std::uint8_t ID3RevisionV2() const { return m_revision; }

    /** The header of the ID3v2 tag last read (all false without one). */
    const Id3v2Header &tagHeader() const { return m_tagHeader; }
    /** The audio stream of the file last read. */
    const MpegAudioInfo &audio() const { return m_audio; }
    bool LyricsTimestampFlag() const { return m_lyricsTimestampFlag; }

    /** A text field by its table entry. */
    const QString &text(Id3Field field) const { return m_text[std::size_t(field)]; }
    void setText(Id3Field field, const QString &value) { m_text[std::size_t(field)] = value; }

private:
    /** Every text field "", GenreID 255, the collections empty. */
    void clearTagFields();
    void reset();
    void ReadID3Tags(ByteSource &source);
    qint64 readId3v2(ByteSource &source);
    void storeFrame(const Id3v2Frame &frame, int revision);
    void resolveHeldValues();
    void readFileEnd(ByteSource &source, qint64 &end);
    void setIfEmpty(Id3Field field, const QString &value);
    bool rewriteFile(bool withTags);

    QString m_fileName;
    std::array<QString, Id3FieldCount> m_text;
    std::int32_t m_genreId = 0;
    MultiFrameData m_commercialInfo;
    MultiFrameData m_artistUrl;
    MultiFrameData m_attachedPictures;
    QHash<QString, QByteArray> m_pictureContent;
    QString m_writeError;
    bool m_id3v1Exists = false;
    bool m_id3v2Exists = false;
    bool m_lyrics3v1Exists = false;
    bool m_lyrics3v2Exists = false;
    std::uint8_t m_revision = 3;
    Id3v2Header m_tagHeader;
    MpegAudioInfo m_audio;
    bool m_lyricsTimestampFlag = false;

    // Values held during the frame walk and resolved after it.
    QString m_genreText;
    bool m_hasGenreText = false;
    QStringList m_trackParts;
    QStringList m_discParts;
};

} // namespace metadata
