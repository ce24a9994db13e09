#include "PreviewRowFill.h"

#include "Functions.h"
#include "PathCodec.h"

#include <sys/stat.h>

namespace renamewin {

namespace {
const QString FileFolderType = QStringLiteral("File Folder");
}

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
    engine::PreviewRow row;
    row.Original = item.Text;
    row.Path = item.Folder;
    row.Type = item.Type;
    row.Folder = folderNameOf(item.Folder);
    // Read by the name's own bytes, so that a name that is not UTF-8 finds its file.
    struct stat st {};
    const bool isFile =
        ::stat(pathcodec::encode(item.Folder + item.Text).constData(), &st) == 0 && S_ISREG(st.st_mode);
    if (item.Type != FileFolderType && isFile)
        row.Size = st.st_size;
    if (isFile)
        row.Modified = modifiedText(QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000
                                                                   + st.st_mtim.tv_nsec / 1000000));
    return row;
}

} // namespace renamewin
