#include "PreviewGridSource.h"

#include "Grid.h"

namespace renamewin {

PreviewGridSource::PreviewGridSource(engine::PreviewTable &rows, Grid &grid)
    : m_rows(rows), m_grid(grid)
{
    m_rows.setListener(this);
    m_grid.setSource(this);
}

PreviewGridSource::~PreviewGridSource()
{
    m_rows.setListener(nullptr);
    m_grid.setSource(nullptr);
}

bool PreviewGridSource::exists(size_t row, int column) const
{
    return row >= 1 && row <= m_rows.Rows() && column >= 1 && column <= engine::ColumnCount;
}

void PreviewGridSource::setRowCount(size_t rows)
{
    std::vector<engine::PreviewRow> kept(m_rows.rows().begin(),
                                         m_rows.rows().begin() + std::ptrdiff_t(std::min(rows, m_rows.Rows())));
    kept.resize(rows);
    m_rows.setRows(std::move(kept));
}

QString PreviewGridSource::cellText(size_t row, int column) const
{
    return exists(row, column) ? m_rows.CellText(row, column) : QString();
}

void PreviewGridSource::setCellText(size_t row, int column, const QString &text)
{
    if (exists(row, column))
        m_rows.setCellText(row, column, text);
}

int64_t PreviewGridSource::cellBackColor(size_t row, int column) const
{
    return exists(row, column) ? int64_t(m_rows.CellBackColor(row, column)) : NoColor;
}

void PreviewGridSource::setCellBackColor(size_t row, int column, int64_t color)
{
    if (exists(row, column))
        m_rows.setCellBackColor(row, column, color < 0 ? engine::cellcolor::White : uint32_t(color));
}

void PreviewGridSource::removeRow(size_t row)
{
    if (row < 1 || row > m_rows.Rows())
        return;
    std::vector<engine::PreviewRow> rows = m_rows.rows();
    rows.erase(rows.begin() + std::ptrdiff_t(row - 1));
    m_rows.setRows(std::move(rows));
}

void PreviewGridSource::cellsChanged(size_t firstRow, size_t lastRow, int column)
{
    m_grid.sourceCellsChanged(firstRow, lastRow, column);
}

void PreviewGridSource::rowsReset()
{
    m_grid.sourceRowsReset();
}

void PreviewGridSource::rowsAppended()
{
    m_grid.sourceRowsAppended();
}

void PreviewGridSource::redrawChanged(bool on)
{
    if (on)
        m_grid.sourceCellsChanged(1, m_rows.Rows(), 0);
    m_grid.setRedraw(on);
}

} // namespace renamewin
