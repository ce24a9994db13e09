#include "SettingsFile.h"

#include "AppState.h"
#include "PathCodec.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace mainwin;

namespace {

QStringList linesOf(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

QByteArray fileOf(const QStringList &lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// Every value the file keeps, set away from its start value.
AppState changedState()
{
    AppState s;
    s.FileViewName = QStringLiteral("Icons");
    s.SkipBookmarkName = 1;
    s.TopMostWindow = 7;
    s.ClearOnFolderDrop = true;
    s.ReplaceAllExt = true;
    s.ReplaceAllExtTo = QStringLiteral("jpg");
    s.TimeFormatText = QStringLiteral("hh_mm_ss AM/PM");
    s.DateFormatText = QStringLiteral("mm_dd_yyyy");
    s.RandomMaskText = QStringLiteral("AA##");
    s.LastListIndex = 3;
    s.ShowHiddenFolders = 1;
    s.AutoRefreshRenamer = 1;
    s.AutoRefreshMainList = 1;
    s.AutoValidateNames = 1;
    s.AutoNormalizeAttributes = 1;
    s.ShowLogAfterRename = 1;
    s.SaveLogFile = 1;
    s.ShowRenameDropDialog = 1;
    s.ShowRenameConfirmation = 1;
    return s;
}

class SettingsFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("Trevalle.ini")); }
    testfiles::TempDir dir;  // may hold a folder whose name is not UTF-8
};

} // namespace

TEST_F(SettingsFileTest, FirstExitWritesStartValues)
{
    AppState s;
    ASSERT_TRUE(WriteSettingsFile(path(), s, {}, {QStringLiteral("/home/u"), QStringLiteral("*.*")}));
    const QStringList expected{
        "blank", "blank", "blank", "blank", "", "", "0", "0", "False", "False", "", "", "",
        "",      "0",     "0",     "0",     "0", "0", "0", "0", "0",     "0",     "0"};
    EXPECT_EQ(linesOf(testfiles::readFile(path())), expected);
}

TEST_F(SettingsFileTest, LinesOneToFourFollowTheControls)
{
    AppState s;
    const SettingsFileControls on{true, true, true, true};
    const QStringList lines = SettingsFileLines(s, on, {QStringLiteral("/data/photos"), QStringLiteral("JPEG Image")});
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"/data/photos", "allselected", "magnitude", "JPEG Image"}));
    EXPECT_EQ(lines.size(), SettingsLineCount);
}

TEST_F(SettingsFileTest, RoundTripKeepsEveryValue)
{
    const AppState written = changedState();
    const SettingsFileControls controls{true, false, true, true};
    ASSERT_TRUE(WriteSettingsFile(path(), written, controls, {QStringLiteral("/srv/x"), QStringLiteral("Text Document")}));

    AppState read;
    SettingsFileControls unused;
    ASSERT_TRUE(ReadSettingsFile(path(), read, false, unused));
    EXPECT_EQ(read.CurrentFolder, QStringLiteral("/srv/x"));
    EXPECT_EQ(read.CheckAllOnLoad, 0);
    EXPECT_EQ(read.CurrentFileSpec, QStringLiteral("Text Document"));
    EXPECT_EQ(read.FileViewName, written.FileViewName);
    EXPECT_EQ(read.SkipBookmarkName, written.SkipBookmarkName);
    EXPECT_EQ(read.TopMostWindow, written.TopMostWindow);
    EXPECT_EQ(read.ClearOnFolderDrop, written.ClearOnFolderDrop);
    EXPECT_EQ(read.ReplaceAllExt, written.ReplaceAllExt);
    EXPECT_EQ(read.ReplaceAllExtTo, written.ReplaceAllExtTo);
    EXPECT_EQ(read.TimeFormatText, written.TimeFormatText);
    EXPECT_EQ(read.DateFormatText, written.DateFormatText);
    EXPECT_EQ(read.RandomMaskText, written.RandomMaskText);
    EXPECT_EQ(read.LastListIndex, written.LastListIndex);
    EXPECT_EQ(read.ShowHiddenFolders, 1);
    EXPECT_EQ(read.AutoRefreshRenamer, 1);
    EXPECT_EQ(read.AutoRefreshMainList, 1);
    EXPECT_EQ(read.AutoValidateNames, 1);
    EXPECT_EQ(read.AutoNormalizeAttributes, 1);
    EXPECT_EQ(read.ShowLogAfterRename, 1);
    EXPECT_EQ(read.SaveLogFile, 1);
    EXPECT_EQ(read.ShowRenameDropDialog, 1);
    EXPECT_EQ(read.ShowRenameConfirmation, 1);

    SettingsFileControls back;
    ASSERT_TRUE(ReadSettingsFile(path(), read, true, back));
    EXPECT_EQ(back, controls);
}

