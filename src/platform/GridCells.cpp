#include "GridCells.h"

#include <utility>

void GridCells::setColumns(int columns)
{
    m_columns = columns;
    for (std::vector<Cell> &row : m_rows)
        row.resize(size_t(columns));
}

void GridCells::setRowCount(size_t rows)
{
    m_rows.resize(rows, std::vector<Cell>(size_t(m_columns)));
}

const GridCells::Cell *GridCells::cell(size_t row, int column) const
{
    if (row < 1 || row > m_rows.size() || column < 1 || column > m_columns)
        return nullptr;
    return &m_rows[row - 1][size_t(column - 1)];
}

GridCells::Cell *GridCells::cell(size_t row, int column)
{
    return const_cast<Cell *>(std::as_const(*this).cell(row, column));
}

QString GridCells::cellText(size_t row, int column) const
{
    const Cell *c = cell(row, column);
    return c ? c->text : QString();
}

void GridCells::setCellText(size_t row, int column, const QString &text)
{
    if (Cell *c = cell(row, column))
        c->text = text;
}

int64_t GridCells::cellBackColor(size_t row, int column) const
{
    const Cell *c = cell(row, column);
    return c ? c->color : NoColor;
}

void GridCells::setCellBackColor(size_t row, int column, int64_t color)
{
    if (Cell *c = cell(row, column))
        c->color = color;
}

void GridCells::removeRow(size_t row)
{
    if (row >= 1 && row <= m_rows.size())
        m_rows.erase(m_rows.begin() + std::ptrdiff_t(row - 1));
}
