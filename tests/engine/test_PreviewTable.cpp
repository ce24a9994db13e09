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
