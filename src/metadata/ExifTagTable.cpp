#include "ExifTagTable.h"

namespace metadata {

QString GetTagName(std::int32_t lID)
{
    for (const ExifTagName &t : ExifTags)
        if (t.number == lID)
            return QString::fromLatin1(t.name.data(), qsizetype(t.name.size()));
    return QStringLiteral("Tag #") + QString::number(lID);
}

} // namespace metadata
