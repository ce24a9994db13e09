#include "frmMain.h"

#include "ComboInput.h"
#include "CommandBarLayout.h"
#include "CommandBars.h"
#include "FolderTree.h"
#include "ListViewEditableWidget.h"
#include "MainCommands.h"
#include "ProcessLimits.h"
#include "WindowFixture.h"
#include "frmAbout.h"
#include "frmAttr.h"
#include "frmListMan.h"
#include "frmPref.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QApplication>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <memory>

using namespace mainwin;

namespace {

// What the window asked of the other windows.
struct Requests {
    int renamerShown = 0;
    int rename = 0;
    std::vector<bool> refresh;
    int onTop = 0;
    int attributes = 0;
    int fileLists = 0;
    int unloading = 0;
    int unloaded = 0;
};

class MainWindowTest : public WindowFixture {
public:
    std::unique_ptr<frmMain> open(bool load = true)
    {
        auto w = std::make_unique<frmMain>(state);
        QObject::connect(w.get(), &frmMain::renamerShowRequested, [this] { ++asked.renamerShown; });
        QObject::connect(w.get(), &frmMain::renameRequested, [this] { ++asked.rename; });
        QObject::connect(w.get(), &frmMain::renamerRefreshRequested, [this](bool dates) { asked.refresh.push_back(dates); });
        QObject::connect(w.get(), &frmMain::onTopTaken, [this] { ++asked.onTop; });
        QObject::connect(w.get(), &frmMain::attributesRequested, [this] { ++asked.attributes; });
        QObject::connect(w.get(), &frmMain::fileListsRequested, [this] { ++asked.fileLists; });
        QObject::connect(w.get(), &frmMain::unloading, [this] { ++asked.unloading; });
        QObject::connect(w.get(), &frmMain::unloaded, [this] { ++asked.unloaded; });
        if (load)
            w->Load();
        return w;
    }

    // a.txt, B.TXT, c.jpg and the folder sub (holding d.txt) in the data folder.
    void makeSample()
    {
        makeFile(QStringLiteral("a.txt"));
        makeFile(QStringLiteral("B.TXT"));
        makeFile(QStringLiteral("c.jpg"));
        makeFile(QStringLiteral("sub/d.txt"));
    }

