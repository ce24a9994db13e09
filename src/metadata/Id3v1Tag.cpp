#include "Id3v1Tag.h"

#include "VbString.h"

namespace metadata {

namespace {

QString field(const QByteArray &bytes, qsizetype start, qsizetype length)
{
    QByteArray raw = bytes.mid(start, length);
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0)
        raw.truncate(nul);
    return vb::RTrim(QString::fromLatin1(raw));
}

} // namespace

std::optional<Id3v1Tag> Id3v1Tag::parse(const QByteArray &bytes)
{
    if (bytes.size() != Size || !bytes.startsWith("TAG"))
        return std::nullopt;
    Id3v1Tag tag;
    tag.Title = field(bytes, 3, 30);
    tag.Artist = field(bytes, 33, 30);
    tag.Album = field(bytes, 63, 30);
    tag.Year = field(bytes, 93, 4);
    if (bytes[125] == 0 && bytes[126] != 0) {
        tag.Comments = field(bytes, 97, 28);
        tag.track = static_cast<unsigned char>(bytes[126]);
    } else {
        tag.Comments = field(bytes, 97, 30);
    }
    tag.genre = static_cast<unsigned char>(bytes[127]);
    return tag;
}

} // namespace metadata
