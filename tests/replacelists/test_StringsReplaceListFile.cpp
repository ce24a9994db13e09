#include "StringsReplaceListFile.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using replacelists::StringsReplaceListFile;

TEST(StringsReplaceListFile, SaveKeepsRowsWithAFromStringOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.srl");
    const std::vector<ReplaceListEntry> rows{
        {"y", "ABC", "x$Counter$"}, {"n", "", "lost"}, {"n", "def", ""}, {"", "", ""}};
    ASSERT_TRUE(StringsReplaceListFile::save(path, 1, rows).isOk());
    EXPECT_EQ(testfiles::readFile(path), QByteArray("Corvisk Strings Replace List\r\n"
                                                    "1\r\n"
                                                    "y\r\nABC\r\nx$Counter$\r\n"
                                                    "n\r\ndef\r\n\r\n"));

    const replacelists::ReplaceListLoad back = StringsReplaceListFile::load(path);
    ASSERT_TRUE(back) << back.reason.toStdString();
    EXPECT_EQ(back.MatchCaseAll, 1);
    EXPECT_EQ(back.Rows, (std::vector<ReplaceListEntry>{rows[0], rows[2]}));
}

TEST(StringsReplaceListFile, EmptyListIsHeaderAndBoxOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.srl");
    ASSERT_TRUE(StringsReplaceListFile::save(path, 0, {}).isOk());
    EXPECT_EQ(testfiles::readFile(path), QByteArray("Corvisk Strings Replace List\r\n0\r\n"));
}

TEST(StringsReplaceListFile, CellWithALineBreakLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.srl");
    const QByteArray old("Corvisk Strings Replace List\r\n0\r\nn\r\na\r\nb\r\n");
    testfiles::writeFile(path, old);
    const vb::Status st = StringsReplaceListFile::save(path, 0, {{"n", "a", "b"}, {"n", "c", "two\nlines"}});
    EXPECT_FALSE(st.isOk());
    EXPECT_TRUE(st.description.contains("Row 2")) << st.description.toStdString();
    EXPECT_EQ(testfiles::readFile(path), old);
}
