#pragma once
/**
 * Where the "$Exif_" and "$MP3_ID3_" tokens get their data: the picture reader's lines
 * ("TagName: value", the lstExif list) and the music reader's properties. The preview run tells
 * the source when a run starts and ends, loads the music file of every ".mp3" row and reads the
 * lines of every "JPEG Image" row. A source never throws and never reports: an unreadable file
 * simply yields no lines or empty properties.
 */
#include <QString>
#include <QStringList>

namespace engine {

/** The music reader's properties that the "$MP3_ID3_" words name. */
enum class Id3Field : int {
    Album,
    Artist,
    Band,
    BitRate,                ///< number
    Composer,
    Conductor,
    Copyright,
    Genre,
    Length,                 ///< number (the reader's `length`)
    OriginalAlbum,
    OriginalArtist,
    OriginalFileName,
    OriginalLyricist,
    OriginalReleaseYear,
    Publisher,
    SamplingRateFrequency,  ///< whole number
    Title,
    TrackNumber,
    TracksTotal,
    Year,
};

class MetadataSource {
public:
    virtual ~MetadataSource() = default;

    /** A preview run starts: fresh readers (those of an earlier run are dropped). */
    virtual void beginRun() {}
    /** The run ended: the readers may be released. */
    virtual void endRun() {}

    /** The lines of the picture at `fullPath`, one per tag: the tag name, ": " and the value
     *  text. Empty when the file cannot be read or holds no picture data. */
    virtual QStringList exifLines(const QString &fullPath) = 0;

    /** Points the music reader at `fullPath` (the tags are read now); a file that cannot be
     *  read leaves every property empty or 0. */
    virtual void setMusicFile(const QString &fullPath) = 0;
    /** A text property of the music file last set; empty when absent. */
    virtual QString musicText(Id3Field field) const = 0;
    /** A number property (BitRate, Length, SamplingRateFrequency) of that file; 0 when absent. */
    virtual double musicNumber(Id3Field field) const = 0;
};

/** A source without any data: every picture is unreadable, every music property empty. */
class NoMetadata : public MetadataSource {
public:
    QStringList exifLines(const QString &) override { return {}; }
    void setMusicFile(const QString &) override {}
    QString musicText(Id3Field) const override { return {}; }
    double musicNumber(Id3Field) const override { return 0; }
};

} // namespace engine
