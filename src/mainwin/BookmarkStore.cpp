#include "BookmarkStore.h"

#include "AppFolder.h"
#include "LineSafeText.h"
#include "TextFile.h"

#include <algorithm>

namespace mainwin {

namespace {
const QString kBookmarksKind = QStringLiteral("the bookmarks file");

// The folder lines are names, kept byte for byte; the bookmark names are text.
bool isBookmarkFolderLine(qsizetype index)
{
    return index % 2 == 1;
}
} // namespace

QString BookmarkStore::FilePath()
{
    return AppFile(QStringLiteral("bookmarks.bks"));
}

vb::Status BookmarkStore::read(const QString &path, std::vector<Bookmark> &out)
{
    out.clear();
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines, textfile::MaxListFileBytes, isBookmarkFolderLine); !st)
        return st.number == vb::FileNotFound ? vb::Status::ok() : st;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const QString folder = lines.value(i + 1);
        if (!folder.isEmpty())
            out.push_back({lines[i], folder});
    }
    return vb::Status::ok();
}

std::vector<Bookmark> BookmarkStore::read(const QString &path)
{
    std::vector<Bookmark> out;
    if (!read(path, out))
        out.clear();
    return out;
}

vb::Status BookmarkStore::Load(const QString &path)
{
    m_readFailure = read(path, m_items);
    return m_readFailure;
}

vb::Status BookmarkStore::Save(const QString &path) const
{
    if (ReadFailed())
        return vb::Status::fail(m_readFailure.number,
                                QStringLiteral("The bookmarks file could not be read, so it was left as it is."));
    return write(path, m_items);
}

vb::Status BookmarkStore::write(const QString &path, const std::vector<Bookmark> &bookmarks)
{
    QStringList lines;
    lines.reserve(qsizetype(bookmarks.size() * 2));
    for (const Bookmark &b : bookmarks) {
        if (HoldsLineBreak(b.Name) || HoldsLineBreak(b.Folder))
            return vb::Status::fail(vb::BadFileNameOrNumber, LineRefusal(b.Folder, b.Name, kBookmarksKind));
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
    if (const QString why = LineRefusal(folder, QString(), kBookmarksKind); !why.isEmpty())
        return vb::Status::fail(vb::BadFileNameOrNumber, why);
    if (HoldsLineBreak(name))
        return vb::Status::fail(vb::BadFileNameOrNumber,
                                QStringLiteral("The name \"%1\" holds a line break, which %2 cannot keep.")
                                    .arg(ShownName(name), kBookmarksKind));
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
