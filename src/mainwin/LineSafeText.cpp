#include "LineSafeText.h"

#include "PathCodec.h"

#include <sys/stat.h>

namespace mainwin {

bool HoldsLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString ShownName(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

QString LineRefusal(const QString &folder, const QString &name, const QString &fileKind)
{
    const QString path = folder + name;
    if (HoldsLineBreak(path))
        return QStringLiteral("\"%1\" holds a line break, which %2 cannot keep.").arg(ShownName(path), fileKind);
    // A name whose bytes are not UTF-8 is held as those bytes and written as them; only a text
    // that lost them (a replacement character where the item has another name) is refused.
    if (path.contains(QChar::ReplacementCharacter)) {
        struct stat st;
        if (::lstat(pathcodec::encode(path).constData(), &st) != 0)
            return QStringLiteral("\"%1\" is a name whose bytes are not UTF-8, which %2 cannot keep.")
                .arg(ShownName(path), fileKind);
    }
    return {};
}

} // namespace mainwin
