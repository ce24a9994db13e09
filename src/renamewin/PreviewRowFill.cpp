#include "PreviewRowFill.h"

#include "Functions.h"

#include <QFileInfo>

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
    const QFileInfo file(item.Folder + item.Text);
    if (item.Type != FileFolderType && file.isFile())
        row.Size = file.size();
    if (file.isFile())
        row.Modified = modifiedText(file.lastModified());
    return row;
}

} // namespace renamewin
