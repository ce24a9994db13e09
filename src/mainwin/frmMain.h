#pragma once
/**
 * The main window: the folder tree `ftv` beside the main file list `lvw2`, the type and name
 * filters, sub-folder search, the command bars, the search log `Text2`, the status label
 * `Label10` with the progress bar `ProgBarM` (where the file list reports its scans) and the
 * clock. Two hidden lists work behind `lvw2`: `LVW` takes one folder's scan in multiple-folder
 * mode, `lvw3` keeps the rows of the last listing for the filters.
 *
 * The windows of later parts of the program reach it through its public members and connect to
 * its signals: the rename window to renamerShowRequested, renameRequested and
 * renamerRefreshRequested, the other on-top windows to onTopTaken, every window to unloading.
 */
#include "SettingsFile.h"
#include "Pacer.h"
#include "ScanProgressSink.h"

#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
struct AppState;

namespace common {
class Anchor;
} // namespace common

namespace filelist {
struct ListItem;
class ListViewEditable;
class ListViewEditableWidget;
} // namespace filelist

namespace mainwin {

class CommandBars;
class FolderTree;
class frmAbout;
class frmAttr;
class frmBName;
class frmBookmarks;
class frmListMan;
class frmPref;

class frmMain : public QMainWindow, private filelist::ScanProgressSink {
    Q_OBJECT
public:
    explicit frmMain(AppState &state, QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- Lifecycle ---------------------------------------------------------------------------

    /** Runs the load sequence once: skin, command-bar layout, settings file, view, on-top,
     *  the last folder (listed at once), preferences, position, file types, then asks for the
     *  rename window. Showing the window loads it too. */
    void Load();
    bool IsLoaded() const { return m_loaded; }
    /** False while the type list of the last listing is still to come. */
    bool ListingSettled() const { return !m_typeListDue; }
    /** True from the end of the load on. */
    bool MainLoaded = false;

    /** Stops every scan and closes the window; the unload writes the settings file. */
    void cmdQuit_Click();

    // ---- What other windows call -------------------------------------------------------------

    /** `SelFileCount` = the number of checked rows of lvw2; `SelChanged` = true. */
    void GetSelected();
    /** "&Rename": asks for the rename window (not in a rename-drop run), and has it rebuild its
     *  rows when the check marks changed since the last time. */
    void cmdRename_Click();
    /** Takes the close button off a window's title bar; true when it had one. */
    static bool DisableCloseButton(QWidget *form);
    /** Writes the settings file now (the preferences dialog reads the four file-backed values,
     *  this window the selected folder and the file-type text). */
    vb::Status WriteSettingsFile();
    /** Reads the settings file: false into the variables, true into the preferences dialog. */
    void ReadSettingsFile(bool ToControls);
    /** The preferences dialog, kept loaded and hidden while the window lives. */
    frmPref &Pref() const { return *m_pref; }
    /** "Help Contents": opens the help file with the desktop's viewer, or says why it cannot. */
    void HelpContents();
    /** The about window, created on first use. */
    frmAbout &About();
    /** Appends a text to the search log and keeps its end in view. */
    void AppendLog(const QString &text);
    /** The command-bar dispatcher: acts on ids 1029 to 1052 as the command table says; any
     *  other id does nothing. */
    void CommandBars1_Execute(int32_t id);

    // ---- Handlers of the folder tree and the filters ------------------------------------------

    void ftv_FolderClick(int Code);
    void Check1_Click();
    void Check2_Click();
    void Check6_Click();
    void chkOnTop_Click();
    void cmbFileType_Click();
    void cmdStopSrch_Click();
    void txtFilter_Change();
    void cmdPref_Click();
    void Command1_Click();
    void Command2_Click();
    void Command8_Click();
    void Timer1_Timer();
    void Label17_Click();

    // ---- Saved file lists, bookmarks and the attribute dialog (frmMainTools.cpp) -------------

    /** "Load File List": asks for a saved file list and, when it reads as one, puts its items
     *  into lvw2 in place of the rows, every row checked. */
    void LoadFileList();
    /** "Save File List": asks for a file and writes the checked rows of lvw2 into it. */
    void SaveFileList();
    void mnuFLoad_Click() { LoadFileList(); }
    void mnuFSave_Click() { SaveFileList(); }
    /** Empties lvw2 before a list is loaded into it. */
    void EmptyMainList();
    /** The one message of a load that skipped entries: their count and the first of them. */
    static QString SkippedEntriesMessage(const QStringList &failures);
    /** Asks for a text file of three-line records, empties lvw2, and writes the records as an
     *  aligned report to `outputPath` ("op.txt" in the program folder when empty). No command
     *  of the program reaches it. */
    void WriteColumnReport(const QString &outputPath = {});
    /** "BookMarks": shows the bookmarks window. */
    void cmdBookmarks_Click();
    /** "+": bookmarks the folder selected in the tree, asking for a name unless the preference
     *  says not to. */
    void Command5_Click();
    /** The bookmarks window, loaded (its file read) on first use without being shown. */
    frmBookmarks &Bookmarks();
    /** The bookmark-name dialog, created on first use. */
    frmBName &BName();
    /** The file-list manager, created on first use. */
    frmListMan &ListMan();
    /** The attribute dialog, created on first use. */
    frmAttr &Attr();
    /** Another window went on top: the bookmarks window, when loaded, leaves the top. */
    void ClearBookmarksOnTop();

    /** The search log's whole text as appended (lines end in CR LF). */
    QString LogText() const { return m_logText; }

    // ---- Controls, under their own names -----------------------------------------------------

    FolderTree *ftv = nullptr;
    filelist::ListViewEditableWidget *lvw2Widget = nullptr;
    filelist::ListViewEditable *lvw2 = nullptr;
    filelist::ListViewEditable *LVW = nullptr;
    filelist::ListViewEditable *lvw3 = nullptr;
    CommandBars *CommandBars1 = nullptr;
    QTimer *Timer1 = nullptr;
    /** Keeps the window at its minimum size and remembers its position. */
    common::Anchor *Anchor1 = nullptr;
    QLabel *Label1 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
    QLabel *Label17 = nullptr;
    QPushButton *cmdPref = nullptr;
    QPushButton *cmdQuit = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *cmdRename = nullptr;
    QPushButton *cmdStopSrch = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *Check6 = nullptr;
    QCheckBox *chkOnTop = nullptr;
    QComboBox *cmbFileType = nullptr;
    QGroupBox *fraFilter = nullptr;
    QLineEdit *txtFilter = nullptr;
    /** The number of rows of lvw2, beside "items": whatever fills or empties the list. */
    QLineEdit *txtPlot = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label10 = nullptr;
    QProgressBar *ProgBarM = nullptr;
    QPushButton *cmdBookmarks = nullptr;
    QPushButton *Command5 = nullptr;
    QAction *mnuFLoad = nullptr;
    QAction *mnuFSave = nullptr;

signals:
    /** The load's last act: show the rename window, modeless. */
    void renamerShowRequested();
    /** "&Rename" outside a rename-drop run: make the rename window visible, in its normal
     *  state, centred on the screen. */
    void renameRequested();
    /** The rename window should rebuild its rows from the checked rows of lvw2 (with the
     *  picture-taken dates when `withPictureDates`). */
    void renamerRefreshRequested(bool withPictureDates);
    /** The main window went on top: the other windows clear their on-top boxes. */
    void onTopTaken();
    /** "&Attributes": show the attribute dialog. */
    void attributesRequested();
    /** "Filelists": show the list manager. */
    void fileListsRequested();
    /** The bookmarks window went on top: the other windows clear their on-top boxes. */
    void bookmarksOnTopTaken();
    /** The unload has written the settings; every other window closes now. */
    void unloading();
    /** The window is closed for good; the program ends. */
    void unloaded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Building (frmMainLayout.cpp).
    void buildControls();
    QWidget *buildFolderPane();
    QWidget *buildListPane();
    QWidget *buildBottomPane();
    void buildStatusBar();
    void setupConnections();
    // The file-list menu, the bookmark buttons and their windows (frmMainTools.cpp).
    void buildFileListMenu();
    QLayout *buildBookmarkButtons(QWidget *pane);
    void setupToolConnections();
    void ShowNormal(QWidget *window);

    // Load and unload.
    void LoadSkin();
    void ApplyFileView(const QString &name);
    void Form_Unload();
    void Form_Resize();
    /** The list's five columns share its width: 0.25, 0.25, 0.1, 0.2, 0.2. */
    void SizeListColumns();
    void FinishClosing();
    void NotAvailableYet(const QString &what);

    // Listing (frmMainFolders.cpp).
    /** Disables the tree, marks the stop button, scans, then undoes both. False when the
     *  window began to close while the scan ran. */
    bool ScanBlock(filelist::ListViewEditable &list);
    void CheckAllRows();
    void MergeFolderRows(const QString &Folder, bool Add);
    /** Copies the listing for the filters and offers its types; at once, or the types in a
     *  turn of their own after a scan (then taken at once by whatever reads them first). */
    void FillFileTypes();
    void FillFileTypesSoon();
    void TakeDueFileTypes();
    void FillTypeList();
    /** False when the re-list did not finish (see RelistFiltered). */
    bool ApplyFileTypeFilter();
    /** lvw2 made afresh from the filters' copy (ListViewEditable::RelistFrom); false when it
     *  did not finish: superseded, stopped, or the window began to close meanwhile. */
    bool RelistFiltered(const std::function<bool(const filelist::ListItem &)> &pick,
                        const std::function<bool(const filelist::ListItem &)> &keep);
    /** txtPlot shows the number of rows of lvw2. */
    void ShowPlot();
    void RefreshRenamerIfWanted();
    void lvw2_Click();
    void lvw2_ItemCheck();
    void lvw2_KeyDown();
    void lvw2_ColumnClick();
    void lvw2_OLEDragDrop();

    // filelist::ScanProgressSink
    int32_t progressMax() const override;
    void setProgressMax(int32_t max) override;
    int32_t progressValue() const override;
    void setProgressValue(int32_t value) override;
    void setStatusText(const QString &text) override;
    bool isUnloading() const override;

    AppState &m_state;
    frmPref *m_pref = nullptr;
    frmAbout *m_about = nullptr;
    QPointer<frmBookmarks> m_bookmarks;
    QPointer<frmBName> m_bname;
    QPointer<frmListMan> m_listMan;
    QPointer<frmAttr> m_attr;
    QString m_logText;
    int32_t m_progressMax = 100;
    int32_t m_progressValue = 0;
    common::Pacer m_progressPacer;
    bool m_loaded = false;
    bool m_unloadDone = false;
    bool m_closed = false;
    int m_scanDepth = 0;
    /** The listing's type list, while it is still to come. */
    int m_fileTypesRun = 0;
    bool m_typeListDue = false;
    /** A name typed into the filter while the listing was still coming. */
    bool m_nameFilterDue = false;
    /** A type picked while the listing was still coming (empty when none). */
    QString m_typeFilterDue;
};

} // namespace mainwin
