#include "PreviewTable.h"

#include "VbError.h"

namespace engine {

void PreviewTable::check(size_t row, int column) const
{
    if (row < 1 || row > m_rows.size() || column < 1 || column > ColumnCount)
        throw vb::Error(vb::SubscriptOutOfRange);
}

void PreviewTable::changed(size_t row, int column)
{
    if (m_listener && m_redraw)
        m_listener->cellsChanged(row, row, column);
}

QString PreviewTable::CellText(size_t row, int column) const
{
    check(row, column);
    const PreviewRow &r = m_rows[row - 1];
    switch (column) {
    case ColOriginal: return r.Original;
    case ColPreview: return r.Preview;
    case ColPath: return r.Path;
    case ColSize: return QString::number(r.Size);
    case ColModified: return r.Modified;
    case ColFolder: return r.Folder;
    case ColType: return r.Type;
    default: return r.PictureTakenDate;
    }
}

void PreviewTable::setCellText(size_t row, int column, const QString &text)
{
    check(row, column);
    PreviewRow &r = m_rows[row - 1];
    switch (column) {
    case ColOriginal: r.Original = text; break;
    case ColPreview: r.Preview = text; break;
    case ColPath: r.Path = text; break;
    case ColSize: r.Size = text.trimmed().toLongLong(); break;
    case ColModified: r.Modified = text; break;
    case ColFolder: r.Folder = text; break;
    case ColType: r.Type = text; break;
    default: r.PictureTakenDate = text; break;
    }
    changed(row, column);
}

void PreviewTable::setPreview(size_t row, const QString &text)
{
    check(row, ColPreview);
    m_rows[row - 1].Preview = text;
    changed(row, ColPreview);
}

uint32_t PreviewTable::CellBackColor(size_t row, int column) const
{
    check(row, column);
    return m_rows[row - 1].BackColor[size_t(column - 1)];
}

void PreviewTable::setCellBackColor(size_t row, int column, uint32_t color)
{
    check(row, column);
    m_rows[row - 1].BackColor[size_t(column - 1)] = color;
    changed(row, column);
}

void PreviewTable::setRedraw(bool on)
{
    if (m_redraw == on)
        return;
    m_redraw = on;
    if (m_listener)
        m_listener->redrawChanged(on);
}

void PreviewTable::setRows(std::vector<PreviewRow> rows)
{
    m_rows = std::move(rows);
    if (m_listener)
        m_listener->rowsReset();
}

void PreviewTable::addRow(PreviewRow row)
{
    m_rows.push_back(std::move(row));
    if (m_listener)
        m_listener->rowsAppended();
}

void PreviewTable::clear()
{
    m_rows.clear();
    if (m_listener)
        m_listener->rowsReset();
}

} // namespace engine
