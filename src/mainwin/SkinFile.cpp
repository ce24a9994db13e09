#include "SkinFile.h"

#include "TextFile.h"

#include <QStringDecoder>

namespace mainwin {

namespace {

constexpr qint64 kMaxSkinSize = 512 * 1024;

} // namespace

QString SkinFile::FileName()
{
    return QStringLiteral("Royale.cjstyles");
}

std::optional<QString> SkinFile::load(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QByteArray bytes;
    if (!textfile::readBytes(path, bytes, kMaxSkinSize))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString sheet = utf8.decode(bytes);
    if (utf8.hasError() || !wellFormed(sheet))
        return std::nullopt;
    return sheet;
}

bool SkinFile::wellFormed(const QString &sheet)
{
    if (sheet.trimmed().isEmpty() || sheet.contains(QChar(0)))
        return false;
    bool inBlock = false;
    bool selectorSeen = false;
    const qsizetype n = sheet.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sheet[i];
        if (c == u'/' && i + 1 < n && sheet[i + 1] == u'*') {
            const qsizetype end = sheet.indexOf(QStringLiteral("*/"), i + 2);
            if (end < 0)
                return false;
            i = end + 1;
        } else if (c == u'"' || c == u'\'') {
            const qsizetype end = sheet.indexOf(c, i + 1);
            if (end < 0)
                return false;
            i = end;
        } else if (c == u'{') {
            if (inBlock || !selectorSeen)
                return false;
            inBlock = true;
        } else if (c == u'}') {
            if (!inBlock)
                return false;
            inBlock = false;
            selectorSeen = false;
        } else if (!inBlock && !c.isSpace()) {
            selectorSeen = true;
        }
    }
    return !inBlock && !selectorSeen;
}

} // namespace mainwin
