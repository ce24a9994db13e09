// The whole road: files listed and checked in the main window, "&Rename", an action with a
// token, "&Preview", "&Validate", "&Rename Now!", the files renamed on disk and the log viewer.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "DragListBox.h"
#include "Grid.h"
#include "ListViewEditable.h"
#include "ListViewEditableWidget.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "RenamerInput.h"
#include "RenamerWiring.h"
#include "Shell.h"
#include "TestFiles.h"
#include "FolderTree.h"
#include "frmLog.h"
#include "frmMain.h"
#include "frmRenamer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

QStringList fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A temporary program folder and a folder of files, the test services, and the main window
// wired to the rename window, loaded.
class RenameRoad : public ::testing::Test {
protected:
    RenameRoad()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("VEXLO_HOME", home.path().toUtf8());
        state.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    ~RenameRoad() override { qunsetenv("VEXLO_HOME"); }

    /** Writes the files into the data folder, then builds and loads both windows. */
    void start(const std::vector<std::pair<QString, QByteArray>> &files)
    {
        ASSERT_TRUE(home.isValid() && data.isValid());
        for (const auto &[name, bytes] : files)
            testfiles::writeFile(data.filePath(name), bytes);
        main = std::make_unique<mainwin::frmMain>(state);
        renamer = std::make_unique<renamewin::frmRenamer>(state);
        mainList = renamewin::connectRenamer(*main, *renamer);
        main->Load();
    }

    QTemporaryDir home;
    QTemporaryDir data;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9))};
    FixedRandom random{{0.0f}};
    AppState state;
    std::unique_ptr<mainwin::frmMain> main;
    std::unique_ptr<renamewin::frmRenamer> renamer;
    std::unique_ptr<renamewin::MainFileList> mainList;
};

} // namespace

TEST_F(RenameRoad, FromTheMainListToTheRenamedFilesAndTheLog)
{
    ASSERT_NO_FATAL_FAILURE(start({{"a.txt", "x"}, {"b.txt", "x"}, {"c.txt", "x"}}));
    mainwin::frmMain &main = *this->main;
    renamewin::frmRenamer &renamer = *this->renamer;
    state.ShowLogAfterRename = 1;
    state.AutoValidateNames = 0;

    // The folder listed in the main window, every row checked.
    main.ftv->ClickFolder(data.path());
    main.Check1->setChecked(true);
    ASSERT_EQ(main.lvw2->ListItems().Count(), 3);
    ASSERT_EQ(state.SelFileCount, 3);

    // "&Rename" shows the rename window and fills its grid.
    renamer.hide();
    main.cmdRename->click();
    EXPECT_TRUE(renamer.isVisible());
    ASSERT_EQ(renamer.GridPre->Rows(), 3u);
    EXPECT_EQ(renamer.Label1->text(), QStringLiteral("(3 Items)"));
    EXPECT_EQ(renamer.GridPre->CellText(1, 1), QStringLiteral("a.txt"));
    EXPECT_EQ(renamer.GridPre->CellText(1, 3), data.path() + u'/');

    // "Suffix" checked, "$Counter$" chosen from its list: the counter sub-frame shows the
    // counter's settings (start 1, step 1, three digits padded with "0").
    const int suffix = 6;
    ASSERT_EQ(renamer.List3->item(suffix)->text(), QStringLiteral("Suffix"));
    renamewintest::clickRow(renamer.List3, suffix);
    renamewintest::clickCheck(renamer.List3, suffix);
    EXPECT_EQ(renamer.List3->item(suffix)->checkState(), Qt::Checked);
    EXPECT_TRUE(renamer.frmSuffix->isVisibleTo(&renamer));
    renamewintest::chooseItem(renamer.cmbSuffix, renamer.cmbSuffix->itemText(0));
    EXPECT_EQ(renamer.cmbSuffix->currentText(), QStringLiteral("$Counter$"));
    EXPECT_TRUE(renamer.frmSuffixC->isVisibleTo(&renamer));
    EXPECT_EQ(renamer.txtSuffixC[0]->text(), QStringLiteral("1"));
    EXPECT_EQ(renamer.txtSuffixC[1]->text(), QStringLiteral("1"));
    EXPECT_EQ(renamer.txtSuffixC[2]->text(), QStringLiteral("3"));
    EXPECT_EQ(renamer.txtSuffixC[3]->text(), QStringLiteral("0"));

    renamer.cmdPreview->click();
    EXPECT_TRUE(renamer.Previewed());
    EXPECT_EQ(renamer.lblStatus->text(), QStringLiteral("Ready"));
    const QStringList previews = {renamer.GridPre->CellText(1, 2), renamer.GridPre->CellText(2, 2),
                                  renamer.GridPre->CellText(3, 2)};
    EXPECT_EQ(previews, QStringList({"a001.txt", "b002.txt", "c003.txt"}));

    renamer.cmdValidate->click();
    for (size_t row = 1; row <= 3; ++row)
        EXPECT_EQ(renamer.GridPre->CellBackColor(row, 2), engine::cellcolor::Changed) << row;

    renamer.cmdExecute->click();
    EXPECT_TRUE(messages.shown.empty()) << messages.prompts().join(u'|').toStdString();
    EXPECT_EQ(fileNames(data.path()), QStringList({"a001.txt", "b002.txt", "c003.txt"}));
    EXPECT_EQ(renamer.GridPre->CellText(1, 1), QStringLiteral("a001.txt"));

    renamewin::frmLog *log = renamer.logViewer();
    ASSERT_TRUE(log->isVisible());
    EXPECT_EQ(log->windowTitle(), QStringLiteral("Rename Log - Morvane"));
    ASSERT_EQ(log->GridLog->Rows(), 3u);
    const char *const olds[] = {"a.txt", "b.txt", "c.txt"};
    const char *const news[] = {"a001.txt", "b002.txt", "c003.txt"};
    for (size_t row = 1; row <= 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(log->GridLog->CellText(row, 1), data.path() + u'/');
        EXPECT_EQ(log->GridLog->CellText(row, 2), QString::fromUtf8(olds[row - 1]));
        EXPECT_EQ(log->GridLog->CellText(row, 3), QString::fromUtf8(news[row - 1]));
        EXPECT_EQ(log->GridLog->CellText(row, 4), QStringLiteral("Rename Successful"));
        EXPECT_EQ(log->GridLog->CellBackColor(row, 4), -1);
    }
}

