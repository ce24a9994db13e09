#include "PreviewTable.h"

#include "VbError.h"

#include <atomic>
#include <mutex>

namespace engine {

namespace {

// The cell colours the rows refer to by place: white first, then the program's own, then any
// other colour as it is first set. Places are only ever added, so a place read without the lock
// always holds its colour.
class CellColours {
public:
    static constexpr int Size = 256;

    CellColours()
    {
        for (const uint32_t colour : {cellcolor::White, cellcolor::Changed, cellcolor::Unchanged, cellcolor::Duplicate})
            m_colours[m_count++].store(colour, std::memory_order_relaxed);
    }

    uint32_t colour(uint8_t place) const { return m_colours[place].load(std::memory_order_relaxed); }

    uint8_t placeOf(uint32_t colour)
    {
        const int known = m_count.load(std::memory_order_acquire);
        for (int i = 0; i < known; ++i) {
            if (m_colours[i].load(std::memory_order_relaxed) == colour)
                return uint8_t(i);
        }
        std::lock_guard<std::mutex> lock(m_adding);
        const int count = m_count.load(std::memory_order_relaxed);
        for (int i = known; i < count; ++i) {
            if (m_colours[i].load(std::memory_order_relaxed) == colour)
                return uint8_t(i);
        }
        if (count < Size) {
            m_colours[count].store(colour, std::memory_order_relaxed);
            m_count.store(count + 1, std::memory_order_release);
            return uint8_t(count);
        }
        return nearest(colour);
    }

private:
    uint8_t nearest(uint32_t colour) const
    {
        const auto distance = [colour](uint32_t other) {
            int sum = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int d = int((colour >> shift) & 0xFF) - int((other >> shift) & 0xFF);
                sum += d * d;
            }
            return sum;
        };
        uint8_t best = 0;
        for (int i = 1; i < Size; ++i) {
            if (distance(m_colours[i].load(std::memory_order_relaxed)) < distance(m_colours[best].load(std::memory_order_relaxed)))
                best = uint8_t(i);
        }
        return best;
    }

    std::array<std::atomic<uint32_t>, Size> m_colours{};
    std::atomic<int> m_count{0};
    std::mutex m_adding;
};

CellColours &cellColours()
{
    static CellColours colours;
    return colours;
}

} // namespace

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

QString cellTextOf(const PreviewRow &row, int column)
{
    switch (column) {
    case ColOriginal: return row.Original;
    case ColPreview: return row.Preview;
    case ColPath: return row.Path;
    case ColSize: return row.NoSize ? QString() : QString::number(row.Size);
    case ColModified: return row.Modified;
    case ColFolder: return row.Folder;
    case ColType: return row.Type;
    default: return row.PictureTakenDate;
    }
}

QString PreviewTable::CellText(size_t row, int column) const
{
    check(row, column);
    return cellTextOf(m_rows[row - 1], column);
}

void PreviewTable::setCellText(size_t row, int column, const QString &text)
{
    check(row, column);
    PreviewRow &r = m_rows[row - 1];
    switch (column) {
    case ColOriginal: r.Original = text; break;
    case ColPreview: r.Preview = text; break;
    case ColPath: r.Path = text; break;
    case ColSize: {
        const QString number = text.trimmed();
        r.NoSize = number.isEmpty();
        r.Size = number.toLongLong();
        break;
    }
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
    return cellColours().colour(m_rows[row - 1].BackColor[size_t(column - 1)]);
}

void PreviewTable::setCellBackColor(size_t row, int column, uint32_t color)
{
    check(row, column);
    m_rows[row - 1].BackColor[size_t(column - 1)] = cellColours().placeOf(color);
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
