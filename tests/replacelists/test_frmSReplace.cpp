// The string replace-list dialog driven as a user drives it: opened with the rename window's
// "Replace Options", cells edited in place, the context menu, the buttons, file dialogs and
// message boxes answered through the recorders.
#include "ReplaceDialogFixture.h"
#include "TestFiles.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace replacelisttest;

namespace {

class StringDialogTest : public ReplaceDialogFixture {};

const std::vector<ReplaceListEntry> ThreeRows{{"y", "ABC", "x"}, {"n", "def", "$Counter$"}, {"n", "ghi", ""}};

} // namespace

TEST_F(StringDialogTest, OpensOnTheTableAndOKStoresTheRowsInUse)
{
    app.ReplaceList = ThreeRows;
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Replace File name Strings"));
    EXPECT_EQ(d->GridR->Rows(), 500u);
    EXPECT_EQ((QStringList{d->GridR->ColumnHeader(1), d->GridR->ColumnHeader(2), d->GridR->ColumnHeader(3)}),
              (QStringList{"Match Case", "From String", "To String"}));
    EXPECT_EQ(d->GridR->ColumnWidth(1), 80);
    const int text = int(std::lround((d->GridR->width() - 102) / 2.0));
    EXPECT_EQ(d->GridR->ColumnWidth(2), text);
    EXPECT_EQ(d->GridR->ColumnWidth(3), text);
    EXPECT_EQ(gridRows(*d, 4), (std::vector<ReplaceListEntry>{ThreeRows[0], ThreeRows[1], ThreeRows[2], {}}));
    EXPECT_FALSE(d->Check1->isChecked());
    EXPECT_EQ(d->Check1->text(), QStringLiteral("Match Case All"));

    // A second click on "Replace Options" brings up the same dialog.
    click(renamer().Command2);
    EXPECT_EQ(lists->strings(), d);

    editCell(*d, 2, 3, QStringLiteral("changed"));
    click(d->cmdCScr);
    settle();
    EXPECT_FALSE(lists->strings());
    EXPECT_EQ(app.ReplaceList, (std::vector<ReplaceListEntry>{ThreeRows[0], {"n", "def", "changed"}, ThreeRows[2]}));
}

TEST_F(StringDialogTest, RowsInUseReachTheLastRowClickedOrEdited)
{
    struct Case {
        const char *what;
        std::vector<ReplaceListEntry> table;
        int clickRow;  // 0: none
        bool ok;
        std::vector<ReplaceListEntry> after;
    };
    const std::vector<ReplaceListEntry> five(5);
    const Case cases[] = {
        {"empty table, OK at once", {}, 0, true, {}},
        {"row 5 of an empty grid, OK", {}, 5, true, five},
        {"row 5, Cancel", ThreeRows, 5, false, ThreeRows},
        {"row 2 of three rows, OK", ThreeRows, 2, true, ThreeRows},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        app.ReplaceList = c.table;
        frmSReplace *d = openStrings();
        ASSERT_TRUE(d);
        if (c.clickRow)
            clickCell(*d, c.clickRow, 2);
        click(c.ok ? d->cmdCScr : d->cmdQuit);
        settle();
        EXPECT_EQ(app.ReplaceList, c.after);
    }

    // Reopening after a Cancel shows the stored rows again.
    frmSReplace *d = openStrings();
    EXPECT_EQ(gridRows(*d, 3), ThreeRows);
    EXPECT_EQ(d->rows().RowsInUse, 3);
}

