#include "FileListFixtures.h"
#include "ListViewEditable.h"

#include "Dialogs.h"
#include "MessageService.h"
#include "ScanProgressSink.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

/** Records what the list shows of its progress. */
class RecordingSink : public ScanProgressSink {
public:
    int32_t progressMax() const override { return max; }
    void setProgressMax(int32_t m) override { max = m; }
    int32_t progressValue() const override { return value; }
    void setProgressValue(int32_t v) override
    {
        value = v;
        values << v;
    }
    void setStatusText(const QString &text) override { statuses << text; }

    int32_t max = 0;
    int32_t value = 0;
    QList<int32_t> values;
    QStringList statuses;
};

QStringList names(const ListViewEditable &c)
{
    QStringList out;
    for (int32_t i = 1; i <= c.FileItemCount(); ++i)
        out << c.ListItems().Item(i).Text;
    return out;
}

/** A list of one source folder (files a.txt, b.txt, clash.txt and the folder sub holding
 *  inner.txt, listed recursively) and an empty target folder that already holds clash.txt. */
class CopyMove : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = src.path() + u'/';
        target = dst.path() + u'/';
        testfiles::writeFile(source + "a.txt", "alpha");
        testfiles::writeFile(source + "b.txt", "beta");
        testfiles::writeFile(source + "clash.txt", "new");
        testfiles::writeFile(source + "sub/inner.txt", "inner");
        testfiles::writeFile(target + "clash.txt", "old");
        list.setYieldHandler([this] { ++yields; });
        list.setProgressSink(&sink);
        list.setDialogs(&dialogs);
        list.setMessages(&messages);
        list.setLastCopyFolder(&lastCopyFolder);
        list.setPath(source);
        list.setRecursive(true);
        list.Scan();
        sink = RecordingSink();
        yields = 0;
    }
    void check(const QStringList &rowNames)
    {
        for (int32_t i = 1; i <= list.FileItemCount(); ++i)
            list.setChecked(i, rowNames.contains(list.ListItems().Item(i).Text));
    }
    QString folderOf(const QString &name) const
    {
        const int32_t row = int32_t(names(list).indexOf(name)) + 1;
        return row > 0 ? list.Cell(row, 2) : QString();
    }

    QTemporaryDir src, dst;
    QString source, target;
    RecordingSink sink;
    RecordingDialogs dialogs;
    RecordingMessageService messages;
    QString lastCopyFolder = QStringLiteral("/start");
    ListViewEditable list;
    int yields = 0;
};

} // namespace

TEST_F(CopyMove, CancelledFolderChoiceChangesNothing)
{
    check({"a.txt"});
    for (bool move : {false, true}) {
        move ? list.mnuMove_Click() : list.mnuCopy_Click();
        EXPECT_TRUE(sink.statuses.isEmpty());
        EXPECT_TRUE(sink.values.isEmpty());
        EXPECT_EQ(lastCopyFolder, "/start");
        EXPECT_TRUE(QFile::exists(source + "a.txt"));
        EXPECT_FALSE(QFile::exists(target + "a.txt"));
    }
    EXPECT_EQ(dialogs.asked, QStringList({"Select Folder", "Select Folder"}));
}

TEST_F(CopyMove, CopyNeverOverwritesAndReportsWhatItSkipped)
{
    check({"a.txt", "clash.txt", "sub"});
    dialogs.answers << dst.path();
    list.mnuCopy_Click();

    EXPECT_EQ(testfiles::readFile(target + "a.txt"), "alpha");
    EXPECT_EQ(testfiles::readFile(target + "sub/inner.txt"), "inner") << "a folder is copied with its contents";
    EXPECT_EQ(testfiles::readFile(target + "clash.txt"), "old") << "an existing item is never overwritten";
    EXPECT_TRUE(QFile::exists(source + "a.txt"));
    EXPECT_EQ(lastCopyFolder, dst.path());

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].prompt.startsWith("1 of 3 items could not be copied:")) << messages.shown[0].prompt.toStdString();
    EXPECT_TRUE(messages.shown[0].prompt.contains(source + "clash.txt: File already exists"));
    EXPECT_EQ(sink.statuses, QStringList({"Copying Selected Files...", "Ready"}));
    EXPECT_EQ(sink.max, 3);
    EXPECT_EQ(sink.values, QList<int32_t>({0, 1, 2, 3, 0}));
    EXPECT_EQ(yields, 3);
    EXPECT_EQ(folderOf("a.txt"), source) << "copied rows keep their folder";
}

