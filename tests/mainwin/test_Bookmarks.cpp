// Folder bookmarks: the "+" and "BookMarks" buttons of the main window, the name dialog and
// the bookmarks window, used with the mouse and the keyboard.
#include "FolderTree.h"
#include "ListViewEditable.h"
#include "MainWindowFixture.h"
#include "RenamerWiring.h"
#include "UserInput.h"
#include "WithoutPermissionOverride.h"
#include "frmBName.h"
#include "frmBookmarks.h"
#include "frmMain.h"
#include "frmPref.h"
#include "frmRenamer.h"

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <sys/stat.h>

using namespace mainwin;

namespace {

class BookmarksTest : public MainWindowFixture {
public:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (const char *name : {"A", "B", "C"})
            ASSERT_TRUE(QDir().mkpath(dataPath(QLatin1String(name))));
    }
    QString bookmarksFile() const { return home.filePath(QStringLiteral("bookmarks.bks")); }
    void writeBookmarks(const QStringList &lines, bool finalLineEnd = true)
    {
        QString text = lines.join(QStringLiteral("\r\n"));
        if (finalLineEnd)
            text += QStringLiteral("\r\n");
        testfiles::writeFile(bookmarksFile(), text.toUtf8());
    }
    // "nA", A, "nB", B, "nC", C.
    void writeABC() { writeBookmarks({"nA", dataPath("A"), "nB", dataPath("B"), "nC", dataPath("C")}); }

    frmBookmarks &showBookmarks(frmMain &w)
    {
        userinput::click(w.cmdBookmarks);
        EXPECT_TRUE(w.Bookmarks().isVisible());
        return w.Bookmarks();
    }
    static QPointer<frmBName> nameDialog(frmMain &w) { return w.findChild<frmBName *>(); }
    // Picks a folder in the tree and presses "+".
    static void addFolder(frmMain &w, const QString &folder)
    {
        w.ftv->ClickFolder(folder);
        userinput::click(w.Command5);
    }
    QByteArray bookmarkBytes(const QStringList &lines) const
    {
        QByteArray out;
        for (const QString &line : lines)
            out += line.toUtf8() + "\r\n";
        return out;
    }
};

} // namespace

