#pragma once
/**
 * The cells a Grid shows: rows of text cells with an optional background colour each. A grid
 * either keeps its own cells (GridCells) or shows rows that live elsewhere (the rename window's
 * preview rows); such a source tells its grid about changes through Grid::sourceRowsReset() and
 * Grid::sourceCellsChanged(). Rows and columns are numbered from 1.
 */
#include <QString>
#include <cstddef>
#include <cstdint>

class GridSource {
public:
    /** The colour of a cell that has none of its own. */
    static constexpr int64_t NoColor = -1;

    virtual ~GridSource() = default;

    virtual size_t rowCount() const = 0;
    /** Gives the source `rows` rows: new rows are empty, rows beyond are dropped. */
    virtual void setRowCount(size_t rows) = 0;

    /** The text of a cell; empty for a cell that does not exist. */
    virtual QString cellText(size_t row, int column) const = 0;
    /** Sets a cell's text; a cell that does not exist is ignored. */
    virtual void setCellText(size_t row, int column, const QString &text) = 0;

    /** A cell's background colour as 0xBBGGRR, or NoColor. */
    virtual int64_t cellBackColor(size_t row, int column) const = 0;
    virtual void setCellBackColor(size_t row, int column, int64_t color) = 0;

    /** Removes one row (1-based); nothing happens for a row that does not exist. */
    virtual void removeRow(size_t row) = 0;
};
