#pragma once
/**
 * The picture-metadata reader: reads the EXIF block of a JPEG picture and presents it as one
 * text line per directory entry, "TagName: ValueText", IFD0's entries first, then those of the
 * Exif IFD, each in file order. Value texts may be replaced or wrapped in a pattern through the
 * optional file "exif.ini".
 *
 * Reading is split in two: read() fetches the bytes that can hold the block (the first 4096
 * bytes, extended to the end of the APP1 segment that holds the marker), parse() decodes them.
 * Every offset is checked against those bytes, each directory is walked at most once, the
 * values of one picture together take a bounded number of bytes (ValueBytesPerPicture), and
 * nothing is thrown out of either step.
 */
#include "ExifEntry.h"
#include "IniReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace metadata {

class ByteSource;

class clsEXIF {
public:
    /** Outcome of the last parse. */
    enum Status : std::uint8_t { Parsed = 0, NotExif = 1, Unreadable = 2 };

    /** Reads value texts from "exif.ini" found as a program asset, when there is one. */
    clsEXIF();
    /** Reads value texts from the given profile file (empty: none). */
    explicit clsEXIF(QString iniFile);

    /** Stores the path, reads the file and parses it. Reports nothing. */
    void setImageFile(const QString &path);
    QString ImageFile() const { return m_imageFile; }

    /** Parses bytes as read() returns them; an empty array counts as an unreadable file. */
    void parse(const QByteArray &bytes);

    /** The bytes parse() needs from a file; empty when it is missing, empty or unreadable. */
    static QByteArray read(const QString &path);
    /** The same from a source already open (a file, or bytes in memory). */
    static QByteArray read(ByteSource &source);

    /** True when the TIFF header of the last parsed block began with "II". */
    bool IntelByteAlignment() const { return m_intel; }
    std::uint8_t ParseStatus() const { return m_status; }
    bool isValid() const { return m_status == Parsed; }
    const std::vector<ExifEntry> &Entries() const { return m_entries; }
    /** The profile file the value texts come from. */
    const QString &IniFile() const { return m_iniFile; }

    /**
     * Replaces the content of `list` with the lines of the last picture and returns "". When
     * the last picture was not EXIF or could not be read, `list` is left empty and the result
     * is "File is not in EXIF format." or "Could not open the file.".
     */
    QString ListInfo(QStringList &list) const;

    /**
     * The first entry with tag `l_ID`: sets `StringData` to its value text and returns its
     * value rounded to a whole number (halves to even). Without such an entry `StringData`
     * becomes "Tag <n> not found." and the result is 0. Throws vb::Error 10 ("File is not in
     * EXIF format.") or 11 ("Error parsing the file."), source "MetaInfo", after a failed read,
     * and vb::Error 6 (overflow) when the value does not fit 32 bits.
     */
    std::int32_t MetaInfo(std::int32_t l_ID, QString &StringData) const;

    /** The name of a tag: its table name, else "Tag #" and the number ("Tag #41985"). */
    static QString GetTagName(std::int32_t lID);

    /** How far into the file the marker is searched for. */
    static constexpr qint64 HeadSize = 4096;
    /** The most bytes the values of one picture's entries may take together, counted entry by
     *  entry: twice what the largest segment holds. The entries of a picture each point at
     *  their own bytes and stay well below it; without it, thousands of entries pointing at one
     *  long run of bytes would each turn the whole run into text (a 64 KiB block into hundreds
     *  of megabytes, and minutes of work). The entry that would pass it ends the walk of its
     *  directory, as a value that does not fit does. */
    static constexpr qint64 ValueBytesPerPicture = 2 * 65536;

private:
    void parseBlock(const QByteArray &bytes);
    qint64 ReadExifIfd(QByteArrayView block, qint64 tiffStart, qint64 offset,
                       std::int32_t wanted);
    void applyIni(ExifEntry &entry) const;

    QString m_imageFile;
    QString m_iniFile;
    IniReader m_ini;
    bool m_intel = false;
    std::uint8_t m_status = Unreadable;
    std::vector<ExifEntry> m_entries;
    qint64 m_valueBytesLeft = 0;
};

} // namespace metadata