TEST_F(StringDialogTest, CellEditorsAsTheUserUsesThem)
{
    app.ReplaceList = {{"", "abc", "to"}};
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);

    // A click picks the column's editor; a double-click lays it over the cell with the whole
    // text selected, and a Match Case cell left empty becomes "n".
    clickCell(*d, 1, 1);
    EXPECT_EQ(d->currentEditor(), d->cmbEdit);
    dblClickCell(*d, 1, 2);
    ASSERT_TRUE(d->txtEdit->isVisible());
    EXPECT_EQ(focus(), d->txtEdit);
    EXPECT_EQ(d->txtEdit->selectedText(), QStringLiteral("abc"));
    EXPECT_EQ(d->GridR->CellText(1, 1), QStringLiteral("n"));
    const QRect cell = d->GridR->CellBoundary(1, 2);
    EXPECT_EQ(d->txtEdit->geometry().topLeft(), d->GridR->pos() + cell.topLeft() + QPoint(0, 1));
    EXPECT_EQ(d->txtEdit->width(), cell.width());

    // Escape leaves the cell as it was.
    type(QStringLiteral("zzz"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(d->txtEdit->isVisible());
    EXPECT_EQ(d->GridR->CellText(1, 2), QStringLiteral("abc"));

    // A character typed on a cell starts the edit with the character before the old text, the
    // old text selected: the next character replaces it.
    clickCell(*d, 1, 2);
    type(QStringLiteral("x"));
    ASSERT_TRUE(d->txtEdit->isVisible());
    EXPECT_EQ(d->txtEdit->text(), QStringLiteral("xabc"));
    EXPECT_EQ(d->txtEdit->selectedText(), QStringLiteral("abc"));
    type(QStringLiteral("y"));
    key(Qt::Key_Return);
    EXPECT_FALSE(d->txtEdit->isVisible());
    EXPECT_EQ(d->GridR->CellText(1, 2), QStringLiteral("xy"));

    // The Match Case editor offers "y" and "n".
    dblClickCell(*d, 1, 1);
    ASSERT_TRUE(d->cmbEdit->isVisible());
    EXPECT_EQ(d->cmbEdit->count(), 2);
    EXPECT_EQ(d->cmbEdit->currentText(), QStringLiteral("n"));
    type(QStringLiteral("y"));
    key(Qt::Key_Return);
    EXPECT_EQ(d->GridR->CellText(1, 1), QStringLiteral("y"));

    // The To String editor takes typed text; clicking another cell ends the edit too.
    dblClickCell(*d, 1, 3);
    ASSERT_TRUE(d->cmbToR->isVisible());
    type(QStringLiteral("$Upper_Case$-"));
    clickCell(*d, 3, 2);
    EXPECT_FALSE(d->cmbToR->isVisible());
    EXPECT_EQ(d->GridR->CellText(1, 3), QStringLiteral("$Upper_Case$-"));

    // Pressing OK while a cell is being edited keeps what was typed.
    dblClickCell(*d, 2, 2);
    type(QStringLiteral("typed"));
    click(d->cmdCScr);
    settle();
    EXPECT_EQ(app.ReplaceList, (std::vector<ReplaceListEntry>{{"y", "xy", "$Upper_Case$-"}, {"n", "typed", ""}, {}}));
}

TEST_F(StringDialogTest, TokenFieldItems)
{
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->cmbToR->count(), 16);
    EXPECT_EQ(d->cmbToR->itemText(5), QStringLiteral("$current_date$"));
    EXPECT_EQ(d->cmbToR->itemText(15), QStringLiteral("$MP3 Data$"));
    std::vector<std::tuple<QComboBox *, int, int>> chosen;
    QObject::connect(d, &frmSReplace::tokenItemChosen,
                     [&](QComboBox *field, int row, int col) { chosen.emplace_back(field, row, col); });

    // An item chosen from the list is reported for the cell being edited; the cell holds the
    // item once the edit ends.
    editCell(*d, 1, 2, QStringLiteral("a"));
    dblClickCell(*d, 2, 3);
    chooseItem(d->cmbToR, QStringLiteral("$Counter$"));
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0], std::make_tuple(d->cmbToR, 2, 3));
    EXPECT_TRUE(d->cmbToR->isVisible());
    key(Qt::Key_Return);
    EXPECT_EQ(d->GridR->CellText(2, 3), QStringLiteral("$Counter$"));

    // Typing an item's text and pressing Enter chooses nothing.
    dblClickCell(*d, 3, 3);
    type(QStringLiteral("$current_date$"));
    key(Qt::Key_Return);
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_EQ(d->GridR->CellText(3, 3), QStringLiteral("$current_date$"));
}

TEST_F(StringDialogTest, MatchCaseAllSetsTheRowsInUse)
{
    app.ReplaceList = ThreeRows;
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    click(d->Check1);
    EXPECT_EQ(d->Check1->text(), QStringLiteral("Match Case None"));
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(d->GridR->CellText(size_t(row), 1), QStringLiteral("y")) << row;
    EXPECT_EQ(d->GridR->CellText(4, 1), QString());
    click(d->Check1);
    EXPECT_EQ(d->Check1->text(), QStringLiteral("Match Case All"));
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(d->GridR->CellText(size_t(row), 1), QStringLiteral("n")) << row;
}