TEST_F(BookmarksTest, TheFileIsReadWhenTheWindowLoads)
{
    struct Case {
        const char *what;
        QStringList lines;
        bool finalLineEnd;
        QStringList names;
        QStringList folders;
    };
    const Case cases[] = {
        {"three without a final line end", {"nA", dataPath("A"), "nB", dataPath("B"), "nC", dataPath("C")}, false,
         {"nA", "nB", "nC"}, {dataPath("A"), dataPath("B"), dataPath("C")}},
        {"empty folders dropped", {"gone", "", "nB", dataPath("B"), "gone too", ""}, true, {"nB"}, {dataPath("B")}},
        {"a last name without folder", {"nA", dataPath("A"), "nB"}, true, {"nA"}, {dataPath("A")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeBookmarks(c.lines, c.finalLineEnd);
        auto w = open();
        frmBookmarks &b = showBookmarks(*w);
        EXPECT_EQ(entries(b.lstNames), c.names);
        EXPECT_EQ(entries(b.lstBookmarks), c.folders);
    }
    QFile::remove(bookmarksFile());
    auto w = open();
    EXPECT_EQ(showBookmarks(*w).lstNames->count(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BookmarksTest, WithoutAskingTheNamesCountUp)
{
    state.SkipBookmarkName = 1;
    auto w = open();
    addFolder(*w, dataPath("A"));
    addFolder(*w, dataPath("B"));
    addFolder(*w, dataPath("A"));
    EXPECT_TRUE(nameDialog(*w).isNull());
    EXPECT_FALSE(w->Bookmarks().isVisible());
    w->cmdQuit_Click();
    EXPECT_EQ(testfiles::readFile(bookmarksFile()), bookmarkBytes({"Bookmark 0", dataPath("A"), "Bookmark 1", dataPath("B")}));
}

TEST_F(BookmarksTest, TheNameDialogStoresTheTypedOrTheDefaultName)
{
    auto w = open();
    addFolder(*w, dataPath("A"));
    QPointer<frmBName> dialog = nameDialog(*w);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->Check1->isChecked());
    userinput::type(dialog->txtBName, QStringLiteral("Alpha"));
    userinput::click(dialog->Command1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isNull() || !dialog->isVisible());

    // "Don't Ask Names" and Enter: the default name, and no more questions.
    addFolder(*w, dataPath("B"));
    dialog = nameDialog(*w);
    ASSERT_FALSE(dialog.isNull());
    userinput::click(dialog->Check1);
    EXPECT_EQ(state.SkipBookmarkName, 1);
    EXPECT_FALSE(w->Pref().chkBkr->isChecked());
    userinput::type(dialog->txtBName, QStringLiteral("typed"));
    userinput::key(dialog->txtBName, Qt::Key_Return, QStringLiteral("\r"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isNull() || !dialog->isVisible());

    addFolder(*w, dataPath("C"));
    EXPECT_TRUE(nameDialog(*w).isNull());
    // A folder already bookmarked is not added again, whatever the dialog holds.
    state.SkipBookmarkName = 0;
    addFolder(*w, dataPath("A"));
    dialog = nameDialog(*w);
    ASSERT_FALSE(dialog.isNull());
    userinput::type(dialog->txtBName, QStringLiteral("twice"));
    userinput::click(dialog->Command1);

    frmBookmarks &b = showBookmarks(*w);
    EXPECT_EQ(entries(b.lstNames), (QStringList{"Alpha", "Bookmark 1", "Bookmark 2"}));
    EXPECT_EQ(entries(b.lstBookmarks), (QStringList{dataPath("A"), dataPath("B"), dataPath("C")}));
    // The preference written at exit says "do not ask".
    w->cmdQuit_Click();
    EXPECT_EQ(settingsLines().value(6), QStringLiteral("1"));
}

TEST_F(BookmarksTest, ALeftClickOnEitherListGoesToTheBookmark)
{
    writeABC();
    makeFile(QStringLiteral("B/in-b.txt"));
    auto w = open();
    frmBookmarks &b = showBookmarks(*w);
    userinput::clickRow(b.lstBookmarks, 1);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("B"));
    // The tree's new folder is listed.
    ASSERT_EQ(w->lvw2->FileItemCount(), 1);
    EXPECT_EQ(w->lvw2->ListItems().Item(1).Text, QStringLiteral("in-b.txt"));
    EXPECT_EQ(state.CurrentFolder, dataPath("B"));
    EXPECT_EQ(b.lstNames->currentRow(), 1);
    EXPECT_TRUE(b.lstNames->item(1)->isSelected());

    userinput::clickRow(b.lstNames, 2);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("C"));
    EXPECT_EQ(b.lstBookmarks->currentRow(), 2);

    // A right click chooses nothing.
    userinput::clickRow(b.lstNames, 0, Qt::RightButton);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("C"));

    // A bookmark whose folder is gone leaves the tree and the list alone.
    ASSERT_TRUE(QDir(dataPath("A")).removeRecursively());
    userinput::clickRow(b.lstNames, 0);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("C"));
    EXPECT_EQ(state.CurrentFolder, dataPath("C"));
}

TEST_F(BookmarksTest, DeletingAfterKeyboardNavigationRemovesOneWholeBookmark)
{
    writeABC();
    auto w = open();
    frmBookmarks &b = showBookmarks(*w);
    userinput::clickRow(b.lstNames, 0);
    userinput::key(b.lstNames, Qt::Key_Down);
    EXPECT_EQ(b.lstBookmarks->currentRow(), 1);
    // The Delete key in the other list deletes the same bookmark.
    userinput::key(b.lstBookmarks, Qt::Key_Delete);
    EXPECT_EQ(entries(b.lstNames), (QStringList{"nA", "nC"}));
    EXPECT_EQ(entries(b.lstBookmarks), (QStringList{dataPath("A"), dataPath("C")}));

    userinput::key(b.lstBookmarks, Qt::Key_Up);
    EXPECT_EQ(b.lstNames->currentRow(), 0);
    b.mnuDelete->trigger();
    EXPECT_EQ(entries(b.lstNames), QStringList{"nC"});
    EXPECT_EQ(entries(b.lstBookmarks), QStringList{dataPath("C")});

    b.close();
    EXPECT_EQ(testfiles::readFile(bookmarksFile()), bookmarkBytes({"nC", dataPath("C")}));
    // The next use reads the file again.
    QCoreApplication::processEvents();
    EXPECT_EQ(entries(showBookmarks(*w).lstNames), QStringList{"nC"});
}

