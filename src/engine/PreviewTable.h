#pragma once
/**
 * The rows of the rename window's preview grid `GridPre`: one `PreviewRow` per file or folder
 * with the columns "Original", "Preview", "Path", "Size", "Modified", "Folder", "Type" and
 * "Picture Taken Date", and a background colour per cell. The rename window fills the rows and
 * shows them through a thin model; the engine writes "Preview" (and "Original" after renaming)
 * and the cell colours. Rows and columns are numbered from 1, as the grid numbers them.
 */
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace engine {

/** Column numbers of `GridPre`. */
enum Column : int {
    ColOriginal = 1,
    ColPreview = 2,
    ColPath = 3,
    ColSize = 4,
    ColModified = 5,
    ColFolder = 6,
    ColType = 7,
    ColPictureTakenDate = 8,
};
inline constexpr int ColumnCount = 8;

/** The column headings, index 0 for column 1. */
inline constexpr std::array<const char16_t *, ColumnCount> ColumnHeadings = {
    u"Original", u"Preview", u"Path", u"Size", u"Modified", u"Folder", u"Type",
    u"Picture Taken Date"};

/** Cell background colours in the Windows colour form (red in the low byte, then green, then
 *  blue). */
namespace cellcolor {
inline constexpr uint32_t White = 0xFFFFFF;      ///< reset of a validation
inline constexpr uint32_t Changed = 0xB8F9AC;    ///< light green: Preview differs from Original
inline constexpr uint32_t Unchanged = 0xFFFF00;  ///< cyan: Preview equals Original
inline constexpr uint32_t Duplicate = 0x0000FF;  ///< red (255): another row has the same target
} // namespace cellcolor

/** A text most rows leave empty, held in a pointer's room: an empty text takes no more. */
class SparseText {
public:
    SparseText() = default;
    SparseText(const QString &text) { *this = text; }
    SparseText(const SparseText &other) { *this = other.text(); }
    SparseText &operator=(const SparseText &other) { return *this = other.text(); }
    SparseText(SparseText &&) noexcept = default;
    SparseText &operator=(SparseText &&) noexcept = default;
    SparseText &operator=(const QString &text)
    {
        if (text.isEmpty())
            m_text.reset();
        else
            m_text = std::make_unique<QString>(text);
        return *this;
    }
    QString text() const { return m_text ? *m_text : QString(); }
    operator QString() const { return text(); }
    bool isEmpty() const { return !m_text; }

private:
    std::unique_ptr<QString> m_text;
};

/** One row of `GridPre`. */
struct PreviewRow {
    QString Original;          ///< the item's current name, extension included
    QString Preview;           ///< the new name
    QString Path;              ///< the item's folder, ending in "/": Path + name is the full path
    int64_t Size = 0;          ///< the file size in bytes; 0 for a folder (and when NoSize)
    QString Modified;          ///< the item's date text
    QString Folder;            ///< the folder name
    QString Type;              ///< the shell's type name ("File Folder", "JPEG Image", ...)
    SparseText PictureTakenDate;  ///< picture date, for sorting
    /** Background colour of each cell, index 0 for column 1, as its place in the table's
     *  colours (a byte rather than the colour: the grid holds many rows). 0 is white; read and
     *  set them through PreviewTable::CellBackColor() and setCellBackColor(). */
    std::array<uint8_t, ColumnCount> BackColor{};
    /** The last "Rename Now!" failed on this row and coloured its "Preview" cell for it; the
     *  next preview of the row takes that colour away. */
    bool RenameFailed = false;
    /** The row has no size: its item could not be read when the row was filled (a file gone
     *  since the list was read). The "Size" cell is then empty; Size stays 0. */
    bool NoSize = false;
};
// The grid may hold a hundred thousand rows: the flags live in the row's padding.
static_assert(sizeof(void *) != 8 || sizeof(PreviewRow) <= 176, "a PreviewRow grew");

/** The text of column `column` of a row as the grid shows it: "Size" as its number, or empty for
 *  a row without a size; a column past "Type" gives the picture date. */
QString cellTextOf(const PreviewRow &row, int column);

/** Told about changes of the table, so a view can repaint (in batches, as it likes). */
class PreviewTableListener {
public:
    virtual ~PreviewTableListener() = default;
    /** Cells of `column` (0: every column) in rows `firstRow` to `lastRow` changed. */
    virtual void cellsChanged(size_t firstRow, size_t lastRow, int column) = 0;
    /** Rows were added, removed or replaced as a whole. */
    virtual void rowsReset() = 0;
    /** Rows were appended after the last one; nothing else changed. */
    virtual void rowsAppended() { rowsReset(); }
    /** The redraw switch was turned on (true) or off. */
    virtual void redrawChanged(bool /*on*/) {}
};

/** The grid's rows and the operations the engine uses on them. */
class PreviewTable {
public:
    /** The number of rows (`Rows`). */
    size_t Rows() const { return m_rows.size(); }

    /** Row `row` (1 to Rows()). Direct access; changes made through it are not announced. */
    PreviewRow &row(size_t row) { return m_rows[row - 1]; }
    const PreviewRow &row(size_t row) const { return m_rows[row - 1]; }

    /** The text of a cell; "Size" as its number, or empty for a row without a size. Throws vb::Error (subscript out of range) for
     *  a row or column that does not exist. */
    QString CellText(size_t row, int column) const;
    /** Sets the text of a cell ("Size" is read as a whole number, 0 when it is none; an empty
     *  text leaves the row without a size). */
    void setCellText(size_t row, int column, const QString &text);
    /** Sets the "Preview" cell: the engine's most frequent write, without the text round trip. */
    void setPreview(size_t row, const QString &text);
    uint32_t CellBackColor(size_t row, int column) const;
    /** Sets a cell's background. The rows share up to 256 colours (the program uses four); a
     *  colour past those shows as the nearest one known. */
    void setCellBackColor(size_t row, int column, uint32_t color);

    /** The redraw switch; while it is off a view need not repaint. */
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool on);

    /** Replaces every row. */
    void setRows(std::vector<PreviewRow> rows);
    void addRow(PreviewRow row);
    /** Makes room for `rows` rows in all, so that a fill of known size grows the table once. */
    void reserve(size_t rows) { m_rows.reserve(rows); }
    void clear();
    const std::vector<PreviewRow> &rows() const { return m_rows; }

    /** The listener told about changes (not owned; nullptr for none). */
    void setListener(PreviewTableListener *listener) { m_listener = listener; }

private:
    void check(size_t row, int column) const;
    void changed(size_t row, int column);

    std::vector<PreviewRow> m_rows;
    PreviewTableListener *m_listener = nullptr;
    bool m_redraw = true;
};

} // namespace engine
