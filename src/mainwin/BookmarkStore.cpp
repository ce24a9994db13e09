#include "BookmarkStore.h"

#include "AppFolder.h"
#include "LineSafeText.h"
#include "TextFile.h"

#include <algorithm>

namespace mainwin {

namespace {
const QString kFileKind = QStringLiteral("the bookmarks file");
}

QString BookmarkStore::FilePath()
{
    return AppFile(QStringLiteral("bookmarks.bks"));
}

std::vector<Bookmark> BookmarkStore::read(const QString &path)
{
    QStringList lines;
    std::vector<Bookmark> out;
    if (!textfile::readLines(path, lines))
        return out;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const QString folder = lines.value(i + 1);
        if (!folder.isEmpty())
            out.push_back({lines[i], folder});
    }
    return out;
}

vb::Status BookmarkStore::write(const QString &path, const std::vector<Bookmark> &bookmarks)
{
    QStringList lines;
    lines.reserve(qsizetype(bookmarks.size() * 2));
    for (const Bookmark &b : bookmarks) {
        if (HoldsLineBreak(b.Name) || HoldsLineBreak(b.Folder))
            return vb::Status::fail(vb::BadFileNameOrNumber, LineRefusal(b.Folder, b.Name, kFileKind));
        lines << b.Name << b.Folder;
    }
    return textfile::writeLines(path, lines);
}

bool BookmarkStore::Contains(const QString &folder) const
{
    return std::any_of(m_items.begin(), m_items.end(), [&](const Bookmark &b) { return b.Folder == folder; });
}

QString BookmarkStore::DefaultName() const
{
    return QStringLiteral("Bookmark ") + QString::number(m_items.size());
}

vb::Status BookmarkStore::Add(const QString &name, const QString &folder)
{
    if (HoldsLineBreak(folder))
        return vb::Status::fail(vb::BadFileNameOrNumber, LineRefusal(folder, QString(), kFileKind));
    if (HoldsLineBreak(name))
        return vb::Status::fail(vb::BadFileNameOrNumber,
                                QStringLiteral("The name \"%1\" holds a line break, which %2 cannot keep.")
                                    .arg(ShownName(name), kFileKind));
    if (!Contains(folder))
        m_items.push_back({name, folder});
    return vb::Status::ok();
}

void BookmarkStore::RemoveAt(size_t index)
{
    if (index < m_items.size())
        m_items.erase(m_items.begin() + std::ptrdiff_t(index));
}

} // namespace mainwin
