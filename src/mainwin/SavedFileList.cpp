#include "SavedFileList.h"

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

const QString kFileKind = QStringLiteral("a file list");

} // namespace

vb::Status SavedFileList::save(const QString &path, const std::vector<FileListEntry> &entries)
{
    QStringList lines{Header()};
    lines.reserve(qsizetype(entries.size() * 2 + 1));
    for (const FileListEntry &e : entries) {
        if (const QString why = LineRefusal(e.Folder, e.Name, kFileKind); !why.isEmpty())
            return vb::Status::fail(vb::BadFileNameOrNumber, why + QStringLiteral(" Nothing was saved."));
        lines << e.Folder << e.Name;
    }
    return textfile::writeLines(path, lines);
}

SavedFileListLoad SavedFileList::load(const QString &path)
{
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines); !st)
        return refused(st.description, st.description);
    if (lines.isEmpty() || lines.front() != Header())
        return refused(InvalidFileMessage(), QStringLiteral("line 1 is not the header"));
    if (lines.size() % 2 == 0)
        return refused(InvalidFileMessage(), QStringLiteral("the last folder line has no name line"));

    SavedFileListLoad result;
    result.loaded = true;
    result.Entries.reserve(size_t(lines.size() / 2));
    for (qsizetype i = 1; i + 1 < lines.size(); i += 2)
        result.Entries.push_back({lines[i], lines[i + 1]});
    return result;
}

} // namespace mainwin