TEST_F(CopyMove, MovedRowsTakeTheirNewFolder)
{
    // inner.txt lies in the checked folder sub: it moves with the folder, not on its own.
    check({"b.txt", "sub", "inner.txt", "clash.txt"});
    dialogs.answers << dst.path();
    list.mnuMove_Click();

    EXPECT_EQ(testfiles::readFile(target + "b.txt"), "beta");
    EXPECT_EQ(testfiles::readFile(target + "sub/inner.txt"), "inner");
    EXPECT_FALSE(QFile::exists(source + "b.txt"));
    EXPECT_FALSE(QDir(source + "sub").exists());
    EXPECT_EQ(testfiles::readFile(source + "clash.txt"), "new") << "the clashing file stays where it was";
    EXPECT_EQ(testfiles::readFile(target + "clash.txt"), "old");

    EXPECT_EQ(folderOf("b.txt"), target);
    EXPECT_EQ(folderOf("sub"), target);
    EXPECT_EQ(folderOf("inner.txt"), target + "sub/");
    EXPECT_EQ(folderOf("clash.txt"), source);
    EXPECT_EQ(folderOf("a.txt"), source);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].prompt.startsWith("1 of 3 items could not be moved:")) << messages.shown[0].prompt.toStdString();
    EXPECT_EQ(sink.statuses, QStringList({"Moving Selected Files...", "Ready"}));
    EXPECT_EQ(sink.max, 3);
}

TEST_F(CopyMove, EveryFailureIsReportedAtTheEnd)
{
    check({"a.txt", "b.txt"});
    QFile::remove(source + "b.txt");
    // A target that is no folder fails every item; the loop still runs to its end.
    testfiles::writeFile(target + "plain", "x");
    for (bool move : {false, true}) {
        SCOPED_TRACE(move);
        messages.shown.clear();
        sink = RecordingSink();
        dialogs.answers << target + "plain";
        move ? list.mnuMove_Click() : list.mnuCopy_Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        const QString prompt = messages.shown[0].prompt;
        EXPECT_TRUE(prompt.startsWith(move ? "2 of 2 items could not be moved:" : "2 of 2 items could not be copied:")) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(source + "a.txt: ")) << prompt.toStdString();
        EXPECT_TRUE(prompt.contains(source + "b.txt: File not found")) << prompt.toStdString();
        EXPECT_EQ(sink.statuses.last(), "Ready");
        EXPECT_EQ(sink.value, 0);
        EXPECT_TRUE(QFile::exists(source + "a.txt"));
    }
}

TEST_F(CopyMove, CheckedItemsAreTakenBeforeTheLoop)
{
    check({"a.txt", "b.txt"});
    // A handler that runs while the command yields unchecks every row and sorts the list.
    list.setYieldHandler([this] {
        list.setCheckedAll(false);
        list.SortByColumn(1, ldtString, false);
    });
    dialogs.answers << dst.path();
    list.mnuCopy_Click();
    EXPECT_TRUE(QFile::exists(target + "a.txt"));
    EXPECT_TRUE(QFile::exists(target + "b.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ListMenuCommands, CheckGroupsAndRowProcedures)
{
    ListViewEditable list;
    RecordingShell shell;
    list.setShell(&shell);
    const struct {
        const char *name, *folder, *date;
    } rows[] = {
        {"r1", "/x/", "2024/12/25 10:00:00 AM"}, {"r2", "/X/", "2024/12/25 11:00:00 AM"},
        {"r3", "/x/", "2024/5/9 3:07:05 PM"},    {"r4", "/y/", "2024/5/9 3:59:00 PM"},
        {"r5", "/x/", "2024/5/9 4:00:00 PM"},
    };
    for (const auto &r : rows) {
        const int32_t i = list.ListItems().Add(QString::fromUtf8(r.name));
        list.ListItems().SetSubItem(i, 1, QString::fromUtf8(r.folder));
        list.ListItems().SetSubItem(i, 4, QString::fromUtf8(r.date));
    }
    auto checkedRows = [&] {
        std::vector<int32_t> out;
        list.GetCheckedItems(out);
        return list.GetCheckedItems(out) ? out : std::vector<int32_t>();
    };

    // Without a selected row the commands that need one do nothing.
    list.mnuDate_Click();
    list.mnuOpen_Click();
    EXPECT_TRUE(checkedRows().empty());
    EXPECT_TRUE(shell.opened.isEmpty());

    list.setSelectedItem(1);
    list.mnuDate_Click();
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({1, 2})) << "the first ten characters of the date";
    list.setSelectedItem(3);
    list.mnuDate_Click();
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({1, 2, 3, 4})) << "2024/5/9 3 covers the hour 3 only";
    list.mnuUDate_Click();
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({1, 2}));
    list.mnuSelectDir_Click();
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({1, 2, 3, 5})) << "folder texts compared exactly";
    list.mnuDeselectDir_Click();
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({2}));
    list.mnuCheck_Click(2);
    EXPECT_EQ(checkedRows(), std::vector<int32_t>({1, 3, 4, 5}));
    list.mnuCheck_Click(7);
    EXPECT_EQ(checkedRows().size(), 4u);

    list.mnuOpen_Click();
    list.mnuExplore_Click();
    EXPECT_EQ(shell.opened, QStringList({"/x/r3", "/x/"}));

    list.SelectionCommand(0);
    EXPECT_EQ(list.SelectedCount(), 5);
    list.SelectionCommand(2);
    EXPECT_EQ(list.SelectedCount(), 0);

    // Sorting by the current column after a column click, then removing the checked rows.
    list.ClickColumnHeader(1);
    EXPECT_EQ(names(list), QStringList({"r5", "r4", "r3", "r2", "r1"}));
    list.SortCurrentColumnAscending();
    EXPECT_EQ(names(list), QStringList({"r1", "r2", "r3", "r4", "r5"}));
    list.SortCurrentColumnDescending();
    EXPECT_EQ(names(list), QStringList({"r5", "r4", "r3", "r2", "r1"}));
    list.setCheckedAll(false);
    list.setChecked(2, true);
    list.setChecked(3, true);
    list.setChecked(5, true);
    list.RemoveCheckedItems();
    EXPECT_EQ(names(list), QStringList({"r5", "r2"}));

    list.SetViewByIndex(0);
    EXPECT_EQ(list.View(), 2);
    EXPECT_TRUE(list.Sorted());
}