    static QStringList names(const filelist::ListViewEditable &list)
    {
        QStringList out;
        for (int32_t i = 1; i <= list.FileItemCount(); ++i)
            out << list.ListItems().Item(i).Text;
        return out;
    }
    static QStringList sortedNames(const filelist::ListViewEditable &list, int from, int count)
    {
        QStringList part = names(list).mid(from, count);
        part.sort();
        return part;
    }
    static QStringList comboItems(const QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    // Waits for the type list and the filters' copy that follow a listing.
    static void settle(frmMain &w) { ASSERT_TRUE(waitFor([&] { return w.ListingSettled(); })); }

    // Does `action` once, while a listing of the file list scans, as the scan enters its `nth`
    // folder (1 the first); `done` says afterwards whether it came.
    static void onceInFolder(frmMain &w, int nth, bool &done, std::function<void()> action)
    {
        QObject::connect(w.lvw2, &filelist::ListViewEditable::SearchDirChange, &w,
                         [&done, nth, folders = 0, action = std::move(action)](QString &) mutable {
                             if (done || ++folders < nth)
                                 return;
                             done = true;
                             action();
                         });
    }

    static void chooseType(frmMain &w, const QString &type)
    {
        w.cmbFileType->setCurrentIndex(w.cmbFileType->findText(type));
        w.cmbFileType_Click();
    }

    Requests asked;
    QAbstractItemModel *modelBefore = nullptr;
};

} // namespace

TEST_F(MainWindowTest, EveryCommandReachesItsHandler)
{
    struct Case {
        int32_t id;
        std::function<void(MainWindowTest &, frmMain &)> check;
    };
    const Case cases[] = {
        {ID_QUIT, [](MainWindowTest &t, frmMain &) {
             EXPECT_EQ(t.asked.unloaded, 1);
             EXPECT_EQ(t.settingsLines().size(), 24);
         }},
        {ID_REFRESH_FOLDERS, [](MainWindowTest &t, frmMain &w) { EXPECT_NE(w.ftv->model(), t.modelBefore); }},
        {ID_VIEW_REPORT, [](MainWindowTest &t, frmMain &w) {
             EXPECT_EQ(w.lvw2->View(), 3);
             EXPECT_EQ(t.state.FileViewName, QStringLiteral("Report"));
         }},
        {ID_VIEW_ICONS, [](MainWindowTest &t, frmMain &w) {
             EXPECT_EQ(w.lvw2->View(), 1);
             EXPECT_EQ(t.state.FileViewName, QStringLiteral("Icons"));
         }},
        {ID_VIEW_LIST, [](MainWindowTest &t, frmMain &w) {
             EXPECT_EQ(w.lvw2->View(), 2);
             EXPECT_EQ(t.state.FileViewName, QStringLiteral("List"));
         }},
        {ID_PREFERENCES, [](MainWindowTest &, frmMain &w) { EXPECT_TRUE(w.Pref().isVisible()); }},
        {ID_HELP, [](MainWindowTest &t, frmMain &) {
             EXPECT_EQ(t.shell.opened, QStringList{t.home.filePath(QStringLiteral("Readme.chm"))});
         }},
        {ID_ABOUT, [](MainWindowTest &, frmMain &w) { EXPECT_TRUE(w.About().isVisible()); }},
        {ID_RENAME, [](MainWindowTest &t, frmMain &) { EXPECT_EQ(t.asked.rename, 1); }},
        {ID_SAVE_SETTINGS, [](MainWindowTest &t, frmMain &w) {
             EXPECT_EQ(w.LogText(), QStringLiteral("Settings Saved.\r\n"));
             EXPECT_EQ(t.settingsLines().size(), 24);
         }},
        {ID_ATTRIBUTES, [](MainWindowTest &t, frmMain &) { EXPECT_EQ(t.asked.attributes, 1); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        asked = {};
        shell.opened.clear();
        QFile::remove(settingsPath());
        testfiles::writeFile(home.filePath(QStringLiteral("Readme.chm")), "help");
        auto w = open();
        w->show();
        QAction *action = w->CommandBars1->FindControl(c.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->data().toInt(), c.id);
        modelBefore = w->ftv->model();
        action->trigger();
        QCoreApplication::processEvents();
        c.check(*this, *w);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(MainWindowTest, UnknownCommandIdsDoNothing)
{
    auto w = open();
    for (int32_t id : {1034, 1028, 1036, 1053, 0, -1, 99999}) {
        SCOPED_TRACE(id);
        w->CommandBars1_Execute(id);
    }
    EXPECT_TRUE(w->LogText().isEmpty());
    EXPECT_EQ(asked.unloaded + asked.rename + asked.attributes + asked.fileLists, 0);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(w->Pref().isVisible());
}

TEST_F(MainWindowTest, TheThreeViewsAreMutuallyExclusive)
{
    auto w = open();
    const int32_t views[] = {ID_VIEW_REPORT, ID_VIEW_ICONS, ID_VIEW_LIST};
    for (int32_t chosen : {ID_VIEW_LIST, ID_VIEW_ICONS, ID_VIEW_ICONS, ID_VIEW_REPORT}) {
        SCOPED_TRACE(chosen);
        w->CommandBars1->Trigger(chosen);
        for (int32_t v : views)
            EXPECT_EQ(w->CommandBars1->IsChecked(v), v == chosen) << v;
    }
}

TEST_F(MainWindowTest, TheSavedViewNamePicksTheView)
{
    struct Case {
        const char *name;
        int32_t view;
        int32_t command;
    };
    const Case cases[] = {{"Icons", 1, ID_VIEW_ICONS}, {"List", 2, ID_VIEW_LIST}, {"Report", 3, ID_VIEW_REPORT},
                          {"", 3, ID_VIEW_REPORT},     {"Thumbnails", 3, ID_VIEW_REPORT}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList lines(24);
        lines[0] = lines[1] = lines[2] = lines[3] = QStringLiteral("blank");
        lines[4] = QLatin1String(c.name);
        writeSettings(lines);
        auto w = open();
        EXPECT_EQ(w->lvw2->View(), c.view);
        for (const FileView &v : FileViews())
            EXPECT_EQ(w->CommandBars1->IsChecked(v.commandId), v.commandId == c.command);
    }
}

TEST_F(MainWindowTest, ClosingWritesTheTwentyFourLines)
{
    makeSample();
    auto w = open();
    w->show();
    w->ftv->ClickFolder(dataPath());
    settle(*w);
    chooseType(*w, QStringLiteral("JPEG Image"));
    w->Pref().Check1->setChecked(true);
    w->Pref().Check19->setChecked(true);
    w->Pref().Check2->setChecked(true);
    state.TopMostWindow = 9;
    state.ReplaceAllExtTo = QStringLiteral("png");
    state.RandomMaskText = QStringLiteral("A#");

    w->cmdQuit->click();
    EXPECT_EQ(asked.unloading, 1);
    EXPECT_EQ(asked.unloaded, 1);
    EXPECT_TRUE(state.MainUnloading);
    EXPECT_TRUE(state.StopFlag);
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[0], dataPath());
    EXPECT_EQ(lines[1], QStringLiteral("blank"));
    EXPECT_EQ(lines[2], QStringLiteral("blank"));
    EXPECT_EQ(lines[3], QStringLiteral("JPEG Image"));
    EXPECT_EQ(lines[4], QString());
    EXPECT_EQ(lines[7], QStringLiteral("9"));
    EXPECT_EQ(lines[10], QStringLiteral("png"));
    EXPECT_EQ(lines[13], QStringLiteral("A#"));
    EXPECT_EQ(lines[16], QStringLiteral("1"));
    EXPECT_EQ(state.AutoRefreshRenamer, 1);
}

TEST_F(MainWindowTest, SettingsFilesOfAnyLengthLoad)
{
    QStringList full(24);
    full[0] = full[1] = full[2] = full[3] = QStringLiteral("blank");
    full[4] = QStringLiteral("List");
    full[6] = full[7] = full[14] = QStringLiteral("0");
    QStringList thirty = full;
    for (int i = 25; i <= 30; ++i)
        thirty << QStringLiteral("extra");

    struct Case {
        const char *what;
        std::optional<QByteArray> bytes;
        const char *view;
    };
    const Case cases[] = {
        {"missing", std::nullopt, "Report"},
        {"empty", QByteArray(), "Report"},
        {"short", QByteArray("blank\r\nblank\r\n"), "Report"},
        {"thirty lines", (thirty.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8(), "List"},
        {"junk", QByteArray("\x00\x01\xff\r\n\xfe", 6), "Report"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        state = AppState{};
        state.services = {&messages, &dialogs, &shell, &clock, &random};
        QFile::remove(settingsPath());
        if (c.bytes)
            testfiles::writeFile(settingsPath(), *c.bytes);
        asked = {};
        auto w = open();
        EXPECT_TRUE(w->MainLoaded);
        EXPECT_EQ(asked.renamerShown, 1);
        EXPECT_EQ(w->lvw2->View(), FileViewForName(QLatin1String(c.view)).viewCode);
        EXPECT_EQ(w->cmbFileType->currentText(), QStringLiteral("*.*"));
        w->close();
        EXPECT_EQ(settingsLines().size(), 24);
    }
}

TEST_F(MainWindowTest, ClickingAFolderListsIt)
{
    makeSample();
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    settle(*w);
    EXPECT_EQ(state.CurrentFolder, dataPath());
    EXPECT_EQ(state.SearchRootFolder, dataPath());
    EXPECT_EQ(names(*w->lvw2), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
    EXPECT_EQ(w->lvw2->ListItems().Item(1).SubItems(1), dataPath() + u'/');
    EXPECT_EQ(w->LogText(), QStringLiteral("Searching ") + dataPath() + QStringLiteral("\r\nPress 'Stop Search' anytime to Stop\r\n4 file(s) found\r\n"));
    EXPECT_EQ(comboItems(w->cmbFileType),
              (QStringList{"*.*", "All Files", "Text Document", "JPEG Image", "File Folder"}));
    EXPECT_EQ(w->cmbFileType->currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(w->txtPlot->text(), QStringLiteral("4"));
    EXPECT_EQ(names(*w->lvw3), names(*w->lvw2));
    EXPECT_EQ(state.SelFileCount, 0);
    EXPECT_TRUE(state.SelChanged);
    EXPECT_TRUE(w->ftv->isEnabled());
    EXPECT_EQ(w->Label10->text(), QStringLiteral("Ready"));
}

TEST_F(MainWindowTest, TypeAndNameFiltersRebuildFromTheMasterRows)
{
    makeSample();
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    settle(*w);

    struct Step {
        const char *type;
        const char *name;
        QStringList rows;
    };
    const Step steps[] = {
        {"All Files", nullptr, {"a.txt", "B.TXT", "c.jpg"}},
        {"JPEG Image", nullptr, {"c.jpg"}},
        {"File Folder", nullptr, {"sub"}},
        {nullptr, "TXT", {"a.txt", "B.TXT"}},
        {nullptr, "b.t", {"B.TXT"}},
        {nullptr, "", {"a.txt", "B.TXT", "c.jpg", "sub"}},
        {"*.*", nullptr, {"a.txt", "B.TXT", "c.jpg", "sub"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.type ? s.type : s.name);
        if (s.type)
            chooseType(*w, QLatin1String(s.type));
        else
            w->txtFilter->setText(QLatin1String(s.name));
        EXPECT_EQ(names(*w->lvw2), s.rows);
    }
    EXPECT_EQ(state.CurrentFileSpec, QStringLiteral("*.*"));
}

TEST_F(MainWindowTest, CheckAllOnLoadChecksEveryListingAndFilter)
{
    makeSample();
    state.CheckAllOnLoad = 1;
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_EQ(w->Check1->text(), QStringLiteral("Uncheck All"));
    EXPECT_EQ(state.SelFileCount, 4);
    chooseType(*w, QStringLiteral("All Files"));
    EXPECT_EQ(state.SelFileCount, 3);
    w->txtFilter->setText(QStringLiteral("a"));
    EXPECT_EQ(state.SelFileCount, 1);
    EXPECT_EQ(w->txtPlot->text(), QStringLiteral("1"));

    w->Check1->setChecked(false);
    EXPECT_EQ(w->Check1->text(), QStringLiteral("Check All"));
    EXPECT_EQ(state.SelFileCount, 0);
    EXPECT_FALSE(w->lvw2->checked(1));
}

TEST_F(MainWindowTest, SubfolderSearchListsTheWholeTree)
{
    makeSample();
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    const QString before = w->LogText();
    w->Check2->setChecked(true);
    EXPECT_TRUE(w->lvw2->Recursive());
    EXPECT_TRUE(names(*w->lvw2).contains(QStringLiteral("d.txt")));
    EXPECT_EQ(w->lvw2->SortKey(), 1);
    EXPECT_EQ(w->LogText().mid(before.size()),
              QStringLiteral("Subdirectory Search Activated. \r\nSearching Subdirectories of  ") + dataPath()
                  + QStringLiteral("... .Press 'Stop Search' to Stop\r\n5 file(s) found\r\n"));

    w->Check2->setChecked(false);
    EXPECT_FALSE(w->lvw2->Recursive());
    EXPECT_FALSE(names(*w->lvw2).contains(QStringLiteral("d.txt")));
    EXPECT_TRUE(w->LogText().endsWith(QStringLiteral("Subdirectory Search Deactivated. \r\nSearching  ") + dataPath()
                                      + QStringLiteral("...\r\n4 file(s) found\r\n")));
}

TEST_F(MainWindowTest, MultipleFoldersMergeAndRemove)
{
    makeFile(QStringLiteral("A/one.txt"));
    makeFile(QStringLiteral("A/two.txt"));
    makeFile(QStringLiteral("B/three.jpg"));
    auto w = open();
    w->Check6->setChecked(true);
    EXPECT_FALSE(w->Check2->isEnabled());
    EXPECT_EQ(w->ftv->CheckBoxes(), 1);
    EXPECT_EQ(w->LogText(), QStringLiteral("Multiple Folder Select mode Selected\r\n"));

    w->ftv->ClickFolder(dataPath(QStringLiteral("A")), false);
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);

    w->ftv->ClickFolder(dataPath(QStringLiteral("A")), true);
    EXPECT_EQ(sortedNames(*w->lvw2, 0, 2), (QStringList{"one.txt", "two.txt"}));
    EXPECT_TRUE(w->LogText().endsWith(QStringLiteral("Searching ") + dataPath(QStringLiteral("A")) + QStringLiteral("/ . 2 file(s) found.\r\n")));

    w->ftv->ClickFolder(dataPath(QStringLiteral("B")), true);
    ASSERT_EQ(w->lvw2->FileItemCount(), 3);
    EXPECT_EQ(sortedNames(*w->lvw2, 0, 2), (QStringList{"one.txt", "two.txt"}));
    EXPECT_EQ(names(*w->lvw2).last(), QStringLiteral("three.jpg"));
    EXPECT_EQ(w->txtPlot->text(), QStringLiteral("3"));

    w->cmdStopSrch->click();
    EXPECT_EQ(w->lvw2->FileItemCount(), 3);

    w->ftv->ClickFolder(dataPath(QStringLiteral("A")), true);
    EXPECT_FALSE(w->ftv->IsChecked(dataPath(QStringLiteral("A"))));
    EXPECT_EQ(names(*w->lvw2), QStringList{"three.jpg"});
    EXPECT_EQ(state.SelFileCount, 1);

    w->Check6->setChecked(false);
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);
    EXPECT_TRUE(w->Check2->isEnabled());
    EXPECT_EQ(w->ftv->CheckBoxes(), 0);
    EXPECT_TRUE(w->LogText().endsWith(QStringLiteral("Single Folder Select mode Selected\r\n")));
}

TEST_F(MainWindowTest, MergedRowsTakeTheCheckAllPreference)
{
    makeFile(QStringLiteral("A/one.txt"));
    makeFile(QStringLiteral("B/two.txt"));
    state.CheckAllOnLoad = 1;
    auto w = open();
    w->Check6->setChecked(true);
    w->ftv->ClickFolder(dataPath(QStringLiteral("A")), true);
    w->ftv->ClickFolder(dataPath(QStringLiteral("B")), true);
    EXPECT_TRUE(w->lvw2->checked(1));
    EXPECT_TRUE(w->lvw2->checked(2));
    EXPECT_EQ(state.SelFileCount, 2);
}

TEST_F(MainWindowTest, FiltersIgnoreALeftoverStopFlag)
{
    makeSample();
    state.StopFlag = true;
    auto w = open();
    w->ftv->ClickFolder(dataPath());
    settle(*w);
    EXPECT_EQ(w->cmbFileType->count(), 5);
    EXPECT_EQ(w->lvw3->FileItemCount(), 4);
}

TEST_F(MainWindowTest, WhatFollowsAListingBeforeItsTypeListCameWorksOnThatListing)
{
    // The type list and the filters' copy come a moment after a listing; a filter typed, the
    // listing cleared or another folder listed in that moment finds them made from the right rows.
    makeSample();
    makeFile(QStringLiteral("other/e.png"));
    const QStringList scanned = {"a.txt", "B.TXT", "c.jpg", "other", "sub"};
    auto w = open();
    w->show();

    w->ftv->ClickFolder(dataPath());
    ASSERT_FALSE(w->ListingSettled());
    QTest::keyClicks(w->txtFilter, QStringLiteral("c."));
    EXPECT_EQ(names(*w->lvw2), QStringList{"c.jpg"});
    EXPECT_EQ(names(*w->lvw3), scanned);
    EXPECT_EQ(w->cmbFileType->count(), 5);
    EXPECT_EQ(w->cmbFileType->currentText(), QStringLiteral("*.*"));
    w->txtFilter->clear();
    settle(*w);
    EXPECT_EQ(names(*w->lvw2), scanned);

    w->ftv->ClickFolder(dataPath());
    w->Check6->setChecked(true);  // empties the list
    settle(*w);
    EXPECT_EQ(names(*w->lvw3), scanned);
    EXPECT_EQ(w->cmbFileType->count(), 5);
    w->Check6->setChecked(false);

    w->ftv->ClickFolder(dataPath());
    w->ftv->ClickFolder(dataPath(QStringLiteral("other")));
    settle(*w);
    EXPECT_EQ(names(*w->lvw3), QStringList{"e.png"});
    EXPECT_EQ(comboItems(w->cmbFileType).mid(2), QStringList{"PNG Image"});
}

TEST_F(MainWindowTest, ANameTypedWhileAListingComesFiltersTheWholeListing)
{
    // Typed while the scan still runs, the name filter waits for the listing and then keeps
    // its matching rows; the filters' copy holds the whole listing.
    makeSample();
    auto w = open();
    w->show();
    bool typed = false;
    onceInFolder(*w, 1, typed, [&] { QTest::keyClicks(w->txtFilter, QStringLiteral("TXT")); });
    w->ftv->ClickFolder(dataPath());
    settle(*w);
    ASSERT_TRUE(typed);
    EXPECT_EQ(w->txtFilter->text(), QStringLiteral("TXT"));
    EXPECT_EQ(names(*w->lvw2), (QStringList{"a.txt", "B.TXT"}));
    EXPECT_EQ(names(*w->lvw3), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
    w->txtFilter->clear();
    EXPECT_EQ(names(*w->lvw2), (QStringList{"a.txt", "B.TXT", "c.jpg", "sub"}));
}

TEST_F(MainWindowTest, ATypePickedWhileAListingComesFiltersTheWholeListing)
{
    // Picked from the types of the listing before while the scan still runs, the type filter
    // waits for the listing and then keeps its rows of that type; nothing scanned is lost.
    makeSample();
    auto w = open();
    w->show();
    w->ftv->ClickFolder(dataPath());
    QTest::mouseClick(w->Check2, Qt::LeftButton, {}, QPoint(8, w->Check2->height() / 2));
    ASSERT_TRUE(w->Check2->isChecked());
    settle(*w);
    ASSERT_EQ(w->lvw2->FileItemCount(), 5);
    // The pick comes when the scan goes on into "sub", after the folder's own rows.
    bool picked = false;
    onceInFolder(*w, 2, picked, [&] { comboinput::chooseItem(w->cmbFileType, QStringLiteral("Text Document")); });
    w->ftv->ClickFolder(dataPath());
    settle(*w);
    ASSERT_TRUE(picked);
    EXPECT_EQ(w->cmbFileType->currentText(), QStringLiteral("Text Document"));
    EXPECT_EQ(state.CurrentFileSpec, QStringLiteral("Text Document"));
    EXPECT_EQ(names(*w->lvw2), (QStringList{"a.txt", "B.TXT", "d.txt"}));
    EXPECT_EQ(w->lvw3->FileItemCount(), 5);
    comboinput::chooseItem(w->cmbFileType, QStringLiteral("*.*"));
    EXPECT_EQ(w->lvw2->FileItemCount(), 5);
}

TEST_F(MainWindowTest, LoadListsTheSavedFolderAndType)
{
    makeSample();
    QStringList lines(24);
    lines[0] = dataPath();
    lines[1] = lines[2] = QStringLiteral("blank");
    lines[3] = QStringLiteral("JPEG Image");
    writeSettings(lines);
    auto w = open();
    EXPECT_EQ(w->ftv->SelectedFolder(), dataPath());
    EXPECT_EQ(names(*w->lvw2), QStringList{"c.jpg"});
    EXPECT_EQ(w->cmbFileType->currentText(), QStringLiteral("JPEG Image"));
    EXPECT_EQ(state.CurrentFileSpec, QStringLiteral("JPEG Image"));
    EXPECT_EQ(w->lvw3->FileItemCount(), 4);
    EXPECT_EQ(state.MainLoading, 0);
}

TEST_F(MainWindowTest, RunsFromTheCommandLineKeepTheirRows)
{
    makeSample();
    QStringList lines(24);
    lines[0] = dataPath();
    lines[1] = lines[2] = lines[3] = QStringLiteral("blank");
    writeSettings(lines);

    state.OpenFilesRun = 1;
    auto w = open();
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);
    EXPECT_EQ(state.OpenFilesRun, 0);
    w->ftv->ClickFolder(dataPath());
    EXPECT_EQ(w->lvw2->FileItemCount(), 4);

    state.RenameDropRun = 1;
    w->lvw2->ClearItems();
    w->ftv->ClickFolder(dataPath());
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);
}

TEST_F(MainWindowTest, ClosingDuringAScanStopsItAndFinishes)
{
    makeSample();
    auto w = open();
    w->show();
    int closes = 0;
    QObject::connect(w->lvw2, &filelist::ListViewEditable::SearchDirChange, w.get(), [&](QString &) {
        if (closes++ == 0)
            w->close();
    });
    w->ftv->ClickFolder(dataPath());
    EXPECT_EQ(asked.unloading, 1);
    EXPECT_EQ(settingsLines().size(), 24);
    EXPECT_TRUE(waitFor([&] { return asked.unloaded == 1; }));
    EXPECT_EQ(w->lvw2->FileItemCount(), 0);
    EXPECT_FALSE(w->LogText().contains(QStringLiteral("file(s) found")));
    EXPECT_FALSE(w->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(asked.unloaded, 1);
}

TEST_F(MainWindowTest, OnTopIsStoredAfterTheOtherBoxesAreCleared)
{
    auto w = open();
    // Another window's box, cleared by the main window, stores 0 in its handler.
    QObject::connect(w.get(), &frmMain::onTopTaken, [this] { state.TopMostWindow = 0; });
    w->chkOnTop->setChecked(true);
    EXPECT_EQ(asked.onTop, 1);
    EXPECT_EQ(state.TopMostWindow, 1);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    w->chkOnTop->setChecked(false);
    EXPECT_EQ(state.TopMostWindow, 0);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);

    state.TopMostWindow = 1;
    auto again = open();
    EXPECT_TRUE(again->chkOnTop->isChecked());
}

TEST_F(MainWindowTest, RenameAsksForTheRenameWindow)
{
    struct Case {
        int16_t renameDrop;
        int16_t selChanged;
        const char *commandLine;
        int shown;
        std::vector<bool> refresh;
    };
    const Case cases[] = {
        {0, 0, "", 1, {}},
        {0, 1, "", 1, {false}},
        {0, 1, "a|b", 1, {true}},
        {1, 1, "x.rnp a", 0, {true}},
    };
    auto w = open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commandLine);
        asked = {};
        state.RenameDropRun = c.renameDrop;
        state.SelChanged = c.selChanged;
        state.CommandLine = QLatin1String(c.commandLine);
        w->cmdRename->click();
        EXPECT_EQ(asked.rename, c.shown);
        EXPECT_EQ(asked.refresh, c.refresh);
        EXPECT_EQ(state.SelChanged, 0);
    }
}

TEST_F(MainWindowTest, WindowsNotBuiltYetSaySo)
{
    auto w = std::make_unique<frmMain>(state);
    w->Load();
    w->Command1->click();
    w->Command8->click();
    w->cmdRename->click();
    // The attribute dialog and the list manager are the main window's own.
    EXPECT_TRUE(w->Attr().isVisible());
    EXPECT_TRUE(w->ListMan().isVisible());
    EXPECT_EQ(messages.prompts(), QStringList{"The rename window is not available yet."});
}

TEST_F(MainWindowTest, ClockLogAndLinks)
{
    auto w = open();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("May 09, 2024  3:07:05 PM"));
    w->CommandBars1_Execute(ID_SAVE_SETTINGS);
    w->CommandBars1_Execute(ID_SAVE_SETTINGS);
    EXPECT_EQ(w->LogText(), QStringLiteral("Settings Saved.\r\nSettings Saved.\r\n"));
    EXPECT_EQ(w->Text2->toPlainText(), QStringLiteral("Settings Saved.\nSettings Saved.\n"));
    EXPECT_EQ(w->Text2->textCursor().position(), w->Text2->toPlainText().size());
    w->Label17_Click();
    EXPECT_EQ(shell.opened, QStringList{w->Label17->property("Tag").toString()});
}

TEST_F(MainWindowTest, DisableCloseButtonTakesTheCloseButtonOnce)
{
    QWidget form;
    EXPECT_TRUE(frmMain::DisableCloseButton(&form));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(frmMain::DisableCloseButton(&form));
    EXPECT_FALSE(frmMain::DisableCloseButton(nullptr));
}

TEST_F(MainWindowTest, ABrokenSkinOrLayoutFallsBack)
{
    testfiles::writeFile(home.filePath(QStringLiteral("Royale.cjstyles")), "QWidget { color: red; ");
    testfiles::writeFile(home.filePath(QStringLiteral("KVX.xcb")), "not a layout\r\n");
    auto w = open();
    EXPECT_TRUE(w->MainLoaded);
    EXPECT_TRUE(w->styleSheet().isEmpty());
    EXPECT_EQ(w->toolBarArea(w->CommandBars1->Bar(CommandBar::View)), Qt::TopToolBarArea);
    w->close();

    QFile::remove(home.filePath(QStringLiteral("Royale.cjstyles")));
    auto builtIn = open();
    EXPECT_TRUE(builtIn->styleSheet().contains(QStringLiteral("QMenuBar")));

    testfiles::writeFile(home.filePath(QStringLiteral("KVX.xcb")),
                         "Morvane Command Bars\r\nBar=View|Area=Left|Visible=0|Break=0\r\n");
    auto laidOut = open();
    EXPECT_EQ(laidOut->toolBarArea(laidOut->CommandBars1->Bar(CommandBar::View)), Qt::LeftToolBarArea);
    EXPECT_TRUE(laidOut->CommandBars1->Bar(CommandBar::View)->isHidden());
    laidOut->close();
    const auto saved = CommandBarLayout::load(home.filePath(QStringLiteral("KVX.xcb")));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->bars.size(), 3u);
}

TEST_F(MainWindowTest, SavingSettingsLeavesAnOpenPreferencesDialogOpen)
{
    auto w = open();
    w->cmdPref->click();
    ASSERT_TRUE(w->Pref().isVisible());
    w->CommandBars1_Execute(ID_SAVE_SETTINGS);
    EXPECT_TRUE(w->Pref().isVisible());
    EXPECT_EQ(settingsLines().size(), 24);
}

// "Save Settings" on a full disk: the old file stays, the user is told, and the log does not
// call it saved.
TEST_F(MainWindowTest, SaveSettingsOnAFullDiskIsToldAndNotLoggedAsSaved)
{
    auto w = open();
    QByteArray old;
    for (int i = 0; i < 24; ++i)
        old += "0\r\n";
    testfiles::writeFile(settingsPath(), old);
    messages.shown.clear();
    {
        testfiles::FileSizeLimit full(8);
        w->CommandBars1_Execute(ID_SAVE_SETTINGS);
    }
    EXPECT_EQ(testfiles::readFile(settingsPath()), old);
    EXPECT_EQ(w->LogText(), QString());
    ASSERT_EQ(messages.prompts().size(), 1);
    EXPECT_TRUE(messages.prompts()[0].endsWith(QStringLiteral("could not be saved: Disk full (file size limit).")))
        << messages.prompts()[0].toStdString();
}

TEST_F(MainWindowTest, AWindowThatNeverLoadedSavesNothing)
{
    auto w = open(false);
    w->close();
    EXPECT_FALSE(QFile::exists(settingsPath()));
    EXPECT_EQ(asked.unloading, 0);
}

TEST_F(MainWindowTest, AWheelNotchOverTheFolderTreeScrollsItOneLine)
{
    for (int i = 0; i < 60; ++i)
        makeFile(QStringLiteral("folder%1/x.txt").arg(i, 2, 10, QLatin1Char('0')));
    auto w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(waitFor([&] { return w->isActiveWindow(); }));
    w->ftv->SetSelectedFolder(dataPath());
    w->ftv->expand(w->ftv->currentIndex());
    QScrollBar *bar = w->ftv->verticalScrollBar();
    ASSERT_TRUE(waitFor([&] { return bar->maximum() > 10; }));
    bar->setValue(5);
    QWidget *viewport = w->ftv->viewport();
    const QPointF at = viewport->rect().center();
    for (int delta : {-120, 120, 30}) {
        SCOPED_TRACE(delta);
        const int before = bar->value();
        QWheelEvent notch(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &notch);
        EXPECT_EQ(bar->value(), before + (delta > 0 ? -1 : 1));
    }
}

TEST_F(MainWindowTest, ThePositionIsKeptInTheProgramFolder)
{
    {
        auto w = open();
        w->show();
        w->move(300, 120);
        w->close();
    }
    const QSettings kept(home.filePath(QStringLiteral("AnchorCtrl.ini")), QSettings::IniFormat);
    EXPECT_EQ(kept.value(QStringLiteral("Positions/frmMainPos")).toString(), QStringLiteral("4500|1800"));
    state.MainUnloading = false;
    auto again = open();
    EXPECT_EQ(again->pos(), QPoint(300, 120));
}
