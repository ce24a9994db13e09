#pragma once
/**
 * Shows the preview rows in the preview grid: the grid reads and writes the rows' cells through
 * it, and it passes the rows' change notices on to the grid.
 */
#include "GridSource.h"
#include "PreviewTable.h"

class Grid;

namespace renamewin {

class PreviewGridSource : public GridSource, public engine::PreviewTableListener {
public:
    /** Shows `rows` in `grid`; both must outlive this object. */
    PreviewGridSource(engine::PreviewTable &rows, Grid &grid);
    ~PreviewGridSource() override;

    size_t rowCount() const override { return m_rows.Rows(); }
    void setRowCount(size_t rows) override;
    QString cellText(size_t row, int column) const override;
    void setCellText(size_t row, int column, const QString &text) override;
    int64_t cellBackColor(size_t row, int column) const override;
    void setCellBackColor(size_t row, int column, int64_t color) override;
    void removeRow(size_t row) override;

    void cellsChanged(size_t firstRow, size_t lastRow, int column) override;
    void rowsReset() override;
    void rowsAppended() override;
    void redrawChanged(bool on) override;

private:
    bool exists(size_t row, int column) const;

    engine::PreviewTable &m_rows;
    Grid &m_grid;
};

} // namespace renamewin
