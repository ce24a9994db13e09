#pragma once
/** The cells a Grid keeps for itself: a table of texts and colours, grown to any column. */
#include "GridSource.h"

#include <vector>

class GridCells : public GridSource {
public:
    /** `columns` fixes the number of cells per row (grows with setColumns()). */
    explicit GridCells(int columns = 0) : m_columns(columns) {}

    void setColumns(int columns);
    int columns() const { return m_columns; }

    size_t rowCount() const override { return m_rows.size(); }
    void setRowCount(size_t rows) override;
    QString cellText(size_t row, int column) const override;
    void setCellText(size_t row, int column, const QString &text) override;
    int64_t cellBackColor(size_t row, int column) const override;
    void setCellBackColor(size_t row, int column, int64_t color) override;
    void removeRow(size_t row) override;

private:
    struct Cell {
        QString text;
        int64_t color = NoColor;
    };
    const Cell *cell(size_t row, int column) const;
    Cell *cell(size_t row, int column);

    int m_columns;
    std::vector<std::vector<Cell>> m_rows;
};
