#include "PreviewTable.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct Listener : PreviewTableListener {
    void cellsChanged(size_t first, size_t last, int column) override
    {
        changes.push_back({first, last, column});
    }
    void rowsReset() override { ++resets; }
    void redrawChanged(bool on) override { redraws.push_back(on); }

    struct Change {
        size_t first, last;
        int column;
        bool operator==(const Change &) const = default;
    };
    std::vector<Change> changes;
    std::vector<bool> redraws;
    int resets = 0;
};

} // namespace

TEST(PreviewTable, CellsByRowAndColumn)
{
    PreviewTable table;
    PreviewRow row;
    row.Original = QStringLiteral("a.txt");
    row.Size = 1536;
    table.addRow(row);

    const QString texts[] = {"a.txt", "b.txt", "/data/", "2048", "1/2/2026", "data", "TXT File", "x"};
    for (int column = 1; column <= ColumnCount; ++column)
        table.setCellText(1, column, texts[column - 1]);
    for (int column = 1; column <= ColumnCount; ++column)
        EXPECT_EQ(table.CellText(1, column), texts[column - 1]) << column;
    EXPECT_EQ(table.row(1).Size, 2048);
    table.setCellText(1, ColSize, QStringLiteral("many"));
    EXPECT_EQ(table.CellText(1, ColSize), QStringLiteral("0"));

    EXPECT_EQ(table.CellBackColor(1, ColPreview), cellcolor::White);
    table.setCellBackColor(1, ColPreview, cellcolor::Duplicate);
    EXPECT_EQ(table.CellBackColor(1, ColPreview), 255u);

    for (auto [r, c] : {std::pair<size_t, int>{0, 1}, {2, 1}, {1, 0}, {1, 9}}) {
        EXPECT_THROW(table.CellText(r, c), vb::Error);
        EXPECT_THROW(table.setCellText(r, c, {}), vb::Error);
        EXPECT_THROW(table.CellBackColor(r, c), vb::Error);
    }
}

// Every colour set on a cell reads back as it was, the program's own and any other, on every
// column, and stays with its row when the rows are reordered; past the 256 colours the rows share,
// a new colour reads back as the nearest one known.
TEST(PreviewTable, CellColoursReadBackAsSet)
{
    PreviewTable table;
    table.setRows(std::vector<PreviewRow>(300));
    std::vector<uint32_t> set(300);
    for (size_t row = 1; row <= 300; ++row) {
        const uint32_t own[] = {cellcolor::White, cellcolor::Changed, cellcolor::Unchanged, cellcolor::Duplicate};
        // Rows 1 to 40 take the program's colours, the rest 250 others (some of them twice).
        set[row - 1] = row <= 40 ? own[row % 4] : 0x010203u * uint32_t((row - 41) % 250 + 1);
        table.setCellBackColor(row, int(row % ColumnCount) + 1, set[row - 1]);
    }
    for (size_t row = 1; row <= 300; ++row) {
        for (int column = 1; column <= ColumnCount; ++column) {
            const uint32_t expected = column == int(row % ColumnCount) + 1 ? set[row - 1] : cellcolor::White;
            ASSERT_EQ(table.CellBackColor(row, column), expected) << row << ' ' << column;
        }
    }
    std::vector<PreviewRow> reversed(table.rows().rbegin(), table.rows().rend());
    table.setRows(std::move(reversed));
    EXPECT_EQ(table.CellBackColor(300, 1 + 1), set[0]);
    EXPECT_EQ(table.CellBackColor(1, int(300 % ColumnCount) + 1), set[299]);

    // More colours until the rows share 256; then one a step from the last reads back as it.
    uint32_t last = 0;
    bool full = false;
    for (uint32_t k = 1; k <= 256 && !full; ++k) {
        const uint32_t colour = 0x800000u + k * 0x000101u;
        table.setCellBackColor(1, ColOriginal, colour);
        full = table.CellBackColor(1, ColOriginal) != colour;
        if (!full)
            last = colour;
    }
    ASSERT_TRUE(full);
    table.setCellBackColor(2, ColOriginal, last + 0x010000u);
    EXPECT_EQ(table.CellBackColor(2, ColOriginal), last);
}

TEST(PreviewTable, ListenerHearsChangesWhileRedrawIsOn)
{
    PreviewTable table;
    Listener listener;
    table.setListener(&listener);
    table.setRows(std::vector<PreviewRow>(3));
    table.setPreview(2, QStringLiteral("x"));
    table.setRedraw(false);
    table.setCellBackColor(3, ColPreview, cellcolor::Changed);
    table.setRedraw(true);
    table.clear();

    EXPECT_EQ(listener.resets, 2);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0], (Listener::Change{2, 2, ColPreview}));
    EXPECT_EQ(listener.redraws, (std::vector<bool>{false, true}));
}
