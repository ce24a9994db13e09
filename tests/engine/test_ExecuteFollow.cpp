// Rows that follow a renamed folder, and items given again after an earlier row renamed them.
#include "Execute.h"
#include "RenameLog.h"
#include "RenameRunFixture.h"
#include "RenamedItems.h"

#include <QDirIterator>

using namespace engine;
using namespace renamerun;

// Only the rows inside the renamed folder follow it: not those of folders whose names begin
// with its name, nor those that followed another folder onto a name before it; wherever the new
// name sorts.
TEST_F(RenameRun, OnlyRowsInsideTheRenamedFolderFollowIt)
{
    struct Case {
        const char *name;
        std::vector<ItemRow> rows;
        QStringList onDisk;  // path=content of every file afterwards
    } cases[] = {
        {"names that begin alike, the new name sorts last",
         {{"a", "z", true, ""},
          {"f", "g", false, "a/"},
          {"f", "g", false, "ab/"},
          {"f", "g", false, "a-b/"},
          {"f", "g", false, "a b/"},
          {"f", "g", false, "a/sub/"}},
         {"a b/g=a b", "a-b/g=a-b", "ab/g=ab", "b/f=b", "z/g=a", "z/sub/g=a/sub"}},
        {"the new name sorts first, rows inside given before",
         {{"f", "g", false, "a/sub/"}, {"sub", "0", true, "a/"}, {"a", "A", true, ""}, {"f", "g", false, "a/"}},
         {"A/0/g=a/sub", "A/g=a", "a b/f=a b", "a-b/f=a-b", "ab/f=ab", "b/f=b"}},
        {"a chain: b goes away, a takes its name",
         {{"b", "c", true, ""}, {"a", "b", true, ""}, {"f", "g", false, "a/"}, {"f", "g", false, "b/"},
          {"f", "g", false, "a/sub/"}},
         {"a b/f=a b", "a-b/f=a-b", "ab/f=ab", "b/g=a", "b/sub/g=a/sub", "c/g=b"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir()).removeRecursively();
        grid.clear();
        for (const char *folder : {"a", "ab", "a-b", "a b", "a/sub", "b"})
            file(QString::fromUtf8(folder) + "/f", folder);
        addRows(c.rows);
        const RenameRunResult result = cmdExecute_Click(engine, grid);
        EXPECT_EQ(result.failed, 0u);
        EXPECT_EQ(result.renamed, c.rows.size());
        for (const PreviewRow &row : grid.rows())
            EXPECT_TRUE(QFileInfo::exists(row.Path + row.Original)) << (row.Path + row.Original).toStdString();
        QStringList onDisk;
        QDirIterator it(dir(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            onDisk.append(path.mid(dir().size()) + u'=' + QString::fromUtf8(testfiles::readFile(path)));
        }
        onDisk.sort();
        EXPECT_EQ(onDisk, c.onDisk);
    }
}

// A name that a row renamed away and a later row gave to another item names that other item:
// given again, it is that item's own failure, never a duplicate of the first row.
TEST_F(RenameRun, ANameTakenAgainByAnotherItemIsNoDuplicate)
{
    file("a", "a");
    file("c", "c");
    file("d", "d");
    addRows({{"a", "b", false, ""}, {"c", "a", false, ""}, {"a", "d", false, ""}});
    const RenameRunResult result = cmdExecute_Click(engine, grid);
    EXPECT_EQ(result.renamed, 2u);
    EXPECT_EQ(result.failed, 1u);
    EXPECT_EQ(logLines(), (QStringList{RenameLog::line(dir(), "a", "b", RenameLog::successText()),
                                       RenameLog::line(dir(), "c", "a", RenameLog::successText()),
                                       RenameLog::line(dir(), "a", "d", "File already exists")}));
    EXPECT_EQ(testfiles::readFile(dir() + "a"), QByteArray("c"));
    EXPECT_EQ(testfiles::readFile(dir() + "b"), QByteArray("a"));
    EXPECT_EQ(testfiles::readFile(dir() + "d"), QByteArray("d"));
}

// A row the run refuses (its preview failed) keeps its own reason, also when it names an item
// an earlier row renamed; the rows after it go on.
TEST_F(RenameRun, ARefusedRowKeepsItsReasonOverADuplicate)
{
    file("dir/f.txt", "F");
    file("dir/g.txt", "G");
    addRows({{"f.txt", "x.txt", false, "dir/"},
             {"f.txt", "y.txt", false, "dir/"},
             {"f.txt", "z.txt", false, "dir/./"},
             {"g.txt", "h.txt", false, "dir/"}});
    const QString refusal = QStringLiteral("The preview failed: Overflow");
    std::vector<QString> results;
    RenameLoopHooks hooks;
    hooks.refuse = [&](size_t row) {
        return row == 2 ? vb::Status::fail(vb::InvalidProcedureCall, refusal) : vb::Status::ok();
    };
    hooks.done = [&](size_t, const PreviewRow &, const vb::Status &st) {
        results.push_back(st ? QStringLiteral("ok") : st.description);
    };
    const std::vector<RowOutcome> outcomes = RenameRows(grid, hooks);
    EXPECT_EQ(outcomes, (std::vector<RowOutcome>{RowOutcome::Renamed, RowOutcome::Failed, RowOutcome::Failed,
                                                 RowOutcome::Renamed}));
    EXPECT_EQ(results, (std::vector<QString>{"ok", refusal, RenamedItems::duplicateText(1), "ok"}));
    EXPECT_EQ(QDir(dir() + "dir").entryList(QDir::Files), (QStringList{"h.txt", "x.txt"}));
}
