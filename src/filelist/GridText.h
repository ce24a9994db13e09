#pragma once
/**
 * The list's rows read as a grid of texts. Rows are 1-based; column 1 (or any number below it) is
 * the item text, column k > 1 is sub-item k - 1. A sub-item exists up to the column-header count
 * less one. Nothing here fails: a row or sub-item that does not exist gives an empty text.
 */
#include <QString>
#include <cstdint>
#include <vector>

namespace filelist {

class ListItemsModel;

class GridText {
public:
    static QString Cell(const ListItemsModel &rows, int32_t rowIndex, int32_t columnIndex);
    /** The row's cells joined by `delimiter`, preceded by the row number and `delimiter` when
     *  `includeIndex`; empty for a row that does not exist. */
    static QString Row(const ListItemsModel &rows, int32_t index, const QString &delimiter = QStringLiteral("\t"),
                       bool includeIndex = false);
    /** The listed rows (in the order given, repeats allowed) as Row gives them, joined by
     *  `rowDelimiter`. */
    static QString Rows(const ListItemsModel &rows, const QString &rowDelimiter, const QString &columnDelimiter,
                        bool includeIndex, const std::vector<int32_t> &indexes);
    /** A column of every row, joined by `delimiter`; with `includeIndex` each entry is the row
     *  number, a tab and the cell. Empty when the list has no rows or the sub-item does not
     *  exist. */
    static QString Col(const ListItemsModel &rows, int32_t index, const QString &delimiter = QStringLiteral("\r\n"),
                       bool includeIndex = false);
    /** For every row the listed columns joined by `columnDelimiter` (preceded by the row number
     *  and `columnDelimiter` when `includeIndex`), the rows joined by `rowDelimiter`. Empty when
     *  the list has no rows or a listed sub-item does not exist. */
    static QString Cols(const ListItemsModel &rows, const QString &rowDelimiter, const QString &columnDelimiter,
                        bool includeIndex, const std::vector<int32_t> &indexes);
};

} // namespace filelist