TEST_F(SettingsFileTest, ReadingRulesPerLine)
{
    struct Case {
        int line;
        const char *text;
        std::function<void(const AppState &)> check;
    };
    const Case cases[] = {
        {1, "blank", [](const AppState &s) { EXPECT_EQ(s.CurrentFolder, QStringLiteral("/before")); }},
        {2, "allselected", [](const AppState &s) { EXPECT_EQ(s.CheckAllOnLoad, 1); }},
        {2, "yes please", [](const AppState &s) { EXPECT_EQ(s.CheckAllOnLoad, 1); }},
        {2, "blank", [](const AppState &s) { EXPECT_EQ(s.CheckAllOnLoad, 0); }},
        {4, "blank", [](const AppState &s) { EXPECT_EQ(s.CurrentFileSpec, QStringLiteral("*.*")); }},
        {4, "", [](const AppState &s) { EXPECT_EQ(s.CurrentFileSpec, QString()); }},
        {7, "0", [](const AppState &s) { EXPECT_EQ(s.SkipBookmarkName, 0); }},
        {8, "x9", [](const AppState &s) { EXPECT_EQ(s.TopMostWindow, 5); }},
        {10, "True", [](const AppState &s) { EXPECT_TRUE(s.ReplaceAllExt); }},
        {10, "-1", [](const AppState &s) { EXPECT_TRUE(s.ReplaceAllExt); }},
        {10, "0", [](const AppState &s) { EXPECT_FALSE(s.ReplaceAllExt); }},
        {10, "False", [](const AppState &s) { EXPECT_FALSE(s.ReplaceAllExt); }},
        {9, "maybe", [](const AppState &s) { EXPECT_TRUE(s.ClearOnFolderDrop); }},
        {14, "##-AA", [](const AppState &s) { EXPECT_EQ(s.RandomMaskText, QStringLiteral("##-AA")); }},
        {15, "99999", [](const AppState &s) { EXPECT_EQ(s.LastListIndex, 2); }},
        {16, "1", [](const AppState &s) { EXPECT_EQ(s.ShowHiddenFolders, 1); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("line %1 = \"%2\"").arg(c.line).arg(QLatin1String(c.text)).toStdString());
        AppState before;
        before.CurrentFolder = QStringLiteral("/before");
        before.CheckAllOnLoad = 1;
        before.TopMostWindow = 5;
        before.ClearOnFolderDrop = true;
        before.LastListIndex = 2;
        before.SkipBookmarkName = 1;
        QStringList lines = SettingsFileLines(before, {}, {});
        lines[c.line - 1] = QLatin1String(c.text);
        testfiles::writeFile(path(), fileOf(lines));
        AppState s = before;
        SettingsFileControls unused;
        ASSERT_TRUE(ReadSettingsFile(path(), s, false, unused));
        c.check(s);
    }
}

TEST_F(SettingsFileTest, MissingShortAndLongFilesLoadWithoutHarm)
{
    AppState s = changedState();
    s.CurrentFolder = QStringLiteral("/kept");
    SettingsFileControls controls{true, true, true, true};

    // Missing: nothing changes.
    EXPECT_FALSE(ReadSettingsFile(path(), s, false, controls));
    EXPECT_EQ(s.CurrentFolder, QStringLiteral("/kept"));

    // Three lines: those are read, every later value stays, and the controls of the missing
    // line 4 keep their state.
    s.SettingsLines[20] = QStringLiteral("old line 21");
    testfiles::writeFile(path(), "/short\r\nblank\r\nblank\r\n");
    ASSERT_TRUE(ReadSettingsFile(path(), s, false, controls));
    EXPECT_EQ(s.CurrentFolder, QStringLiteral("/short"));
    EXPECT_EQ(s.CheckAllOnLoad, 0);
    EXPECT_EQ(s.FileViewName, QStringLiteral("Icons"));
    EXPECT_EQ(s.ReplaceAllExtTo, QStringLiteral("jpg"));
    EXPECT_EQ(s.ShowRenameConfirmation, 1);
    EXPECT_EQ(s.SettingsLines[20], QStringLiteral("old line 21"));
    ASSERT_TRUE(ReadSettingsFile(path(), s, true, controls));
    EXPECT_EQ(controls, (SettingsFileControls{true, false, false, true}));

    // Thirty lines: line 25 is kept, the rest dropped, lines 1 to 24 read as usual.
    QStringList lines = SettingsFileLines(AppState{}, {}, {});
    for (int i = 25; i <= 30; ++i)
        lines << QStringLiteral("extra %1").arg(i);
    testfiles::writeFile(path(), fileOf(lines));
    ASSERT_TRUE(ReadSettingsFile(path(), s, false, controls));
    EXPECT_EQ(s.SettingsLines[24], QStringLiteral("extra 25"));
    EXPECT_EQ(s.ShowRenameConfirmation, 0);
    EXPECT_EQ(s.FileViewName, QString());

    // An empty file and a file of binary junk change no number.
    for (const QByteArray &junk : {QByteArray(), QByteArray("\x00\xff\xfe\x01\r\r\n\x80", 8)}) {
        testfiles::writeFile(path(), junk);
        AppState t = changedState();
        EXPECT_TRUE(ReadSettingsFile(path(), t, false, controls));
        EXPECT_EQ(t.TopMostWindow, 7);
        EXPECT_EQ(t.LastListIndex, 3);
        EXPECT_TRUE(t.ReplaceAllExt);
    }
}

TEST_F(SettingsFileTest, LineBreaksNeverShiftTheLines)
{
    AppState s;
    s.ReplaceAllExtTo = QStringLiteral("a\r\nb");
    s.RandomMaskText = QStringLiteral("A\nA");
    const QStringList lines = SettingsFileLines(s, {true, false, false, true},
                                                {QStringLiteral("/odd\nfolder"), QStringLiteral("T\ry")});
    ASSERT_EQ(lines.size(), SettingsLineCount);
    EXPECT_EQ(lines[0], QStringLiteral("blank"));
    EXPECT_EQ(lines[3], QStringLiteral("Ty"));
    EXPECT_EQ(lines[10], QStringLiteral("ab"));
    EXPECT_EQ(lines[13], QStringLiteral("AA"));
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheOldFile)
{
    testfiles::writeFile(path(), "old\r\n");
    const QString blocked = dir.filePath(QStringLiteral("Trevalle.ini/inside.ini"));
    EXPECT_FALSE(WriteSettingsFile(blocked, AppState{}, {}, {}));
    EXPECT_EQ(testfiles::readFile(path()), QByteArray("old\r\n"));
}

TEST_F(SettingsFileTest, ARunWithoutWindowsSavesOnlyWhatWouldChange)
{
    // As closing the main window saves them when nothing was changed: the same file is left
    // alone (not even written again), a missing one is created, and the preferences dialog's
    // on/off values and lines 1 to 4 come out as the window would write them.
    const auto inode = [this] {
        struct stat st {};
        return ::stat(QFile::encodeName(path()).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    struct Case {
        const char *name;
        QStringList onDisk;  // empty: no file
        QStringList saved;
    };
    const QStringList same{"/data/photos", "allselected", "blank", "JPEG Image", "Report", "", "1", "7", "True",
                           "False", "", "", "", "", "2", "1", "0", "1", "1", "0", "1", "0", "0", "1"};
    QStringList loose = same;
    loose[18] = "5";   // AutoValidateNames: on, as the dialog sees it
    loose[6] = "3";    // SkipBookmarkName: the dialog keeps 0 or 1
    QStringList tidy = same;
    tidy[18] = "1";
    tidy[6] = "0";   // the dialog's box shows 3 as on (3 XOR 1), which saves as 0
    QStringList blanks = same;
    blanks[0] = blanks[3] = "blank";
    const Case cases[] = {
        {"unchanged", same, same},
        {"values the dialog tidies", loose, tidy},
        {"lines 1 and 4 off", blanks, blanks},
        {"no file yet", {}, {"blank", "blank", "blank", "blank", "", "", "0", "0", "False", "False", "", "", "", "",
                              "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path());
        if (!c.onDisk.isEmpty())
            testfiles::writeFile(path(), fileOf(c.onDisk));
        const ino_t before = inode();
        AppState s;
        SettingsFileControls unused;
        ReadSettingsFile(path(), s, false, unused);
        ASSERT_TRUE(SaveSettingsFileUnchanged(path(), s));
        EXPECT_EQ(linesOf(testfiles::readFile(path())), c.saved);
        if (c.onDisk == c.saved) {
            EXPECT_EQ(inode(), before) << "written again";
        }
    }
}

// "Save Last Selected Folder" ticked with no folder selected writes the empty line, which reads
// back as ticked; a folder whose bytes are not UTF-8 is written and read back as those bytes.
TEST_F(SettingsFileTest, TheFolderLineKeepsTheChoiceAndTheBytes)
{
    AppState s;
    const SettingsFileControls ticked{true, false, false, false};
    ASSERT_TRUE(WriteSettingsFile(path(), s, ticked, {QString(), QStringLiteral("*.*")}));
    EXPECT_TRUE(testfiles::readFile(path()).startsWith("\r\nblank\r\n"));
    SettingsFileControls read;
    ASSERT_TRUE(ReadSettingsFile(path(), s, true, read));
    EXPECT_TRUE(read.Check1);

    const QByteArray folder = QFile::encodeName(dir.path()) + "/lat\xE9n";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    AppState changed = changedState();
    changed.DateFormatText = QStringLiteral("dd \u00E9t\u00E9");
    ASSERT_TRUE(WriteSettingsFile(path(), changed, ticked, {pathcodec::decode(folder), QStringLiteral("*.*")}));
    const QByteArray bytes = testfiles::readFile(path());
    EXPECT_TRUE(bytes.startsWith(folder + "\r\nblank\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\ndd \xC3\xA9t\xC3\xA9\r\n")) << bytes.toStdString();
    AppState back;
    ASSERT_TRUE(ReadSettingsFile(path(), back, false, read));
    EXPECT_EQ(back.CurrentFolder, pathcodec::decode(folder));
    EXPECT_EQ(back.DateFormatText, changed.DateFormatText);
}