TEST_F(StringDialogTest, ContextMenuOnTheSelectedCell)
{
    app.ReplaceList = ThreeRows;
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);

    contextMenu(*d, 2, 2, 2);  // "&CopyText"
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("def"));
    EXPECT_EQ(d->mnuContext[0]->text(), QStringLiteral("&Edit"));
    EXPECT_TRUE(d->mnuContext[1]->isSeparator());

    contextMenu(*d, 1, 3, 3);  // "C&lear"
    EXPECT_EQ(d->GridR->CellText(1, 3), QString());

    contextMenu(*d, 3, 2, 0);  // "&Edit"
    ASSERT_TRUE(d->txtEdit->isVisible());
    EXPECT_EQ(d->txtEdit->text(), QStringLiteral("ghi"));
    key(Qt::Key_Escape);

    // "&Delete Row": the rows below move up, the rows in use stay.
    contextMenu(*d, 2, 1, 4);
    EXPECT_EQ(d->GridR->Rows(), 499u);
    EXPECT_EQ(gridRows(*d, 3), (std::vector<ReplaceListEntry>{{"y", "ABC", ""}, ThreeRows[2], {}}));
    EXPECT_EQ(d->rows().RowsInUse, 3);

    // A right click on row 7 puts it in use as a left click does.
    clickCell(*d, 7, 1, Qt::RightButton);
    d->mnuContextTOP->hide();
    EXPECT_EQ(d->rows().RowsInUse, 7);
}

TEST_F(StringDialogTest, ClearBlanksTheGridAndOKStoresIt)
{
    app.ReplaceList = ThreeRows;
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    click(d->cmdClear);
    EXPECT_EQ(gridRows(*d, 3), std::vector<ReplaceListEntry>(3));
    click(d->cmdQuit);
    settle();
    EXPECT_EQ(app.ReplaceList, ThreeRows) << "Cancel keeps the list";

    d = openStrings();
    click(d->cmdClear);
    click(d->cmdCScr);
    EXPECT_EQ(app.ReplaceList, std::vector<ReplaceListEntry>(3));
}

TEST_F(StringDialogTest, SaveAndLoadList)
{
    const QString path = files.path() + QStringLiteral("/list.srl");
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    typeRows(*d, {{"y", "ABC", "x"}});
    clickCell(*d, 2, 2);
    editCell(*d, 3, 2, QStringLiteral("def"));
    editCell(*d, 3, 3, QStringLiteral("$Counter$"));
    clickCell(*d, 4, 2);
    click(d->Check1);

    // A cancelled file dialog writes nothing; the name gets ".srl" when it has no extension.
    click(d->Command1);
    EXPECT_FALSE(QFile::exists(path));
    dialogs.answers << files.path() + QStringLiteral("/list");
    click(d->Command1);
    EXPECT_EQ(dialogs.asked, (QStringList{"Save Replace List", "Save Replace List"}));
    EXPECT_EQ(testfiles::readFile(path),
              QByteArray("Corvisk Strings Replace List\r\n1\r\ny\r\nABC\r\nx\r\ny\r\ndef\r\n$Counter$\r\n"));

    // A file that cannot be written is reported; the saved list stays as it was.
    dialogs.answers << files.path() + QStringLiteral("/missing/list.srl");
    click(d->Command1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Strings Replacer"));
    EXPECT_EQ(messages.shown[0].prompt,
              "The replace list \"" + files.path() + "/missing/list.srl\" could not be saved: Path not found.");
    EXPECT_FALSE(QFile::exists(files.path() + QStringLiteral("/missing")));
    messages.shown.clear();
    click(d->cmdQuit);

    // The file loads into the grid; rows after the loaded ones are blank and not in use.
    app.ReplaceList = ThreeRows;
    app.ReplaceList.resize(6, {"n", "old", "old"});
    d = openStrings();
    dialogs.answers << path;
    click(d->Command2);
    EXPECT_EQ(dialogs.asked.last(), QStringLiteral("Load Replace List"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(gridRows(*d, 3), (std::vector<ReplaceListEntry>{{"y", "ABC", "x"}, {"y", "def", "$Counter$"}, {}}));
    EXPECT_EQ(d->rows().RowsInUse, 2);
    EXPECT_TRUE(d->Check1->isChecked());
    EXPECT_EQ(d->Check1->text(), QStringLiteral("Match Case None"));

    // Cancel after loading: the table is what it was.
    const auto before = app.ReplaceList;
    click(d->cmdQuit);
    settle();
    EXPECT_EQ(app.ReplaceList, before);

    // A file that is not a replace list, or a list longer than the grid, changes nothing and
    // says so.
    QByteArray tooLong = "Corvisk Strings Replace List\r\n0\r\n";
    for (int row = 1; row <= 600; ++row)
        tooLong += "n\r\nfrom" + QByteArray::number(row) + "\r\nto\r\n";
    const struct {
        const char *name;
        QByteArray bytes;
        QString told;
    } refused[] = {
        {"bad.srl", "corvisk strings replace list\r\n0\r\n", QStringLiteral("Invalid File")},
        {"long.srl", tooLong,
         QStringLiteral("The list has 600 rows; at most 500 rows can be loaded, so nothing was loaded.")},
    };
    d = openStrings();
    for (const auto &c : refused) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        testfiles::writeFile(files.path() + u'/' + QLatin1String(c.name), c.bytes);
        dialogs.answers << files.path() + u'/' + QLatin1String(c.name);
        click(d->Command2);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].prompt, c.told);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Strings Replacer"));
        EXPECT_EQ(messages.shown[0].buttons, msg::OKOnly | msg::Information);
        EXPECT_EQ(gridRows(*d, 6), before);
        EXPECT_EQ(d->rows().RowsInUse, 6);
    }
}

