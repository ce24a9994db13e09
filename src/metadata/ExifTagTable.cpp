#include "ExifTagTable.h"

namespace metadata {

QString GetTagName(std::int32_t lID)
{
    // Each name is made once; every entry of a tag shares its text.
    static const std::array<QString, ExifTags.size()> names = [] {
        std::array<QString, ExifTags.size()> out;
        for (std::size_t i = 0; i < ExifTags.size(); ++i)
            out[i] = QString::fromLatin1(ExifTags[i].name.data(), qsizetype(ExifTags[i].name.size()));
        return out;
    }();
    for (std::size_t i = 0; i < ExifTags.size(); ++i)
        if (ExifTags[i].number == lID)
            return names[i];
    return QStringLiteral("Tag #") + QString::number(lID);
}

} // namespace metadata
