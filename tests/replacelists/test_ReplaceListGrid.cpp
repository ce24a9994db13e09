#include "ReplaceListGrid.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using replacelists::ReplaceListGrid;

namespace {

/** A file of `lines`, each ended by `eol`. */
QByteArray srl(const QStringList &lines, const char *eol = "\r\n")
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + eol;
    return bytes;
}

QByteArray manyRows(int rows)
{
    QStringList lines{"Corvisk Strings Replace List", "0"};
    for (int k = 1; k <= rows; ++k)
        lines << "n" << QString("from%1").arg(k) << "to";
    return srl(lines);
}

/** A grid that holds older rows, so that what a load changes shows. */
ReplaceListGrid usedGrid()
{
    ReplaceListGrid grid;
    for (int k = 0; k < 7; ++k)
        grid.Rows[size_t(k)] = {"y", QString("old%1").arg(k + 1), "old"};
    grid.RowsInUse = 7;
    grid.MatchCaseAll = 1;
    return grid;
}

const QString Header = "Corvisk Strings Replace List";

} // namespace

TEST(ReplaceListGrid, LoadList)
{
    struct Case {
        const char *what;
        QByteArray bytes;  // null: no file
        QString message;   // empty: loaded
        int16_t box = 0;
        std::vector<ReplaceListEntry> rows{};  // the first rows after loading
        int rowsInUse = -1;                  // -1: rows.size()
    };
    const Case cases[] = {
        {"two rows", srl({Header, "0", "y", "abc", "x", "n", "def", "$Counter$"}), {}, 0,
         {{"y", "abc", "x"}, {"n", "def", "$Counter$"}}},
        {"match case y, Y and n stay as written", srl({Header, "1", "y", "a", "1", "Y", "b", "2", "n", "c", "3"}),
         {}, 1, {{"y", "a", "1"}, {"Y", "b", "2"}, {"n", "c", "3"}}},
        {"LF only", srl({Header, "0", "y", "abc", "x"}, "\n"), {}, 0, {{"y", "abc", "x"}}},
        {"empty list", srl({Header, "0"}), {}, 0, {}},
        {"last row of two lines", srl({Header, "0", "y", "a", "b", "n", "c"}), {}, 0,
         {{"y", "a", "b"}, {"n", "c", ""}}},
        {"last row of one line", srl({Header, "0", "y"}), {}, 0, {{"y", "", ""}}},
        {"Windows-1252 text", srl({Header, "0", "n"}) + "caf\xE9\r\nx\r\n", {}, 0,
         {{"n", QString::fromUtf8("caf\u00e9"), "x"}}},
        {"500 rows", manyRows(500), {}, 0, {{"n", "from1", "to"}}, 500},
        {"header in other letter case", srl({"corvisk strings replace list", "0"}), "Invalid File"},
        {"configuration header", srl({"File Rename Settings", "0"}), "Invalid File"},
        {"empty file", QByteArray(""), "Invalid File"},
        {"no file", QByteArray(), "Invalid File"},
        {"header only", srl({Header}), "Invalid File"},
        // A box value the box does not take leaves it as it was (ticked in usedGrid()).
        {"box value 2", srl({Header, "2", "y", "a", "b"}), {}, 1, {{"y", "a", "b"}}},
        {"box not a number", srl({Header, "yes", "y", "a", "b"}), {}, 1, {{"y", "a", "b"}}},
        {"box empty", srl({Header, "", "n", "c", "d"}), {}, 1, {{"n", "c", "d"}}},
        {"600 rows", manyRows(600), "The list has 600 rows; at most 500 rows can be loaded, so nothing was loaded."},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(c.bytes.isNull() ? "missing.srl" : "case.srl");
        if (!c.bytes.isNull())
            testfiles::writeFile(path, c.bytes);

        ReplaceListGrid grid = usedGrid();
        const ReplaceListGrid before = grid;
        const replacelists::ReplaceListLoad result = grid.loadList(path);
        EXPECT_EQ(result.message, c.message) << result.reason.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_FALSE(result);
            EXPECT_EQ(grid.Rows, before.Rows);
            EXPECT_EQ(grid.RowsInUse, before.RowsInUse);
            EXPECT_EQ(grid.MatchCaseAll, before.MatchCaseAll);
            continue;
        }
        ASSERT_TRUE(result);
        const int inUse = c.rowsInUse < 0 ? int(c.rows.size()) : c.rowsInUse;
        EXPECT_EQ(grid.RowsInUse, inUse);
        EXPECT_EQ(grid.MatchCaseAll, c.box);
        ASSERT_EQ(grid.Rows.size(), 500u);
        for (size_t k = 0; k < c.rows.size(); ++k)
            EXPECT_EQ(grid.Rows[k], c.rows[k]) << "row " << k + 1;
        for (size_t k = size_t(inUse); k < grid.Rows.size(); ++k)
            ASSERT_EQ(grid.Rows[k], ReplaceListEntry{}) << "row " << k + 1 << " is not blank";
    }
}

TEST(ReplaceListGrid, GridWithDeletedRowsRefusesALongerList)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("four.srl");
    testfiles::writeFile(path, manyRows(4));
    ReplaceListGrid grid(3);
    const replacelists::ReplaceListLoad result = grid.loadList(path);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.message, "The list has 4 rows; at most 3 rows can be loaded, so nothing was loaded.");
    EXPECT_EQ(grid.RowsInUse, 0);

    testfiles::writeFile(path, manyRows(3));
    ASSERT_TRUE(grid.loadList(path));
    EXPECT_EQ(grid.RowsInUse, 3);
}

TEST(ReplaceListGrid, OpenStoreAndClearKeepTableAndCountInStep)
{
    std::vector<ReplaceListEntry> table{{"y", "a", "1"}, {"n", "b", "2"}, {"n", "c", "3"}};
    ReplaceListGrid grid = usedGrid();
    grid.openFrom(table);
    EXPECT_EQ(grid.RowsInUse, 3);
    EXPECT_EQ(grid.Rows[2], table[2]);
    EXPECT_EQ(grid.Rows[3], ReplaceListEntry{});

    // Clicking row 5 puts rows 4 and 5 in use, blank; OK stores all five.
    grid.RowsInUse = 5;
    grid.Rows[0].ToString = "changed";
    grid.storeInto(table);
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0], (ReplaceListEntry{"y", "a", "changed"}));
    EXPECT_EQ(table[4], ReplaceListEntry{});

    // Clear blanks the grid's rows in use only; the table waits for OK.
    const std::vector<ReplaceListEntry> stored = table;
    grid.RowsInUse = 2;
    grid.clear();
    EXPECT_EQ(table, stored);
    EXPECT_EQ(grid.Rows[0], ReplaceListEntry{});
    EXPECT_EQ(grid.Rows[1], ReplaceListEntry{});
    EXPECT_EQ(grid.Rows[2], table[2]);
    EXPECT_EQ(grid.RowsInUse, 2);

    grid.RowsInUse = 4;
    grid.storeInto(table);
    EXPECT_EQ(table, (std::vector<ReplaceListEntry>{{}, {}, stored[2], {}}));
    grid.RowsInUse = 0;
    grid.storeInto(table);
    EXPECT_TRUE(table.empty());
}
