#pragma once
/**
 * Ordering the rows by one column, reading its cells as text, numbers or dates. Each cell's key
 * is computed once; the cells themselves are never rewritten, so they keep their own texts and
 * tags. Equal keys keep their previous order in both directions.
 *
 * - Text (data type 0, and any unknown type): the cell texts, compared without regard to case.
 *   With the magnitude option on, names compare with their trailing numbers padded to a common
 *   width ("file2.txt" before "file10.txt"; MagnitudeKeys).
 * - Number (1): the value of the cell (NumberValue); a size cell written from a file uses the
 *   file's size itself, so the sort never depends on how the locale formats numbers.
 * - Date (2): the time of the cell (DateValue); a date cell written from a file uses the file's
 *   time itself. Cells that are no date come first in ascending order.
 */
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace filelist {

class ListItemsModel;

class SortEngine {
public:
    /** The new row order for sorting by `column` (1-based: 1 the item text, n the sub-item
     *  n - 1): element i is the old 0-based position of new row i. */
    static std::vector<int32_t> Order(const ListItemsModel &rows, int32_t column, int32_t dataType,
                                      bool ascending, bool magnitude);

    /** A cell as a number: the whole text when it reads as a number in the locale (group
     *  separators, sign); otherwise the leading number of the text without its "," and group
     *  separators ("1,234 KB" is 1234, "" is 0). */
    static double NumberValue(const QString &text);
    /** A cell as a time (seconds since the epoch, local time): the list's own date texts
     *  ("2024/5/9 3:07:05 PM", 12-hour clock with 12 AM at midnight), else any date the
     *  locale reads. */
    static std::optional<qint64> DateValue(const QString &text);
    /** The magnitude keys of a column: each text less its last four characters (the
     *  extension), with its numeric tail replaced by the tail's whole value zero-padded to the
     *  longest tail of the column. Texts shorter than four characters are taken whole. */
    static std::vector<QString> MagnitudeKeys(const std::vector<QString> &texts);
};

} // namespace filelist
