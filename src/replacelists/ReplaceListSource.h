#pragma once
/**
 * The rows of a ReplaceListGrid as the cells of a Grid: column 1 Match Case, 2 From String,
 * 3 To String. The grid then shows and edits the model itself, and removing a grid row takes
 * the row out of the model (the rows in use never pass the rows left). Cells have no colours.
 */
#include "GridSource.h"
#include "ReplaceListGrid.h"

namespace replacelists {

class ReplaceListSource : public GridSource {
public:
    static constexpr int ColMatchCase = 1;
    static constexpr int ColFromString = 2;
    static constexpr int ColToString = 3;
    static constexpr int Columns = 3;

    /** Shows `rows`, which must outlive the source. */
    explicit ReplaceListSource(ReplaceListGrid &rows) : m_rows(rows) {}

    size_t rowCount() const override { return m_rows.Rows.size(); }
    void setRowCount(size_t rows) override;
    QString cellText(size_t row, int column) const override;
    void setCellText(size_t row, int column, const QString &text) override;
    int64_t cellBackColor(size_t, int) const override { return NoColor; }
    void setCellBackColor(size_t, int, int64_t) override {}
    void removeRow(size_t row) override;

private:
    QString *cell(size_t row, int column);

    ReplaceListGrid &m_rows;
};

} // namespace replacelists
