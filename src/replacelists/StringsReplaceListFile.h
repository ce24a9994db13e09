#pragma once
/**
 * The replace-list file (".srl"), one format for the string and the extension replace lists:
 * the header "Corvisk Strings Replace List", the "Match Case All" box as "0" or "1", then three
 * lines per row (Match Case, From String, To String). Lines end in CR LF.
 */
#include "AppState.h"
#include "VbError.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace replacelists {

/** The rows of a replace-list dialog's grid when it opens. */
inline constexpr int GridRows = 500;

/** The first line of every replace-list file. */
inline const QString SrlHeader = QStringLiteral("Corvisk Strings Replace List");

/** The message shown for a file that is not a replace list. */
inline const QString InvalidFileMessage = QStringLiteral("Invalid File");

/** The outcome of reading a replace-list file. */
struct ReplaceListLoad {
    bool loaded = false;
    QString message;  ///< empty when loaded, else the text to show the user
    QString reason;   ///< why the file was refused, for logs and tests
    /** Line 2 when it is 0 or 1; nothing when it is another text, which leaves the box as it is. */
    std::optional<int16_t> MatchCaseAll;
    std::vector<ReplaceListEntry> Rows;      ///< the rows of the file, in order

    explicit operator bool() const { return loaded; }
};

class StringsReplaceListFile {
public:
    /**
     * Writes `rows` (grid rows 1 to the rows in use) to `path`, leaving out the rows whose From
     * String is empty, so the saved rows are numbered afresh when loaded. The file is replaced
     * only when everything was written. A cell holding a line break is refused, since one line
     * carries one cell.
     */
    static vb::Status save(const QString &path, int16_t matchCaseAll,
                           const std::vector<ReplaceListEntry> &rows);

    /**
     * Reads the file at `path` whole. It is refused with "Invalid File" when it cannot be read,
     * when its first line is not exactly the header, or when its second line is missing; and
     * with a message naming both counts when it has more rows than `maxRows`. A second line
     * that is not 0 or 1 gives no box value; the rows load all the same.
     * A last row of one or two lines is kept, its missing cells empty. Cells are taken as they
     * are: a Match Case of "Y" stays "Y" (and, not being "y", ignores case).
     */
    static ReplaceListLoad load(const QString &path, int maxRows = GridRows);
    /** The part of load() after the file was read: its lines, checked and taken as load() says. */
    static ReplaceListLoad parse(const QStringList &lines, int maxRows = GridRows);
};

} // namespace replacelists
