#pragma once
/**
 * A grid of text cells with keyed columns, cell background colours, a redraw switch and in-cell
 * editing, over Qt's model/view. The grid shows a GridSource: its own GridCells unless another
 * source is set. Rows and columns are numbered from 1; colours are 0xBBGGRR values.
 *
 * Changes of the source are shown in batches: a burst of changes (a long loop writing rows)
 * repaints a few times a second rather than once per cell; flush() shows them at once. While
 * redrawing is off nothing is repainted; switching it on shows everything.
 *
 * Editing is driven by the window that owns the editor: a double click, F2 or a typed character
 * on a cell asks for an edit (requestEdit, which may refuse it); EndEdit() then announces the
 * end (editEnding, where the owner writes its text back) and closes the edit (editClosed);
 * CancelEdit() closes it without editEnding. A click on another cell or a scroll ends the edit.
 */
#include "GridCells.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class QTableView;
class GridModel;

class Grid : public QWidget {
    Q_OBJECT
public:
    /** Header alignment codes of AddColumn. */
    enum Alignment : int { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    // Columns.
    /** Appends a column; returns its number. */
    int AddColumn(const QString &key, const QString &header, int alignment = AlignLeft);
    int Columns() const { return int(m_columns.size()); }
    /** The number of the column with this key; 0 when there is none. */
    int ColumnIndex(const QString &key) const;
    QString ColumnKey(int column) const;
    QString ColumnHeader(int column) const;
    /** The header alignment code the column was added with. */
    int ColumnAlignment(int column) const;
    /** Width in pixels. */
    int ColumnWidth(int column) const;
    void setColumnWidth(int column, int pixels);
    bool ColumnVisible(int column) const;
    void setColumnVisible(int column, bool visible);

    // Rows and cells.
    size_t Rows() const;
    /** Sizes the grid to `rows` rows: new rows are empty. */
    void setRows(size_t rows);
    /** Appends one empty row; returns its number. */
    size_t AddRow();
    void RemoveRow(size_t row);
    /** Removes every row; the columns stay. */
    void Clear();
    QString CellText(size_t row, int column) const;
    void setCellText(size_t row, int column, const QString &text);
    /** A cell's background colour; GridSource::NoColor (-1) for a cell without one. */
    int64_t CellBackColor(size_t row, int column) const;
    void setCellBackColor(size_t row, int column, int64_t color);
    QFont CellFont(size_t row, int column) const;
    /** The grid's own background colour (0xBBGGRR). */
    int64_t BackColor() const;
    /** The width inside the grid's border, in pixels. */
    int InnerWidth() const;
    /** A cell's rectangle in the grid's coordinates; empty when the cell is not laid out. */
    QRect CellBoundary(size_t row, int column);

    // The current cell (0 when there is none).
    size_t SelectedRow() const;
    int SelectedCol() const;
    void setSelected(size_t row, int column);

    // Display.
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);
    bool GridLines() const;
    void setGridLines(bool on);
    /** The last visible column takes the width the others leave. */
    void setStretchLastColumn(bool on);
    bool Editable() const { return m_editable; }
    void setEditable(bool on);

    // Editing.
    bool isEditing() const { return m_editing; }
    size_t EditRow() const { return m_editing ? m_editRow : 0; }
    int EditCol() const { return m_editing ? m_editCol : 0; }
    /** Asks for an edit of a cell as a user's action would (requestEdit decides). */
    void StartEdit(size_t row, int column, int keyAscii = 0);
    /** Ends the edit: editEnding, then editClosed. Nothing happens without an edit. */
    void EndEdit();
    /** Abandons the edit: editClosed only. */
    void CancelEdit();

    // The source.
    /** Shows `source` (not owned) instead of the grid's own cells; nullptr goes back to them. */
    void setSource(GridSource *source);
    GridSource &source() const { return *m_source; }
    /** The source's rows were added, removed or replaced. */
    void sourceRowsReset();
    /** Rows were appended to the source after its last one; nothing else changed. */
    void sourceRowsAppended();
    /** Cells of `column` (0: all) in rows `firstRow` to `lastRow` changed in the source. */
    void sourceCellsChanged(size_t firstRow, size_t lastRow, int column);
    /** Shows every pending change now. */
    void flush();

    /** A 0xBBGGRR colour value as a QColor and back. */
    static QColor toQColor(int64_t color);
    static int64_t colorValue(const QColor &color);

    /** The view inside (for styling and tests). */
    QTableView *view() const { return m_view; }

signals:
    /** A cell was double-clicked (it is the current cell now). */
    void dblClick();
    /** An edit of a cell is asked for; `keyAscii` is the character (code point) that started it, or 0. Set
     *  `*cancel` to refuse it. Connect directly. */
    void requestEdit(int row, int column, int keyAscii, bool *cancel);
    /** The edit of the cell is ending (before it closes). */
    void editEnding(int row, int column);
    /** The edit has closed. */
    void editClosed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Column {
        QString key;
        QString header;
        int alignment = AlignLeft;
    };

    void scheduleFlush();
    void changedNow(size_t row, int column);

    QTableView *m_view;
    GridModel *m_model;
    GridCells m_cells;
    GridSource *m_source;
    std::vector<Column> m_columns;
    QTimer m_flushTimer;
    bool m_redraw = true;
    bool m_editable = false;
    bool m_editing = false;
    bool m_ending = false;
    size_t m_editRow = 0;
    int m_editCol = 0;
};