TEST_F(StringDialogTest, ExtensionDialogLoadsAStringList)
{
    const QString path = files.path() + QStringLiteral("/strings.srl");
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    typeRows(*d, {{"n", "jpeg", "jpg"}});
    dialogs.answers << path;
    click(d->Command1);
    click(d->cmdQuit);

    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    dialogs.answers << path;
    click(e->Command2);
    click(e->cmdCScr);
    EXPECT_EQ(app.ExtReplaceList, (std::vector<ReplaceListEntry>{{"n", "jpeg", "jpg"}}));
    EXPECT_TRUE(app.ReplaceList.empty());
}

TEST_F(StringDialogTest, OnTopBoxesExcludeEachOther)
{
    mainwin::frmMain main(app);
    mainWindow = &main;
    frmSReplace *d = openStrings();
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(d && e);
    renamer().chkOnTop->setChecked(true);
    main.chkOnTop->setChecked(true);
    click(d->chkOnTop);
    EXPECT_FALSE(renamer().chkOnTop->isChecked());
    EXPECT_FALSE(main.chkOnTop->isChecked());
    EXPECT_EQ(app.TopMostWindow, 9);
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);

    // The rename window and the main window take the place from the string dialog, never
    // from the extension dialog.
    click(e->chkOnTop);
    EXPECT_EQ(app.TopMostWindow, 9);
    renamer().chkOnTop->setChecked(true);
    EXPECT_FALSE(d->chkOnTop->isChecked());
    EXPECT_FALSE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(e->chkOnTop->isChecked());
    EXPECT_EQ(app.TopMostWindow, 7);
    click(d->chkOnTop);
    main.chkOnTop->setChecked(true);
    EXPECT_FALSE(d->chkOnTop->isChecked());
    EXPECT_TRUE(e->chkOnTop->isChecked());
    EXPECT_EQ(app.TopMostWindow, 1);

    // The code names a replace-list dialog: both tick their box when they open.
    click(d->chkOnTop);
    click(d->cmdQuit);
    click(e->cmdQuit);
    settle();
    EXPECT_EQ(app.TopMostWindow, 9);
    EXPECT_TRUE(openStrings()->chkOnTop->isChecked());
    EXPECT_TRUE(openExtensions()->chkOnTop->isChecked());
    click(lists->strings()->chkOnTop);
    EXPECT_EQ(app.TopMostWindow, 0);
    form.reset();
}

TEST_F(StringDialogTest, TheRenameWindowsUnloadingClosesTheDialogsWithoutStoring)
{
    app.ReplaceList = ThreeRows;
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    QPointer<frmSReplace> strings = d;
    QPointer<frmExtReplace> extensions = openExtensions();
    clickCell(*d, 8, 2);
    dblClickCell(*d, 1, 3);
    type(QStringLiteral("typed"));
    form.reset();
    EXPECT_FALSE(strings);
    EXPECT_FALSE(extensions);
    EXPECT_EQ(app.ReplaceList, ThreeRows);
}

TEST_F(StringDialogTest, BothDialogsKeepTheirDesignSizeAsTheSmallest)
{
    struct Dialog {
        const char *name;
        QWidget *window;
    };
    const Dialog dialogs[] = {{"strings", openStrings()}, {"extensions", openExtensions()}};
    for (const Dialog &d : dialogs) {
        SCOPED_TRACE(d.name);
        ASSERT_NE(d.window, nullptr);
        EXPECT_EQ(d.window->minimumSize(), d.window->size()) << "opens at its smallest size";
        d.window->resize(200, 150);
        EXPECT_EQ(d.window->size(), d.window->minimumSize());
        EXPECT_GE(d.window->width(), 400);
    }
}