TEST_F(BookmarksTest, ClearAllThenClosingLeavesAnEmptyFile)
{
    writeABC();
    auto w = open();
    frmBookmarks &b = showBookmarks(*w);
    b.mnuClearAll->trigger();
    EXPECT_EQ(b.lstNames->count() + b.lstBookmarks->count(), 0);
    // Without a selection, Delete does nothing.
    userinput::key(b.lstNames, Qt::Key_Delete);
    b.close();
    EXPECT_TRUE(QFileInfo::exists(bookmarksFile()));
    EXPECT_EQ(testfiles::readFile(bookmarksFile()), QByteArray());
}

TEST_F(BookmarksTest, AlwaysOnTopTakesTheTopFromTheMainWindow)
{
    auto w = open();
    userinput::click(w->chkOnTop);
    ASSERT_EQ(state.TopMostWindow, 1);
    frmBookmarks &b = showBookmarks(*w);
    EXPECT_FALSE(b.mnuOnTop->isChecked());

    b.mnuOnTop->trigger();
    EXPECT_TRUE(b.mnuOnTop->isChecked());
    EXPECT_FALSE(w->chkOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 5);
    EXPECT_TRUE(b.windowFlags() & Qt::WindowStaysOnTopHint);

    userinput::click(w->chkOnTop);
    EXPECT_FALSE(b.mnuOnTop->isChecked());
    EXPECT_FALSE(b.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(state.TopMostWindow, 1);

    userinput::click(w->chkOnTop);
    b.mnuOnTop->trigger();
    b.mnuOnTop->trigger();
    EXPECT_FALSE(b.mnuOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 0);

    // Loaded while it is the window on top, it shows the tick.
    b.close();
    QCoreApplication::processEvents();
    state.TopMostWindow = 5;
    EXPECT_TRUE(showBookmarks(*w).mnuOnTop->isChecked());
}

TEST_F(BookmarksTest, TheLastOfTheThreeOnTopWindowsHoldsTheTop)
{
    frmMain main(state);
    renamewin::frmRenamer renamer(state);
    const auto mainList = renamewin::connectRenamer(main, renamer);
    main.Load();
    frmBookmarks &bookmarks = main.Bookmarks();

    renamer.chkOnTop->setChecked(true);
    ASSERT_EQ(state.TopMostWindow, 7);
    bookmarks.mnuOnTop->trigger();
    EXPECT_TRUE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(renamer.chkOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 5);

    renamer.chkOnTop->setChecked(true);
    EXPECT_FALSE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(bookmarks.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(state.TopMostWindow, 7);

    bookmarks.mnuOnTop->trigger();
    main.chkOnTop->setChecked(true);
    EXPECT_FALSE(bookmarks.mnuOnTop->isChecked());
    EXPECT_FALSE(renamer.chkOnTop->isChecked());
    EXPECT_EQ(state.TopMostWindow, 1);
}

TEST_F(BookmarksTest, AFolderWithALineBreakIsRefused)
{
    ASSERT_TRUE(QDir().mkpath(dataPath("two\nlines")));
    state.SkipBookmarkName = 1;
    auto w = open();
    addFolder(*w, dataPath("two\nlines"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.prompts().front().contains(QStringLiteral("two\\nlines"))) << messages.prompts().front().toStdString();
    EXPECT_EQ(w->Bookmarks().Store().Count(), 0u);
}

// A bookmarks file that is a link to nothing reads as no bookmarks; on closing, nothing is made
// where it leads and the box names the file and the reason.
TEST_F(BookmarksTest, ADanglingLinkIsNotWrittenAndTheBoxNamesIt)
{
    ASSERT_EQ(::symlink("elsewhere/gone.bks", QFile::encodeName(bookmarksFile()).constData()), 0);
    state.SkipBookmarkName = 1;
    auto w = open();
    addFolder(*w, dataPath("B"));
    ASSERT_TRUE(messages.shown.empty()) << messages.prompts().join(u'|').toStdString();
    w->cmdQuit_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.prompts().front(), "The bookmarks file \"" + bookmarksFile()
                                              + "\" could not be saved: it is a link to \"elsewhere/gone.bks\", which "
                                                "does not exist.");
    EXPECT_TRUE(QFileInfo(bookmarksFile()).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("elsewhere"))));
}