TEST_F(RenameRoad, ANameTypedOverARowStillRenamesTheListedItem)
{
    ASSERT_NO_FATAL_FAILURE(start({{"file_root_005.log", "file_root_005.log"}, {"file_root_015", "file_root_015"}}));
    mainwin::frmMain &main = *this->main;
    renamewin::frmRenamer &renamer = *this->renamer;
    main.show();
    state.ShowLogAfterRename = 0;
    state.AutoValidateNames = 0;
    main.ftv->ClickFolder(data.path());
    ASSERT_EQ(main.lvw2->ListItems().Count(), 2);
    ASSERT_TRUE(main.lvw2->AllowItemEdit());
    int row = 0;
    for (int32_t i = 1; i <= 2; ++i)
        if (main.lvw2->ListItems().Item(i).Text == QLatin1String("file_root_015"))
            row = i;
    ASSERT_NE(row, 0);

    // The name cell of file_root_015 clicked and typed over with the other file's name: no box
    // opens over a name, the keys stay with the list.
    QTreeView *view = main.lvw2Widget->ListView();
    const QRect cell = view->visualRect(main.lvw2->ListItems().index(row - 1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center() + QPoint(cell.width() / 4, 0));
    EXPECT_FALSE(main.lvw2Widget->EditBox()->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), view);
    QTest::keyClicks(view, "file_root_005.log");
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(main.lvw2->ListItems().Item(row).Text, QStringLiteral("file_root_015")) << "the row still names its item";

    // Only that row checked, then a suffix rename.
    main.lvw2->setChecked(row, true);
    main.GetSelected();
    main.cmdRename->click();
    ASSERT_EQ(renamer.GridPre->Rows(), 1u);
    EXPECT_EQ(renamer.GridPre->CellText(1, 1), QStringLiteral("file_root_015"));
    const int suffix = 6;
    renamer.List3->setCurrentRow(suffix);
    renamer.List3->item(suffix)->setCheckState(Qt::Checked);
    renamer.cmbSuffix->setEditText(QStringLiteral("_done"));
    renamer.cmdPreview->click();
    renamer.cmdExecute->click();
    EXPECT_EQ(fileNames(data.path()), QStringList({"file_root_005.log", "file_root_015_done"}));
}