TEST(ListMenuCommands, RemoveDuplicatesKeepsTheFirstOfEachGroup)
{
    ListViewEditable list;
    const char *const rows[][2] = {{"a", "/x/"}, {"b", "/x/"}, {"a", "/x/"}, {"a", "/X/"}, {"b", "/x/"}, {"c", "/x/"}};
    for (const auto &r : rows) {
        const int32_t i = list.ListItems().Add(QString::fromUtf8(r[0]));
        list.ListItems().SetSubItem(i, 1, QString::fromUtf8(r[1]));
    }
    list.RemoveDuplicates();
    EXPECT_EQ(list.Col(1, ","), "a,b,a,c");
    EXPECT_EQ(list.Col(2, ","), "/x/,/x/,/X/,/x/");

    // Far more rows than a 16-bit counter holds.
    ListViewEditable big;
    for (int32_t i = 0; i < 40000; ++i) {
        const int32_t row = big.ListItems().Add(QStringLiteral("f%1").arg(i % 35000));
        big.ListItems().SetSubItem(row, 1, QStringLiteral("/d/"));
    }
    big.RemoveDuplicates();
    EXPECT_EQ(big.FileItemCount(), 35000);
}

TEST(ListMenuCommands, DropFilterOfTheFileSpecification)
{
    ListViewEditable list;
    const struct {
        const char *spec, *filter;
    } cases[] = {{"*.*", ""}, {"*.jpg", "jpg"}, {"*.jp*", "jp"}, {"*", ""}, {"a.b.MP3", "MP3"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.spec);
        list.setFileSpec(QString::fromUtf8(c.spec));
        EXPECT_EQ(list.DropFilter(), QString::fromUtf8(c.filter));
    }
}

// "Copy Checked To" keeps the modification times and permission bits of a file and of a folder
// and everything inside it, as the originals have them.
TEST_F(CopyMove, CopiesKeepTimesAndPermissions)
{
    const struct {
        const char *rel;
        qint64 seconds;
        mode_t mode;
    } dated[] = {
        {"a.txt", 978310861, 0640},  // 2001-01-01 01:01:01 UTC
        {"sub/inner.txt", 1000000000, 0604},
        {"sub", 1100000000, 0750},  // set last: the file's times above do not touch it
    };
    for (const auto &d : dated) {
        const QByteArray path = QFile::encodeName(source + QString::fromLatin1(d.rel));
        const struct timespec times[2] = {{time_t(d.seconds), 0}, {time_t(d.seconds), 250000000}};
        ASSERT_EQ(::chmod(path.constData(), d.mode), 0);
        ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    }
    check({"a.txt", "sub"});
    dialogs.answers << dst.path();
    list.mnuCopy_Click();
    EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(u'\n').toStdString();
    for (const auto &d : dated) {
        SCOPED_TRACE(d.rel);
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(target + QString::fromLatin1(d.rel)).constData(), &st), 0);
        EXPECT_EQ(st.st_mtim.tv_sec, d.seconds);
        EXPECT_EQ(st.st_mtim.tv_nsec, 250000000);
        EXPECT_EQ(st.st_mode & 07777, d.mode);
    }
    EXPECT_EQ(testfiles::readFile(target + "sub/inner.txt"), "inner");
}
