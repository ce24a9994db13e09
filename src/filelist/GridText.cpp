#include "GridText.h"

#include "ListItemsModel.h"

#include <QStringList>
#include <optional>

namespace filelist {

namespace {

// The text of a grid column of a row, or nothing when its sub-item does not exist.
std::optional<QString> cell(const ListItemsModel &rows, int32_t row, int32_t column)
{
    if (column <= 1)
        return rows.CellText(row, 0);
    if (column - 1 > rows.ColumnHeaderCount() - 1)
        return std::nullopt;
    return rows.CellText(row, column - 1);
}

} // namespace

QString GridText::Cell(const ListItemsModel &rows, int32_t rowIndex, int32_t columnIndex)
{
    if (!rows.Exists(rowIndex))
        return QString();
    return cell(rows, rowIndex, columnIndex).value_or(QString());
}

QString GridText::Row(const ListItemsModel &rows, int32_t index, const QString &delimiter, bool includeIndex)
{
    if (!rows.Exists(index))
        return QString();
    QString text;
    for (int32_t c = 1; c <= rows.ColumnHeaderCount(); ++c) {
        if (c == 1) {
            if (includeIndex)
                text += QString::number(index) + delimiter;
            text += rows.CellText(index, 0);
        } else {
            text += delimiter + rows.CellText(index, c - 1);
        }
    }
    return text;
}

QString GridText::Rows(const ListItemsModel &rows, const QString &rowDelimiter, const QString &columnDelimiter,
                       bool includeIndex, const std::vector<int32_t> &indexes)
{
    QStringList lines;
    for (int32_t index : indexes)
        lines << Row(rows, index, columnDelimiter, includeIndex);
    return lines.join(rowDelimiter);
}

QString GridText::Col(const ListItemsModel &rows, int32_t index, const QString &delimiter, bool includeIndex)
{
    QStringList entries;
    for (int32_t r = 1; r <= rows.Count(); ++r) {
        const std::optional<QString> value = cell(rows, r, index);
        if (!value)
            return QString();
        entries << (includeIndex ? QString::number(r) + u'\t' + *value : *value);
    }
    return entries.join(delimiter);
}

QString GridText::Cols(const ListItemsModel &rows, const QString &rowDelimiter, const QString &columnDelimiter,
                       bool includeIndex, const std::vector<int32_t> &indexes)
{
    QStringList lines;
    for (int32_t r = 1; r <= rows.Count(); ++r) {
        QStringList cells;
        for (int32_t k : indexes) {
            const std::optional<QString> value = cell(rows, r, k);
            if (!value)
                return QString();
            cells << *value;
        }
        const QString prefix = includeIndex ? QString::number(r) + columnDelimiter : QString();
        lines << prefix + cells.join(columnDelimiter);
    }
    return lines.join(rowDelimiter);
}

} // namespace filelist
