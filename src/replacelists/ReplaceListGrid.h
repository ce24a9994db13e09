#pragma once
/**
 * What a replace-list dialog edits: the cells of its grid (Match Case, From String, To String
 * per row), the count of rows in use and the "Match Case All" box, with the operations that
 * move rows between the grid, the program-wide replace table and ".srl" files. The dialog's
 * window shows and edits this model; the table changes only through `storeInto`.
 */
#include "AppState.h"
#include "StringsReplaceListFile.h"
#include "VbError.h"

#include <QString>
#include <vector>

namespace replacelists {

struct ReplaceListGrid {
    /** A grid of `rows` blank rows, none in use. */
    explicit ReplaceListGrid(int rows = GridRows);

    std::vector<ReplaceListEntry> Rows;  ///< the grid's rows; row k is Rows[k - 1]
    int RowsInUse = 0;                   ///< rows 1 to this are the list; never above Rows.size()
    int16_t MatchCaseAll = 0;            ///< the "Match Case All" box, 0 or 1

    /** Opening the dialog: the table's rows fill the grid from row 1 (as far as it has rows),
     *  every other row is blank, and the rows in use are the filled rows. */
    void openFrom(const std::vector<ReplaceListEntry> &table);

    /** OK: the table becomes exactly rows 1 to the rows in use. */
    void storeInto(std::vector<ReplaceListEntry> &table) const;

    /** Clear: blanks the cells of rows 1 to the rows in use. The rows in use and the box stay;
     *  the table is left to OK, so that Cancel still keeps the list it had. */
    void clear();

    /** "Save List": rows 1 to the rows in use with a From String, and the box. */
    vb::Status saveList(const QString &path) const;

    /**
     * "Load List": on success the file's rows fill the grid from row 1, every later row is
     * blanked, the rows in use become the file's row count and the box takes the file's value.
     * A refused file (see `StringsReplaceListFile::load`; more rows than the grid has is one)
     * changes nothing; the result's message is for the user.
     */
    ReplaceListLoad loadList(const QString &path);
};

} // namespace replacelists
