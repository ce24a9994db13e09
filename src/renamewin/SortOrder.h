#pragma once
/**
 * The fourteen orders of the rename window's "Sort Files" box and the sort of the preview rows
 * by one of them. Sorting moves whole rows and is stable: rows with equal keys keep their order.
 */
#include "PreviewTable.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace renamewin {

/** How a column's cells compare (the grid's comparison codes). */
enum class SortComparison : int { Number = 100, Text = 102, Date = 200 };

struct SortOrder {
    const char16_t *Caption;
    /** The sorted column of the preview grid. */
    int Column;
    bool Descending;
    SortComparison Comparison;

    QString caption() const { return QString::fromUtf16(Caption); }
    /** The order reads the pictures' dates first. */
    bool needsPictureDates() const { return Column == engine::ColPictureTakenDate; }

    /** Sorts `rows` by this order. */
    void sort(std::vector<engine::PreviewRow> &rows) const;
};

/** The items of "Sort Files", by list position. */
inline constexpr std::array<SortOrder, 14> SortOrders{{
    {u"Name (A-Z)", engine::ColOriginal, false, SortComparison::Text},
    {u"Name (Z-A)", engine::ColOriginal, true, SortComparison::Text},
    {u"Size (Ascending)", engine::ColSize, false, SortComparison::Number},
    {u"Size (Descending)", engine::ColSize, true, SortComparison::Number},
    {u"Date Created (Old to New)", engine::ColModified, false, SortComparison::Date},
    {u"Date Created (New to Old)", engine::ColModified, true, SortComparison::Date},
    {u"Picture Taken Date (Old to New)", engine::ColPictureTakenDate, false, SortComparison::Date},
    {u"Picture Taken Date (New to Old)", engine::ColPictureTakenDate, true, SortComparison::Date},
    {u"Path (A-Z)", engine::ColPath, false, SortComparison::Text},
    {u"Path (Z-A)", engine::ColPath, true, SortComparison::Text},
    {u"FileType (A-Z)", engine::ColType, false, SortComparison::Text},
    {u"FileType (Z-A)", engine::ColType, true, SortComparison::Text},
    {u"Folder Name (A-Z)", engine::ColFolder, false, SortComparison::Text},
    {u"Folder Name (Z-A)", engine::ColFolder, true, SortComparison::Text},
}};

/**
 * The date a cell stands for: a modified-date text as the grid fill writes it or in any form
 * the date conversion reads, a picture date "yyyy:mm:dd hh:mm:ss", or a picture line
 * "Tag: date". Nothing for a cell that holds no date.
 */
std::optional<QDateTime> sortDate(const QString &cell);

} // namespace renamewin
