#include "SavedFileList.h"

#include "Fso.h"
#include "LineSafeText.h"
#include "TextFile.h"

namespace mainwin {

namespace {

SavedFileListLoad refused(QString message, QString reason)
{
    SavedFileListLoad result;
    result.message = std::move(message);
    result.reason = std::move(reason);
    return result;
}

const QString kListKind = QStringLiteral("a file list");

} // namespace

vb::Status SavedFileList::save(const QString &path, const std::vector<FileListEntry> &entries)
{
    QStringList lines{Header()};
    lines.reserve(qsizetype(entries.size() * 2 + 1));
    for (const FileListEntry &e : entries) {
        if (const QString why = LineRefusal(e.Folder, e.Name, kListKind); !why.isEmpty())
            return vb::Status::fail(vb::BadFileNameOrNumber, why + QStringLiteral(" Nothing was saved."));
        lines << e.Folder << e.Name;
    }
    return textfile::writeLines(path, lines);
}

SavedFileListLoad SavedFileList::load(const QString &path)
{
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines, textfile::MaxListFileBytes,
                                                     [](qsizetype index) { return index > 0; }); !st)
        return refused(st.description, st.description);
    if (lines.isEmpty() || lines.front() != Header())
        return refused(InvalidFileMessage(), QStringLiteral("line 1 is not the header"));
    if (lines.size() % 2 == 0)
        return refused(InvalidFileMessage(), QStringLiteral("the last folder line has no name line"));

    SavedFileListLoad result;
    result.Entries.reserve(size_t(lines.size() / 2));
    for (qsizetype i = 1; i + 1 < lines.size(); i += 2) {
        // A name is one item of its folder: one holding "/" or being "." or ".." would make a
        // row for something else.
        if (!fso::CheckItemName(lines[i + 1]))
            return refused(InvalidFileMessage(),
                           QStringLiteral("line %1 is not the name of an item: \"%2\"").arg(i + 2).arg(textfile::quoted(lines[i + 1])));
        result.Entries.push_back({lines[i], lines[i + 1]});
    }
    result.loaded = true;
    return result;
}

} // namespace mainwin
