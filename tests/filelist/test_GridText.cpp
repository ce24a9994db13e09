#include "ListViewEditable.h"

#include <gtest/gtest.h>

using namespace filelist;

namespace {

// Three rows with the five default columns: name, folder, size, type, date.
class GridTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char *rows[3][5] = {
            {"a.txt", "C:\\", "1 KB", "Text Document", "2024/5/9 3:07:05 PM"},
            {"b.jpg", "/pics/", "20KB", "JPEG Image", "2024/5/10 9:00:00 AM"},
            {"c", "/x/", "", "File Folder", ""},
        };
        for (const auto &r : rows) {
            const int32_t row = list.ListItems().Add(QString::fromUtf8(r[0]));
            for (int k = 1; k < 5; ++k)
                list.ListItems().SetSubItem(row, k, QString::fromUtf8(r[k]));
        }
    }
    ListViewEditable list;
};

} // namespace

TEST_F(GridTextTest, Cells)
{
    EXPECT_EQ(list.Cell(1, 0), "a.txt");
    EXPECT_EQ(list.Cell(1, 1), "a.txt");
    EXPECT_EQ(list.Cell(1, -5), "a.txt");
    EXPECT_EQ(list.Cell(1, 2), "C:\\");
    EXPECT_EQ(list.Cell(2, 5), "2024/5/10 9:00:00 AM");
    EXPECT_EQ(list.Cell(2, 6), "");
    EXPECT_EQ(list.Cell(4, 1), "");
}

TEST_F(GridTextTest, RowsAndColumnsAsText)
{
    EXPECT_EQ(list.Row(1), "a.txt\tC:\\\t1 KB\tText Document\t2024/5/9 3:07:05 PM");
    EXPECT_EQ(list.Row(1).count(u'\t'), 4);
    EXPECT_TRUE(list.Row(1, ";", true).startsWith("1;a.txt;"));
    EXPECT_EQ(list.Row(9), "");

    EXPECT_EQ(list.RowsArray({3, 1}), "3\tc\t/x/\t\tFile Folder\t\r\n1\ta.txt\tC:\\\t1 KB\tText Document\t2024/5/9 3:07:05 PM");
    EXPECT_EQ(list.Rows("\r\n", "\t", false, {2, 2}), list.Row(2) + "\r\n" + list.Row(2));
    EXPECT_EQ(list.Rows("|", ",", false, {1, 7, 3}), list.Row(1, ",") + "||" + list.Row(3, ","));
    EXPECT_EQ(list.Rows("|", ",", false, {}), "");

    EXPECT_EQ(list.Col(2, "\r\n", true), "1\tC:\\\r\n2\t/pics/\r\n3\t/x/");
    EXPECT_EQ(list.Col(1, ";", true), "1\ta.txt;2\tb.jpg;3\tc");
    EXPECT_EQ(list.Col(6), "") << "a sub-item beyond the columns";
    EXPECT_EQ(list.Cols("\r\n", ";", true, {1, 3}), "1;a.txt;1 KB\r\n2;b.jpg;20KB\r\n3;c;");
    EXPECT_EQ(list.Cols("\n", ",", false, {0, 4}), "a.txt,Text Document\nb.jpg,JPEG Image\nc,File Folder");
    EXPECT_EQ(list.Cols("\n", ",", false, {1, 9}), "");

    ListViewEditable empty;
    EXPECT_EQ(empty.Col(1), "");
    EXPECT_EQ(empty.Cols("\n", ",", true, {1}), "");
}
