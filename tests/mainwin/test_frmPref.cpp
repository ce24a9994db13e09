#include "frmPref.h"

#include "ProcessLimits.h"
#include "TestFiles.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace mainwin;

namespace {

class PrefTest : public WindowFixture {
protected:
    // The nine rename options and the hidden-folder option, with their variables.
    struct Option {
        QCheckBox *frmPref::*box;
        int16_t AppState::*field;
    };
    static constexpr Option options[] = {
        {&frmPref::Check2, &AppState::AutoRefreshRenamer},  {&frmPref::Check3, &AppState::AutoRefreshMainList},
        {&frmPref::Check4, &AppState::AutoValidateNames},   {&frmPref::Check5, &AppState::AutoNormalizeAttributes},
        {&frmPref::Check6, &AppState::ShowHiddenFolders},   {&frmPref::Check7, &AppState::ShowLogAfterRename},
        {&frmPref::Check8, &AppState::SaveLogFile},         {&frmPref::Check9, &AppState::ShowRenameDropDialog},
        {&frmPref::Check12, &AppState::ShowRenameConfirmation},
    };
};

} // namespace

TEST_F(PrefTest, EveryOptionCarriesItsText)
{
    frmPref pref(state);
    EXPECT_EQ(pref.windowTitle(), QStringLiteral("Morvane - Preferences"));
    EXPECT_EQ(pref.SSTab1->count(), 1);
    EXPECT_EQ(pref.SSTab1->tabText(0), QStringLiteral("Save Options"));
    const std::pair<QWidget *, const char *> texts[] = {
        {pref.Check12, "Show Confirmation Message after Renaming."},
        {pref.Check11, "Context Menu Command Appends Items to Existing."},
        {pref.Check9, "Show Rename Drop dialog."},
        {pref.Check8, "Save Log File for each operation."},
        {pref.Check7, "Show Rename Log After Each Renaming."},
        {pref.Check5, "Automatically Normalize File/Dir Attributes before renaming."},
        {pref.Check4, "Automatically Validate Names after Preview."},
        {pref.Check3, "Automatically Refresh Main File View after Renaming."},
        {pref.Check2, "Automatically Refresh Rename View on Main File View Click."},
        {pref.Check6, "Show Hidden Folders in Folder Pane."},
        {pref.Check21, "Clear File List View on Drag-Drop of Folders."},
        {pref.Check19, "Save File Type Selection"},
        {pref.Check1, "Save Last Selected Folder"},
        {pref.Check10, "All Files in File View Checked Initially."},
        {pref.OptSort[1], "By Magnitude (Ignoring pre-zeros)"},
        {pref.OptSort[0], "Alphabetically"},
        {pref.chkBkr, "Always ask for Bookmark Names."},
        {pref.chkMainMax, "Start Main Window Maximized"},
        {pref.Command1, "OK"},
        {pref.Command2, "CANCEL"},
    };
    for (const auto &[widget, text] : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(widget->property("text").toString(), QLatin1String(text));
    }
    EXPECT_EQ(pref.Frame3->title(), QStringLiteral("Renaming Options"));
    EXPECT_EQ(pref.Frame1->title(), QStringLiteral("File/Folder View"));
    EXPECT_EQ(pref.Frame2->title(), QStringLiteral("Sort Names (oncolumn click):"));
}

TEST_F(PrefTest, LoadingFillsFromTheVariablesAndTheFile)
{
    for (const Option &o : options)
        state.*o.field = 1;
    state.SkipBookmarkName = 1;
    state.ClearOnFolderDrop = true;
    QStringList lines(24);
    lines[0] = QStringLiteral("/some/folder");
    lines[1] = QStringLiteral("blank");
    lines[2] = QStringLiteral("magnitude");
    lines[3] = QStringLiteral("blank");
    writeSettings(lines);

    frmPref pref(state);
    pref.EnsureLoaded();
    for (const Option &o : options)
        EXPECT_TRUE((pref.*o.box)->isChecked()) << (pref.*o.box)->objectName().toStdString();
    EXPECT_FALSE(pref.chkBkr->isChecked());
    EXPECT_TRUE(pref.Check21->isChecked());
    EXPECT_EQ(pref.FileControls(), (SettingsFileControls{true, false, true, false}));
    EXPECT_TRUE(pref.SortByMagnitude());
}

