#include "ReplaceListSource.h"

#include <algorithm>
#include <utility>

namespace replacelists {

QString *ReplaceListSource::cell(size_t row, int column)
{
    if (row < 1 || row > m_rows.Rows.size())
        return nullptr;
    ReplaceListEntry &entry = m_rows.Rows[row - 1];
    switch (column) {
    case ColMatchCase: return &entry.MatchCase;
    case ColFromString: return &entry.FromString;
    case ColToString: return &entry.ToString;
    default: return nullptr;
    }
}

void ReplaceListSource::setRowCount(size_t rows)
{
    m_rows.Rows.resize(rows);
    m_rows.RowsInUse = std::min(m_rows.RowsInUse, int(rows));
}

QString ReplaceListSource::cellText(size_t row, int column) const
{
    const QString *text = const_cast<ReplaceListSource *>(this)->cell(row, column);
    return text ? *text : QString();
}

void ReplaceListSource::setCellText(size_t row, int column, const QString &text)
{
    if (QString *cellText = cell(row, column))
        *cellText = text;
}

void ReplaceListSource::removeRow(size_t row)
{
    if (row < 1 || row > m_rows.Rows.size())
        return;
    m_rows.Rows.erase(m_rows.Rows.begin() + std::ptrdiff_t(row - 1));
    m_rows.RowsInUse = std::min(m_rows.RowsInUse, int(m_rows.Rows.size()));
}

} // namespace replacelists