// A bookmarks file that is there but cannot be read is said once and left as it is at the end,
// whatever was bookmarked meanwhile.
TEST_F(BookmarksTest, AFileThatCannotBeReadIsReportedOnceAndKept)
{
    const QByteArray kept = bookmarkBytes({"nA", dataPath("A")});
    const struct {
        const char *what;
        bool fifo;
    } cases[] = {{"no read permission", false}, {"a FIFO", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        QFile::remove(bookmarksFile());
        if (c.fifo) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(bookmarksFile()).constData(), 0644), 0);
        } else {
            testfiles::writeFile(bookmarksFile(), kept);
            ASSERT_TRUE(QFile::setPermissions(bookmarksFile(), QFile::WriteOwner));
        }
        {
            WithoutPermissionOverride restricted;
            if (!restricted.ok())
                GTEST_SKIP() << "cannot give up the permission override of root";
            state.SkipBookmarkName = 1;
            auto w = open();
            addFolder(*w, dataPath("B"));
            addFolder(*w, dataPath("C"));
            w->cmdQuit_Click();
        }
        int told = 0;
        for (const auto &shown : messages.shown)
            told += shown.prompt.contains(QStringLiteral("could not be read"));
        EXPECT_EQ(told, 1);
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(bookmarksFile()).constData(), &st), 0);
        if (c.fifo) {
            EXPECT_TRUE(S_ISFIFO(st.st_mode));
        } else {
            ASSERT_TRUE(QFile::setPermissions(bookmarksFile(), QFile::ReadOwner | QFile::WriteOwner));
            EXPECT_EQ(testfiles::readFile(bookmarksFile()), kept);
        }
    }
}

TEST_F(BookmarksTest, TheListsKeepTheirProportionsAsTheWindowIsResized)
{
    writeABC();
    auto w = open();
    frmBookmarks &b = showBookmarks(*w);
    const QSize design = b.size();
    const QRect names = b.lstNames->geometry();
    const QRect marks = b.lstBookmarks->geometry();
    b.resize(design.width() * 2, design.height() * 3 / 2);
    QApplication::processEvents();
    EXPECT_NEAR(b.lstBookmarks->x(), marks.x() * 2, 2);
    EXPECT_NEAR(b.lstBookmarks->width(), marks.width() * 2, 2);
    EXPECT_NEAR(b.lstBookmarks->height(), marks.height() * 3 / 2, 2);
    EXPECT_NEAR(b.lstNames->width(), names.width() * 2, 2);
    EXPECT_EQ(b.lstNames->y(), b.lstBookmarks->y());
    EXPECT_EQ(b.lstNames->height(), b.lstBookmarks->height()) << "the names list takes the bookmarks list's height";
    b.resize(design);
    QApplication::processEvents();
    EXPECT_EQ(b.lstBookmarks->geometry(), marks);
}

// A bookmark whose folder is not UTF-8 ("lat\xE9n") keeps its bytes through a run of the window:
// chosen, it is told by name (the folder tree cannot hold such a name), and closing the window
// writes it back byte for byte, never as another folder.
TEST_F(BookmarksTest, AFolderThatIsNotUtf8KeepsItsBytesAndIsToldWhenChosen)
{
    const QByteArray folder = QFile::encodeName(dataPath("A")) + "/lat\xE9n";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray file = "Latin\r\n" + folder + "\r\nnB\r\n" + QFile::encodeName(dataPath("B")) + "\r\n";
    testfiles::writeFile(bookmarksFile(), file);
    auto w = open();
    frmBookmarks &b = showBookmarks(*w);
    userinput::clickRow(b.lstBookmarks, 1);
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("B"));
    messages.shown.clear();
    userinput::clickRow(b.lstNames, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(lastPrompt().contains(QStringLiteral("lat\\xe9n"))) << lastPrompt().toStdString();
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath("B"));
    b.close();
    EXPECT_EQ(testfiles::readFile(bookmarksFile()), file);
    ::rmdir(folder.constData());
}