TEST_F(PrefTest, OkCopiesTheBoxesWritesAndUnloads)
{
    frmPref pref(state);
    int saved = 0;
    QObject::connect(&pref, &frmPref::PreferencesSaved, [&] { ++saved; });
    pref.ShowModeless();
    for (const Option &o : options)
        (pref.*o.box)->setChecked(true);
    pref.Check21->setChecked(true);
    pref.chkBkr->setChecked(true);
    pref.Check19->setChecked(true);
    pref.setWindowStateSource([] { return SettingsFileWindow{QStringLiteral("/x"), QStringLiteral("Text Document")}; });
    pref.Command1->click();

    EXPECT_EQ(saved, 1);
    for (const Option &o : options)
        EXPECT_EQ(state.*o.field, 1);
    EXPECT_TRUE(state.ClearOnFolderDrop);
    EXPECT_EQ(state.SkipBookmarkName, 0);
    EXPECT_FALSE(pref.isVisible());
    EXPECT_FALSE(pref.IsLoaded());
    const QStringList lines = settingsLines();
    ASSERT_EQ(lines.size(), 24);
    EXPECT_EQ(lines[3], QStringLiteral("Text Document"));
    EXPECT_EQ(lines[6], QStringLiteral("0"));
    EXPECT_EQ(lines[8], QStringLiteral("True"));

    pref.ShowModeless();
    pref.chkBkr->setChecked(false);
    pref.SaveSettings();
    EXPECT_EQ(state.SkipBookmarkName, 1);
    EXPECT_EQ(settingsLines()[6], QStringLiteral("1"));
}

// A disk that fills up: OK keeps the old settings file byte for byte and says so, each time.
TEST_F(PrefTest, SettingsThatCannotBeSavedAreToldAndTheOldFileStays)
{
    QByteArray old;
    for (int i = 0; i < 24; ++i)
        old += "1\r\n";
    testfiles::writeFile(settingsPath(), old);
    frmPref pref(state);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        pref.ShowModeless();
        pref.Check9->setChecked(true);
        {
            testfiles::FileSizeLimit full(8);
            pref.Command1->click();
        }
        EXPECT_EQ(testfiles::readFile(settingsPath()), old);
        ASSERT_EQ(messages.shown.size(), size_t(attempt));
        EXPECT_EQ(messages.shown.back().prompt,
                  QStringLiteral("The settings file \"%1\" could not be saved: Disk full (file size limit).").arg(settingsPath()));
        // A later save that works ends the silence for the next failure.
        pref.ShowModeless();
        pref.Command1->click();
        EXPECT_NE(testfiles::readFile(settingsPath()), old);
        testfiles::writeFile(settingsPath(), old);
    }
}

TEST_F(PrefTest, CancelDiscardsExceptTheCheckAllBox)
{
    frmPref pref(state);
    pref.ShowModeless();
    pref.Check2->setChecked(true);
    pref.Check1->setChecked(true);
    pref.Check10->setChecked(true);
    EXPECT_EQ(state.CheckAllOnLoad, 1);
    pref.Command2->click();
    EXPECT_FALSE(pref.IsLoaded());
    EXPECT_EQ(state.AutoRefreshRenamer, 0);
    EXPECT_EQ(state.CheckAllOnLoad, 1);

    // The next use loads the dialog again from the variables and the (missing) file.
    EXPECT_FALSE(pref.FileControls().Check1);
    EXPECT_FALSE(pref.Check2->isChecked());
}

TEST_F(PrefTest, AnUnloadedDialogReloadsTheFileBackedSettings)
{
    frmPref pref(state);
    EXPECT_FALSE(pref.SortByMagnitude());
    pref.Unload();
    writeSettings({"blank", "allselected", "magnitude", "JPEG Image"});
    EXPECT_EQ(pref.FileControls(), (SettingsFileControls{false, true, true, true}));
    EXPECT_EQ(state.CheckAllOnLoad, 1);
    EXPECT_TRUE(pref.SortByMagnitude());
}
