#pragma once
/**
 * The saved file list (".lst"): the header "Corvisk File List", then two lines per entry, the
 * item's folder as the list shows it and then its name. Lines end in CR LF.
 */
#include "VbError.h"

#include <QString>
#include <vector>

namespace mainwin {

/** One item of a file list: its folder (ending in "/") and its name. */
struct FileListEntry {
    QString Folder;
    QString Name;

    bool operator==(const FileListEntry &) const = default;
};

/** The outcome of reading a saved file list. */
struct SavedFileListLoad {
    bool loaded = false;
    QString message;  ///< empty when loaded, else the text to show the user
    QString reason;   ///< why the file was refused, for logs and tests
    std::vector<FileListEntry> Entries;

    explicit operator bool() const { return loaded; }
};

class SavedFileList {
public:
    /** The first line of every saved file list. */
    static QString Header() { return QStringLiteral("Corvisk File List"); }
    /** The text shown for a file that is not a saved file list. */
    static QString InvalidFileMessage() { return QStringLiteral("Invalid File"); }

    /**
     * Writes the header and the entries to `path`, replacing the file only when everything was
     * written. An entry that cannot sit on its lines (a line break, a name that is not UTF-8)
     * refuses the whole save with a text naming it, and nothing is written.
     */
    static vb::Status save(const QString &path, const std::vector<FileListEntry> &entries);

    /**
     * Reads the whole file before anything is taken from it. Refused with "Invalid File" when
     * line 1 is not exactly the header or a folder line has no name line after it; with the
     * error's own text when the file cannot be read.
     */
    static SavedFileListLoad load(const QString &path);
};

} // namespace mainwin