TEST_F(RenameRoad, TheGridTakesSizesAndDatesFromTheFilesAsTheyAreNow)
{
    // Files changed after the main list read them: the grid sorts them and expands their size
    // and date tokens with what the files hold now; a file gone since has neither.
    const auto stamp = [](int year) { return QDateTime(QDate(year, 6, 1), QTime(12, 0, 0)); };
    const auto write = [&](const char *name, qsizetype size, int year) {
        QFile f(data.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(size, 'x'));
        ASSERT_TRUE(f.flush());
        ASSERT_TRUE(f.setFileTime(stamp(year), QFileDevice::FileModificationTime));
    };
    write("big.txt", 3000, 2020);
    write("small.txt", 10, 2021);
    write("gone.txt", 5, 2022);
    ASSERT_NO_FATAL_FAILURE(start({}));
    mainwin::frmMain &main = *this->main;
    renamewin::frmRenamer &renamer = *this->renamer;
    state.AutoValidateNames = 0;
    main.ftv->ClickFolder(data.path());
    main.Check1->setChecked(true);
    ASSERT_EQ(main.lvw2->ListItems().Count(), 3);

    // Changed behind the list's back: truncated, dated into the future, deleted.
    write("big.txt", 0, 2020);
    write("small.txt", 10, 2035);
    ASSERT_TRUE(QFile::remove(data.filePath(QStringLiteral("gone.txt"))));

    renamer.hide();
    main.cmdRename->click();
    ASSERT_EQ(renamer.GridPre->Rows(), 3u);
    renamewintest::chooseItem(renamer.Combo1, QStringLiteral("Size (Ascending)"));
    const QStringList sorted = {renamer.GridPre->CellText(1, 1), renamer.GridPre->CellText(2, 1),
                                renamer.GridPre->CellText(3, 1)};
    EXPECT_LT(sorted.indexOf(QStringLiteral("big.txt")), sorted.indexOf(QStringLiteral("small.txt")))
        << sorted.join(u' ').toStdString();
    // The gone file has an empty Size cell, which sorts as 0.
    EXPECT_LT(sorted.indexOf(QStringLiteral("gone.txt")), sorted.indexOf(QStringLiteral("small.txt")))
        << sorted.join(u' ').toStdString();
    EXPECT_EQ(renamer.GridPre->CellText(size_t(sorted.indexOf(QStringLiteral("gone.txt")) + 1), 4), QString());
    EXPECT_EQ(renamer.GridPre->CellText(size_t(sorted.indexOf(QStringLiteral("big.txt")) + 1), 4), QStringLiteral("0"));

    // The size as a suffix, the year modified as a prefix.
    const int suffix = 6;
    const int prefix = 7;
    ASSERT_EQ(renamer.List3->item(suffix)->text(), QStringLiteral("Suffix"));
    ASSERT_EQ(renamer.List3->item(prefix)->text(), QStringLiteral("Prefix"));
    for (const auto &[row, combo, token] : {std::tuple{suffix, renamer.cmbSuffix, "$filesizeB$"},
                                            std::tuple{prefix, renamer.cmbPrefix, "$mod_yyyy$"}}) {
        renamewintest::clickRow(renamer.List3, row);
        renamewintest::clickCheck(renamer.List3, row);
        ASSERT_EQ(renamer.List3->item(row)->checkState(), Qt::Checked);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, QString::fromUtf8(token));
    }
    renamewintest::clickCentre(renamer.cmdPreview);
    ASSERT_TRUE(renamer.Previewed());
    QHash<QString, QString> previews;
    QHash<QString, QString> modified;
    for (size_t row = 1; row <= 3; ++row) {
        previews.insert(renamer.GridPre->CellText(row, 1), renamer.GridPre->CellText(row, 2));
        modified.insert(renamer.GridPre->CellText(row, 1), renamer.GridPre->CellText(row, 5));
    }
    EXPECT_EQ(previews.value(QStringLiteral("big.txt")), QStringLiteral("2020big0B.txt"));
    EXPECT_EQ(previews.value(QStringLiteral("small.txt")), QStringLiteral("2035small10B.txt"));
    EXPECT_EQ(modified.value(QStringLiteral("small.txt")).left(4), QStringLiteral("2035"));
    EXPECT_EQ(modified.value(QStringLiteral("gone.txt")), QString());
    // Neither a size nor a date token reads an empty cell: the gone file keeps its name.
    EXPECT_EQ(previews.value(QStringLiteral("gone.txt")), QStringLiteral("gone.txt"));
}
