#include "PreviewRowFill.h"

#include "Functions.h"
#include "PathCodec.h"
#include "ShellTypeName.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>

namespace renamewin {

QString folderNameOf(const QString &path)
{
    // The parent is the path's own beginning: only that is taken off (the root "/" also
    // occurs inside the path, so removing every occurrence would eat the separators).
    const QString parent = common::ParentFolder(path);
    const QString name = parent != path && path.startsWith(parent) ? path.mid(parent.size()) : QString();
    return name.isEmpty() ? QString() : name.left(name.size() - 1);
}

QString modifiedText(const QDateTime &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QString modifiedText(qint64 secsSinceEpoch)
{
    // localtime_r keeps the zone it loaded (a QDateTime in local time would look it up afresh);
    // only a change of TZ loads it again.
    static thread_local std::string loadedFor;
    static thread_local bool loaded = false;
    const char *zone = std::getenv("TZ");
    bool zoneChanged = false;
    if (!loaded || loadedFor != (zone ? zone : "\n")) {
        zoneChanged = true;
        ::tzset();
        loadedFor = zone ? zone : "\n";  // a line break stands for no TZ at all
        loaded = true;
    }
    // Files written together share their time: the last text is kept (and shared).
    static thread_local qint64 lastSecs = 0;
    static thread_local QString lastText;
    if (!lastText.isNull() && secsSinceEpoch == lastSecs && !zoneChanged)
        return lastText;
    const time_t t = time_t(secsSinceEpoch);
    struct tm local;
    if (!::localtime_r(&t, &local))
        return {};
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    lastSecs = secsSinceEpoch;
    lastText = n > 0 && size_t(n) < sizeof text ? QString::fromLatin1(text, n) : QString();
    return lastText;
}

bool isPictureType(const QString &type)
{
    return type == QLatin1String("JPEG Image") || type == QLatin1String("JPEG file");
}

QString pictureDateLine(const QStringList &exifLines)
{
    for (const char *tag : {"DateTimeOriginal: ", "DateTime: "}) {
        for (const QString &line : exifLines) {
            if (line.startsWith(QLatin1String(tag)))
                return line;
        }
    }
    return {};
}

engine::PreviewRow previewRowOf(const MainListItem &item)
{
    return previewRowOf(item, folderNameOf(item.Folder));
}

engine::PreviewRow previewRowOf(const MainListItem &item, const QString &folderName)
{
    engine::PreviewRow row;
    row.Original = item.Text;
    row.Path = item.Folder;
    row.Type = item.Type;
    row.Folder = folderName;
    const bool isFolder = item.Type == ShellFolderTypeName;
    if (!isFolder && item.SizeBytes >= 0 && item.LastWriteSecs != MainListItem::NoTime) {
        row.Size = item.SizeBytes;
        row.Modified = modifiedText(item.LastWriteSecs);
        return row;
    }
    // One status read per row, by the name's own bytes, so that a name that is not UTF-8 finds
    // its file.
    // A folder's size is 0 whatever it holds; an item that is not a file that can be read (gone
    // since the list was read) has no size at all: its "Size" cell stays empty.
    struct stat st {};
    if (::stat(pathcodec::encode(item.Folder + item.Text).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        if (!isFolder)
            row.Size = st.st_size;
        row.Modified = modifiedText(qint64(st.st_mtim.tv_sec));
    } else if (!isFolder) {
        row.NoSize = true;
    }
    return row;
}

} // namespace renamewin
