#pragma once
/** Column kinds and the inner list's column header. */
#include <QString>
#include <cstdint>

namespace filelist {

/** How the sort engine reads the cells of a column. */
enum ListDataType : int32_t { ldtString = 0, ldtNumber = 1, ldtDateTime = 2 };

/** Alignment of a column's caption and cells. */
enum ListColumnAlignment : int32_t { lvwColumnLeft = 0, lvwColumnRight = 1, lvwColumnCenter = 2 };

/** Sort direction of the inner list. */
enum ListSortOrder : int32_t { lvwAscending = 0, lvwDescending = 1 };

/** One column header of the inner list. */
struct ColumnHeader {
    /** The caption, shown as it is (leading blanks included). */
    QString Text;
    /** Optional key; unique among the headers when not empty. */
    QString Key;
    /** Width in twips. */
    float Width = 0;
    /** One of ListColumnAlignment. */
    int32_t Alignment = lvwColumnLeft;
    /** The column's data type written as a number. */
    QString Tag;

    bool operator==(const ColumnHeader &) const = default;
};

} // namespace filelist
