// The main window between its folder tree and its file list: listing one folder or merging
// several, sub-folder search, the two filters, "Check All", on-top and "&Rename".
#include "frmMain.h"

#include "AppState.h"
#include "FolderTree.h"
#include "Functions.h"
#include "ListFilters.h"
#include "ListViewEditableWidget.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <utility>

namespace mainwin {

namespace {

const QString CRLF = QStringLiteral("\r\n");

void setBold(QPushButton *button, bool bold)
{
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
}

} // namespace

bool frmMain::ScanBlock(filelist::ListViewEditable &list)
{
    // What the last listing still owes (its type list) comes first.
    TakeDueFileTypes();
    // A new listing of the file list gets a new copy for the filters once it is done; the old
    // copy goes now, so that two whole listings are never held at once.
    if (&list == lvw2)
        lvw3->ClearItems();
    // Disabling the tree takes the keyboard focus from it; it gets it back after the scan, so
    // that arrow keys and type-ahead go on working.
    const bool treeHadFocus = ftv->hasFocus();
    ftv->setEnabled(false);
    setBold(cmdStopSrch, true);
    ++m_scanDepth;
    list.Scan();
    --m_scanDepth;
    setBold(cmdStopSrch, false);
    ftv->setEnabled(true);
    if (treeHadFocus && !m_state.MainUnloading)
        ftv->setFocus(Qt::OtherFocusReason);
    if (m_state.MainUnloading) {
        FinishClosing();
        return false;
    }
    return true;
}

void frmMain::CheckAllRows()
{
    lvw2->setCheckedAll(true);
    Check1->setChecked(true);
}

void frmMain::ShowPlot()
{
    const QString count = QString::number(lvw2->FileItemCount());
    if (txtPlot->text() != count)
        txtPlot->setText(count);
}

void frmMain::RefreshRenamerIfWanted()
{
    if (m_state.RenamerLoaded == 1 && m_state.AutoRefreshRenamer == 1)
        emit renamerRefreshRequested(false);
}

void frmMain::GetSelected()
{
    std::vector<int32_t> checkedRows;
    m_state.SelFileCount = lvw2->GetCheckedItems(checkedRows);
    m_state.SelChanged = 1;
}

// ---- Folder click ---------------------------------------------------------------------------

void frmMain::ftv_FolderClick(int Code)
{
    AppState &s = m_state;
    lvw2->StopScan();
    LVW->StopScan();
    if (s.RenameDropRun)
        return;
    if (s.OpenFilesRun) {
        s.OpenFilesRun = 0;
        return;
    }
    const QString selected = ftv->SelectedFolder();
    s.CurrentFolder = selected == QLatin1String("Desktop") ? common::GetDesktopPath() : selected;

    if (Check6->isChecked()) {
        if (Code != FolderTree::OnItemStateIcon)
            return;
        if (!ftv->IsChecked(selected)) {
            MergeFolderRows(selected, false);
            return;
        }
        s.SearchRootFolder = s.CurrentFolder;
        LVW->setPath(s.SearchRootFolder);
        AppendLog(QStringLiteral("Searching ") + common::FixPathOf(s.CurrentFolder) + QStringLiteral(" . "));
        if (!ScanBlock(*LVW))
            return;
        if (s.CheckAllOnLoad == 1)
            CheckAllRows();
        MergeFolderRows(selected, true);
        GetSelected();
        lvw2->setSortKey(1);
        lvw2->setSorted(true);
        AppendLog(QString::number(LVW->FileItemCount()) + QStringLiteral(" file(s) found.") + CRLF);
        return;
    }

    s.SearchRootFolder = s.CurrentFolder;
    lvw2->setPath(s.SearchRootFolder);
    if (lvw2->Recursive())
        AppendLog(QStringLiteral("Searching ") + s.SearchRootFolder + QStringLiteral(" its subdirectories") + CRLF);
    else
        AppendLog(QStringLiteral("Searching ") + s.SearchRootFolder + CRLF);
    AppendLog(QStringLiteral("Press 'Stop Search' anytime to Stop") + CRLF);
    if (!ScanBlock(*lvw2))
        return;
    if (s.CheckAllOnLoad == 1)
        CheckAllRows();
    lvw2->Refresh();
    lvw2->setSortKey(Check2->isChecked() ? 1 : 0);
    lvw2->setSorted(true);
    MergeFolderRows(s.CurrentFolder, true);
    AppendLog(QString::number(s.SelFileCount) + QStringLiteral(" file(s) found") + CRLF);
    GetSelected();
    RefreshRenamerIfWanted();
    FillFileTypesSoon();
}

void frmMain::MergeFolderRows(const QString &Folder, bool Add)
{
    AppState &s = m_state;
    if (Check6->isChecked()) {
        filelist::ListItemsModel &rows = lvw2->ListItems();
        if (!Add) {
            std::vector<int32_t> inFolder;
            for (int32_t i = rows.Count(); i >= 1; --i)
                if (RowInFolder(rows.Item(i).SubItems(1), Folder))
                    inFolder.push_back(i);
            rows.RemoveRows(std::move(inFolder));
        } else {
            const filelist::ListItemsModel &scanned = LVW->ListItems();
            rows.BeginBatch();
            for (int32_t i = 1; i <= scanned.Count(); ++i)
                lvw2->AddFile(scanned.Item(i).SubItems(1), scanned.Item(i).Text);
            rows.EndBatch();
            for (int32_t i = rows.Count(); i >= 1; --i)
                if (RowInFolder(rows.Item(i).SubItems(1), Folder))
                    rows.SetChecked(i, s.CheckAllOnLoad == 1);
        }
    }
    lvw2->Refresh();
    s.SelFileCount = lvw2->FileItemCount();
    ShowPlot();
}

// ---- File types and filters -----------------------------------------------------------------

void frmMain::FillFileTypes()
{
    FillFileTypesSoon();
    TakeDueFileTypes();
}

void frmMain::FillFileTypesSoon()
{
    // The filters' copy shares the listing's rows, so it is taken at once; the type list, which
    // reads every row, takes a turn of its own after a scan, so that the list is painted and
    // input is answered first. Whatever reads it first takes it.
    ++m_fileTypesRun;
    // The filters pick their rows from this copy of the whole listing, unchecked; it holds the
    // very rows of the listing until either changes.
    lvw3->ListItems().AssignRows(lvw2->ListItems());
    m_typeListDue = true;
    QTimer::singleShot(1, this, [this, run = m_fileTypesRun] {
        if (run == m_fileTypesRun)  // a newer listing has a turn of its own
            TakeDueFileTypes();
    });
    // A type picked or a name typed into the filter while the scan ran applies to the finished
    // listing (the type list just made offers the picked type again when the listing has it).
    if (!m_typeFilterDue.isEmpty()) {
        const QString picked = std::exchange(m_typeFilterDue, QString());
        TakeDueFileTypes();
        if (cmbFileType->findText(picked) >= 0) {
            cmbFileType->setCurrentText(picked);
            cmbFileType_Click();
        }
    }
    if (m_nameFilterDue) {
        m_nameFilterDue = false;
        txtFilter_Change();
    }
}

void frmMain::TakeDueFileTypes()
{
    if (m_typeListDue) {
        m_typeListDue = false;
        FillTypeList();
    }
}

void frmMain::FillTypeList()
{
    // Each type once, in the order first met (a type met again offers nothing new). Read from
    // the filters' copy, which holds the listing as the scan left it.
    const filelist::ListItemsModel &rows = lvw3->ListItems();
    QStringList types;
    QSet<QString> met;
    const QString *previous = nullptr;
    const QString none;
    for (int32_t i = 1; i <= rows.Count(); ++i) {
        const QStringList &subItems = rows.Item(i).SubItemTexts;
        const QString &type = subItems.size() >= 3 ? subItems[2] : none;
        if (previous && type == *previous)
            continue;
        previous = &type;
        if (!met.contains(type)) {
            met.insert(type);
            types << type;
        }
    }
    cmbFileType->clear();
    cmbFileType->addItems(FileTypeEntries(types));
    cmbFileType->setCurrentText(AllTypesSpec);
    LVW->setFileSpec(AllTypesSpec);
    lvw2->setFileSpec(AllTypesSpec);
    common::AutoSizeCombo(cmbFileType);
}

void frmMain::cmbFileType_Click()
{
    AppState &s = m_state;
    const QString picked = cmbFileType->currentText();
    if (m_scanDepth > 0 && lvw2->Scanning()) {
        // The listing is still coming: the type applies to it once it is complete.
        m_typeFilterDue = picked;
        return;
    }
    if (!ListingSettled()) {
        // Picked from the list of the listing before: it applies to the new one when offered.
        TakeDueFileTypes();
        if (cmbFileType->findText(picked) >= 0)
            cmbFileType->setCurrentText(picked);
    }
    s.CurrentFileSpec = cmbFileType->currentText();
    if (!ApplyFileTypeFilter())
        return;
    s.SelChanged = 1;
    if (s.CheckAllOnLoad == 1)
        CheckAllRows();
    lvw2->Refresh();
    GetSelected();
    RefreshRenamerIfWanted();
}

bool frmMain::ApplyFileTypeFilter()
{
    TakeDueFileTypes();
    // Each item is looked up again, and its type as it is now decides: an item gone since the
    // listing has no type and never passes.
    const QString spec = m_state.CurrentFileSpec;
    return RelistFiltered({}, [spec](const filelist::ListItem &row) {
        return TypeFilterAccepts(spec, row.SubItems(filelist::TypeSubItem));
    });
}

bool frmMain::RelistFiltered(const filelist::ListViewEditable::RowTest &pick,
                             const filelist::ListViewEditable::RowTest &keep)
{
    // The re-list yields as a scan does: a close meanwhile waits for it, and a newer filter, a
    // listing or "Stop Search" takes over from it.
    ++m_scanDepth;
    const bool done = lvw2->RelistFrom(lvw3->ListItems(), pick, keep);
    --m_scanDepth;
    if (m_state.MainUnloading) {
        FinishClosing();
        return false;
    }
    return done;
}

void frmMain::txtFilter_Change()
{
    if (m_scanDepth > 0 && lvw2->Scanning()) {
        // The listing is still coming: the filter applies to it once it is complete.
        m_nameFilterDue = true;
        return;
    }
    TakeDueFileTypes();
    const QString filter = txtFilter->text();
    // The names kept are looked up again (an item gone since the listing stays, with its size,
    // type and date empty).
    const auto named = [filter](const filelist::ListItem &row) { return NameFilterAccepts(filter, row.Text); };
    if (!RelistFiltered(named, {}))
        return;
    lvw2->setCheckedAll(m_state.CheckAllOnLoad == 1);
    GetSelected();
    ShowPlot();
}

// ---- Check boxes ----------------------------------------------------------------------------

void frmMain::Check1_Click()
{
    const bool on = Check1->isChecked();
    lvw2->setCheckedAll(on);
    Check1->setText(on ? QStringLiteral("Uncheck All") : QStringLiteral("Check All"));
    GetSelected();
    ShowPlot();
    if (MainLoaded && m_state.AutoRefreshRenamer != 0)
        emit renamerRefreshRequested(false);
}

void frmMain::Check2_Click()
{
    AppState &s = m_state;
    if (Check2->isChecked()) {
        AppendLog(QStringLiteral("Subdirectory Search Activated. ") + CRLF);
        lvw2->setRecursive(true);
        AppendLog(QStringLiteral("Searching Subdirectories of  ") + s.SearchRootFolder + QStringLiteral("...")
                  + QStringLiteral(" .Press 'Stop Search' to Stop") + CRLF);
        if (!ScanBlock(*lvw2))
            return;
        lvw2->setSortKey(1);
        lvw2->setSorted(true);
    } else {
        AppendLog(QStringLiteral("Subdirectory Search Deactivated. ") + CRLF);
        lvw2->setRecursive(false);
        AppendLog(QStringLiteral("Searching  ") + s.SearchRootFolder + QStringLiteral("...") + CRLF);
        if (!ScanBlock(*lvw2))
            return;
    }
    MergeFolderRows(s.CurrentFolder, true);
    lvw2->Refresh();
    if (s.CheckAllOnLoad == 1)
        CheckAllRows();
    AppendLog(QString::number(s.SelFileCount) + QStringLiteral(" file(s) found") + CRLF);
    GetSelected();
    FillFileTypesSoon();
}

void frmMain::Check6_Click()
{
    if (Check6->isChecked()) {
        Check2->setEnabled(false);
        ftv->SetCheckBoxes(1);
        AppendLog(QStringLiteral("Multiple Folder Select mode Selected") + CRLF);
    } else {
        Check2->setEnabled(true);
        ftv->SetCheckBoxes(0);
        AppendLog(QStringLiteral("Single Folder Select mode Selected") + CRLF);
    }
    lvw2->ClearItems();
    // Several folders are listed without their sub-folders; back in single-folder mode the
    // listing searches sub-folders again when "Search Subfolders" is ticked, as its box shows.
    lvw2->setRecursive(!Check6->isChecked() && Check2->isChecked());
}

void frmMain::chkOnTop_Click()
{
    if (chkOnTop->isChecked()) {
        // The other windows clear their boxes first; their handlers set TopMostWindow to 0,
        // so the main window's choice is stored after them.
        emit onTopTaken();
        m_state.TopMostWindow = 1;
        common::SetWindowTopMost(this, true);
    } else {
        common::SetWindowTopMost(this, false);
        m_state.TopMostWindow = 0;
    }
}

// ---- Buttons --------------------------------------------------------------------------------

void frmMain::cmdRename_Click()
{
    AppState &s = m_state;
    if (!s.RenameDropRun) {
        if (isSignalConnected(QMetaMethod::fromSignal(&frmMain::renameRequested)))
            emit renameRequested();
        else
            NotAvailableYet(QStringLiteral("The rename window"));
    }
    if (s.SelChanged) {
        emit renamerRefreshRequested(!s.CommandLine.isEmpty() || s.CmdArgCount > 0);
        s.SelChanged = 0;
    }
}

void frmMain::cmdStopSrch_Click()
{
    lvw2->StopScan();
    LVW->StopScan();
}

// ---- Events of the main list ----------------------------------------------------------------

void frmMain::lvw2_Click()
{
    const int32_t before = m_state.SelFileCount;
    GetSelected();
    if (m_state.SelFileCount != before)
        RefreshRenamerIfWanted();
    GetSelected();
    ShowPlot();
}

void frmMain::lvw2_ItemCheck()
{
    lvw2_Click();
}

void frmMain::lvw2_KeyDown()
{
    GetSelected();
}

void frmMain::lvw2_ColumnClick()
{
    GetSelected();
}

void frmMain::lvw2_OLEDragDrop()
{
    if (m_state.CheckAllOnLoad == 1)
        CheckAllRows();
    GetSelected();
}

} // namespace mainwin
