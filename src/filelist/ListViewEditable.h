#pragma once
/**
 * The file list control without its face: the rows (with check marks, selection and icons),
 * the folder scan, the sort engine, the grid accessors, every property value and the persisted
 * values, and the control's events as signals. The window part (ListViewEditableWidget) shows
 * the rows in its inner list `ListView1` and raises the input events through this object.
 *
 * Events whose arguments a handler may change pass them by reference; connect such handlers
 * directly (the default for objects of one thread). Row numbers are 1-based; columns are
 * 1-based in the grid accessors and the sort (1 the name), 0-based in SortKey.
 *
 * Rows written by AddFile: item text the name; sub-item 1 the folder (ending in "/"), 2 the size
 * text (empty for a folder), 3 the type name ("File Folder" for a folder), 4 the last-write
 * date text.
 */
#include "FileItemBuilder.h"
#include "FolderScan.h"
#include "ImageList.h"
#include "ListItemsModel.h"
#include "ListProperties.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class Dialogs;
class MessageService;
class QItemSelectionModel;
class QMimeData;
class Shell;

namespace filelist {

/** Sub-items of a listed row: the folder (ending in "/") and the type name. */
inline constexpr int32_t FolderSubItem = 1;
inline constexpr int32_t TypeSubItem = 3;

class PropertyBag;
class ScanProgressSink;

class ListViewEditable : public QObject, private FolderScan::Host {
    Q_OBJECT
public:
    explicit ListViewEditable(QObject *parent = nullptr);
    ~ListViewEditable() override;

    // ---- Lifecycle of the persisted values --------------------------------------------------

    /** A newly placed control: every value at its default (ShowFolders 0), columns built. */
    void UserControl_InitProperties();
    /** Reads the 41 values from the hosting form's bag and applies them (columns rebuilt from
     *  ColumnHeadersText; no typed sort runs). */
    void UserControl_ReadProperties(PropertyBag &bag);
    /** Writes the 41 values. ColumnHeadersText is the stored text, not one made from the
     *  current columns. */
    void UserControl_WriteProperties(PropertyBag &bag) const;
    const ListProperties &Properties() const { return m_props; }

    // ---- Services the host provides ---------------------------------------------------------

    /** Status text and progress bar of the scan; null shows nothing. Not owned. */
    void setProgressSink(ScanProgressSink *sink) { m_sink = sink; }
    /** Called after every directory entry of a scan. The default runs the event loop at most
     *  every few milliseconds, so stop buttons work without slowing the scan down. */
    void setYieldHandler(std::function<void()> yield) { m_yield = std::move(yield); }
    /** The folder picker of SelectDirectory. Not owned. */
    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    /** Whether text columns sort by magnitude (the preference "By Magnitude (Ignoring
     *  pre-zeros)"); asked at the start of every text sort. */
    void setMagnitudeSortSource(std::function<bool()> source) { m_magnitude = std::move(source); }
    /** Makes the icons (the window part gives theme icons). */
    void setImageSource(ImageList::ImageSource source);
    /** Opens files and folders for Open, Explore and the double click. Not owned. */
    void setShell(Shell *shell) { m_shell = shell; }
    /** Where copy and move report the items they could not handle. Not owned. */
    void setMessages(MessageService *messages) { m_messages = messages; }
    MessageService *Messages() const { return m_messages; }
    /** The folder last chosen for copy or move, shared by every list of the program; without
     *  it the list keeps its own. Not owned. */
    void setLastCopyFolder(QString *shared) { m_lastCopyFolder = shared ? shared : &m_ownLastCopyFolder; }

    // ---- Rows ---------------------------------------------------------------------------------

    /** The rows: `ListItems().Count()`, `ListItems().Item(i).Text`, `.SubItems(1)`,
     *  `ListItems().Checked(i)`; also the item model the list view shows. */
    ListItemsModel &ListItems() { return *m_items; }
    const ListItemsModel &ListItems() const { return *m_items; }
    QItemSelectionModel *selectionModel() const { return m_selection; }
    const ImageList &ImageList1() const { return m_images; }

    /** Appends the row of the file or folder `QualifiedPath` + `FileName` (QualifiedPath ends
     *  in "/"). A path that cannot be looked up still gives a row with name and folder. */
    void AddFile(const QString &QualifiedPath, const QString &FileName);
    /** A test of a row, for RelistFrom. */
    using RowTest = std::function<bool(const ListItem &)>;
    /** Replaces every row by the rows AddFile makes for the rows of `source` that `pick`
     *  accepts (every row when empty), in their order, unchecked, keeping those of the rows
     *  made that `keep` accepts (every one when empty). Each item is looked up again, so a row
     *  shows the item as it is now: one gone since keeps its name and folder with empty size,
     *  type and date. The items are looked up together, on a few threads when there are many.
     *  The rows are made with the yields of a scan and replace the old ones at the end; false
     *  when a newer re-list, a scan, rows added (AddFile, a drop), StopScan or ClearItems came
     *  meanwhile (the rows are then left to it). */
    bool RelistFrom(const ListItemsModel &source, const RowTest &pick, const RowTest &keep);
    /** Removes every row. */
    void ClearItems();
    int32_t FileItemCount() const { return m_items->Count(); }
    /** Number of icons, the placeholder not counted. */
    int32_t ImageListCount() const { return m_images.Count() - 1; }

    // ---- Check marks ------------------------------------------------------------------------

    /** Row `Index`'s check mark; false for a row that does not exist. */
    bool checked(int32_t Index) const { return m_items->Checked(Index); }
    /** Sets row `Index`'s mark; a row that does not exist is ignored. */
    void setChecked(int32_t Index, bool bState) { m_items->SetChecked(Index, bState); }
    void setCheckedAll(bool bState) { m_items->SetAllChecked(bState); }
    void InvertAllChecks() { m_items->InvertAllChecks(); }
    /** Fills `nChecked` with the numbers of the checked rows in row order and returns their
     *  count; with none checked the vector is left as it was and 0 is returned. */
    int32_t GetCheckedItems(std::vector<int32_t> &nChecked) const;
    /** The checked rows with name, folder, size, type and date, in row order. */
    std::vector<FileRow> CheckedFileRows() const;

    // ---- Selection ----------------------------------------------------------------------------

    /** As GetCheckedItems for the selected rows. */
    int32_t GetSelectedItems(std::vector<int32_t> &nSelected) const;
    void InvertSelections();
    void setSelectedAll(bool bState);
    int32_t SelectedCount() const;
    /** The current row (1-based), 0 for none. */
    int32_t SelectedItem() const;
    /** Makes row `Index` the current and only selected row; 0 clears the selection. */
    void setSelectedItem(int32_t Index);
    /** The next row after `start` (0-based, -1 to start at the top) that has the flags: 0 any
     *  row, 1 the current row, 2 a selected row; -1 when there is none. */
    int32_t NextItem(int32_t start, int32_t FLAGS) const;

    // ---- Scan --------------------------------------------------------------------------------

    /** Lists `Path` with `FileSpec` (and its sub-folders when `Recursive`): BeforeScanStart
     *  (which may cancel or change the values), clear, walk, ScanFinish. Does nothing when Path
     *  or FileSpec is empty, before or after BeforeScanStart. A scan still running is stopped
     *  first. An empty list is made with ClearItems, not by scanning a folder that does not
     *  exist. */
    void Scan();
    /** Stops a running scan, or a re-list (RelistFrom). */
    void StopScan()
    {
        m_scan.Stop();
        ++m_relistRun;
    }
    void ResetStopFlag() { m_scan.ResetStop(); }
    bool Stopped() const { return m_scan.Stopped(); }
    bool Scanning() const { return m_scan.Running(); }
    /** The walk behind Scan, also used for folders dropped on the list; `Clear` empties the
     *  list first (and supersedes a scan still running). Raises no BeforeScanStart or
     *  ScanFinish and leaves painting to the caller. Returns the rows added since the last
     *  clearing walk. */
    int32_t ScanFolder(const QString &Path, const QString &FileSpec, bool Recursive, bool Clear, bool IncludeFolder);
    /** Shows the folder picker titled `DialogTitle` + FileSpec + "."; the chosen folder ending in
     *  "/", or "" when cancelled. */
    QString SelectDirectory(const QString &DialogTitle, qintptr OwnerHwnd = 0);

    // ---- Sort ----------------------------------------------------------------------------------

    /** Sorts by `column` (1-based) read as `dataType` (0 text, 1 number, 2 date); afterwards
     *  SortKey, SortOrder and Sorted describe this sort. */
    void SortByColumn(int32_t column, int32_t dataType, bool ascending);
    void SortCustom(int16_t Colindex, bool Ascending, int32_t dt) { SortByColumn(Colindex, dt, Ascending); }

    // ---- Grid accessors ------------------------------------------------------------------------

    QString Cell(int32_t RowIndex, int32_t ColumnIndex) const;
    QString Row(int32_t Index, const QString &Delimiter = QStringLiteral("\t"), bool IncludeIndex = false) const;
    QString Rows(const QString &RowDelimiter, const QString &ColumnDelimiter, bool IncludeIndex,
                 const std::vector<int32_t> &vIndexes) const;
    QString RowsArray(const std::vector<int32_t> &Indexes, const QString &RowDelimiter = QStringLiteral("\r\n"),
                      const QString &ColumnDelimiter = QStringLiteral("\t"), bool IncludeIndex = true) const;
    QString Col(int32_t Index, const QString &Delimiter = QStringLiteral("\r\n"), bool IncludeIndex = false) const;
    QString Cols(const QString &RowDelimiter, const QString &ColumnDelimiter, bool IncludeIndex,
                 const std::vector<int32_t> &vIndexes) const;

    // ---- Columns -------------------------------------------------------------------------------

    const std::vector<ColumnHeader> &ColumnHeaders() const { return m_items->ColumnHeaders(); }
    /** The stored column-definition text; setting it takes effect when the values are next
     *  saved and read again. */
    QString ColumnHeadersText() const { return m_props.ColumnHeadersText; }
    void setColumnHeadersText(const QString &New_ColumnHeadersText);

    // ---- Properties of the inner list (persisted) -------------------------------------------

    bool AllowColumnReorder() const { return m_props.AllowColumnReorder; }
    void setAllowColumnReorder(bool v) { setInner(&ListProperties::AllowColumnReorder, v, "AllowColumnReorder"); }
    int32_t Appearance() const { return m_props.Appearance; }
    void setAppearance(int32_t v) { setInner(&ListProperties::Appearance, v, "Appearance"); }
    int32_t Arrange() const { return m_props.Arrange; }
    void setArrange(int32_t v) { setInner(&ListProperties::Arrange, v, "Arrange"); }
    int32_t BorderStyle() const { return m_props.BorderStyle; }
    void setBorderStyle(int32_t New_BorderStyle) { setInner(&ListProperties::BorderStyle, New_BorderStyle, "BorderStyle"); }
    bool Checkboxes() const { return m_props.Checkboxes; }
    void setCheckboxes(bool v);
    bool Enabled() const { return m_props.Enabled; }
    void setEnabled(bool v) { setInner(&ListProperties::Enabled, v, "Enabled"); }
    bool FlatScrollBar() const { return m_props.FlatScrollBar; }
    void setFlatScrollBar(bool v) { setInner(&ListProperties::FlatScrollBar, v, "FlatScrollBar"); }
    bool FullRowSelect() const { return m_props.FullRowSelect; }
    void setFullRowSelect(bool v) { setInner(&ListProperties::FullRowSelect, v, "FullRowSelect"); }
    bool GridLines() const { return m_props.GridLines; }
    void setGridLines(bool v) { setInner(&ListProperties::GridLines, v, "GridLines"); }
    bool HideColumnHeaders() const { return m_props.HideColumnHeaders; }
    void setHideColumnHeaders(bool v) { setInner(&ListProperties::HideColumnHeaders, v, "HideColumnHeaders"); }
    bool HideSelection() const { return m_props.HideSelection; }
    void setHideSelection(bool v) { setInner(&ListProperties::HideSelection, v, "HideSelection"); }
    bool HotTracking() const { return m_props.HotTracking; }
    void setHotTracking(bool v) { setInner(&ListProperties::HotTracking, v, "HotTracking"); }
    bool HoverSelection() const { return m_props.HoverSelection; }
    void setHoverSelection(bool v) { setInner(&ListProperties::HoverSelection, v, "HoverSelection"); }
    /** 0 the default pointer, 11 the hourglass. */
    int32_t MousePointer() const { return m_props.MousePointer; }
    void setMousePointer(int32_t v) { setInner(&ListProperties::MousePointer, v, "MousePointer"); }
    bool MultiSelect() const { return m_props.MultiSelect; }
    void setMultiSelect(bool v) { setInner(&ListProperties::MultiSelect, v, "MultiSelect"); }
    /** 0-based column of the plain text sort; changing it re-sorts while Sorted. */
    int16_t SortKey() const { return m_props.SortKey; }
    void setSortKey(int16_t intSortKey);
    /** 0 ascending, 1 descending; changing it re-sorts while Sorted. */
    int32_t SortOrder() const { return m_props.SortOrder; }
    void setSortOrder(int32_t v);
    /** Setting it to true sorts the rows by the plain text of column SortKey in SortOrder;
     *  rows added afterwards are appended. */
    bool Sorted() const { return m_props.Sorted; }
    void setSorted(bool New_Sorted);
    int32_t TextBackground() const { return m_props.TextBackground; }
    void setTextBackground(int32_t v) { setInner(&ListProperties::TextBackground, v, "TextBackground"); }
    /** 0 icons, 1 small icons, 2 list, 3 report. */
    int32_t View() const { return m_props.View; }
    /** Another view ends an edit in progress (the box belongs to a cell of the old view). */
    void setView(int32_t New_View);
    bool Visible() const { return m_props.Visible; }
    void setVisible(bool boolVisible) { setInner(&ListProperties::Visible, boolVisible, "Visible"); }
    /** Not persisted. */
    int32_t PictureAlignment() const { return m_pictureAlignment; }
    void setPictureAlignment(int32_t v);

    // ---- The control's own properties ---------------------------------------------------------

    bool AllowFileDragDrop() const { return m_props.AllowFileDragDrop; }
    void setAllowFileDragDrop(bool New_AllowFileDragDrop) { setOwn(&ListProperties::AllowFileDragDrop, New_AllowFileDragDrop, "AllowFileDragDrop"); }
    bool AllowItemEdit() const { return m_props.AllowItemEdit; }
    /** True offers the last clicked cell for editing at once; false hides the edit box. */
    void setAllowItemEdit(bool v);
    bool AutoDeselect() const { return m_props.AutoDeselect; }
    void setAutoDeselect(bool v) { setOwn(&ListProperties::AutoDeselect, v, "AutoDeselect"); }
    bool AutoPopupMenu() const { return m_props.AutoPopupMenu; }
    void setAutoPopupMenu(bool v) { setOwn(&ListProperties::AutoPopupMenu, v, "AutoPopupMenu"); }
    bool AutoTooltip() const { return m_props.AutoTooltip; }
    void setAutoTooltip(bool v) { setOwn(&ListProperties::AutoTooltip, v, "AutoTooltip"); }
    /** Not reported as changed. */
    bool ClearOnDragDrop() const { return m_props.ClearOnDragDrop; }
    void setClearOnDragDrop(bool vNewValue) { m_props.ClearOnDragDrop = vNewValue; }
    int32_t CurrrentHighlightColumn() const { return m_props.CurrrentHighlightColumn; }
    void setCurrrentHighlightColumn(int32_t lCurrrentHighlightColumn) { setHighlight(&ListProperties::CurrrentHighlightColumn, lCurrrentHighlightColumn, "CurrrentHighlightColumn"); }
    int32_t DefaultColor() const { return m_props.DefaultColor; }
    void setDefaultColor(int32_t v) { setHighlight(&ListProperties::DefaultColor, v, "DefaultColor"); }
    /** Path followed by FileSpec. */
    QString DisplayName() const { return m_props.Path + m_props.FileSpec; }
    QString FileSpec() const { return m_props.FileSpec; }
    void setFileSpec(const QString &strFileSpec) { setOwn(&ListProperties::FileSpec, strFileSpec, "FileSpec"); }
    bool FlatHeader() const { return m_props.FlatHeader; }
    /** Shows the header flat (true) or as buttons (false). */
    void setFlatHeader(bool v);
    int32_t HighlightColor() const { return m_props.HighlightColor; }
    void setHighlightColor(int32_t v) { setHighlight(&ListProperties::HighlightColor, v, "HighlightColor"); }
    bool HighlightColumn() const { return m_props.HighlightColumn; }
    /** True paints the band of the current highlight column; false paints the background
     *  plain white. */
    void setHighlightColumn(bool v);
    bool IncludeFolder() const { return m_props.IncludeFolder; }
    void setIncludeFolder(bool bIncludeFolder) { setOwn(&ListProperties::IncludeFolder, bIncludeFolder, "IncludeFolder"); }
    QString Path() const { return m_props.Path; }
    void setPath(const QString &strPath) { setOwn(&ListProperties::Path, strPath, "Path"); }
    bool Recursive() const { return m_props.Recursive; }
    void setRecursive(bool bRecursive) { setOwn(&ListProperties::Recursive, bRecursive, "Recursive"); }
    /** Not reported as changed. */
    int16_t ShowFolders() const { return m_props.ShowFolders; }
    void setShowFolders(int16_t vNewValue) { m_props.ShowFolders = vNewValue; }
    int32_t SizingType() const { return m_props.SizingType; }
    void setSizingType(int32_t v) { setHighlight(&ListProperties::SizingType, v, "SizingType"); }
    bool SubitemSelect() const { return m_props.SubitemSelect; }
    void setSubitemSelect(bool v) { setOwn(&ListProperties::SubitemSelect, v, "SubitemSelect"); }
    /** Rows between two repaints during a scan; 0 or less repaints only at the end. */
    int32_t UpdateFrequency() const { return m_props.UpdateFrequency; }
    void setUpdateFrequency(int32_t lUpdateFrequency) { setOwn(&ListProperties::UpdateFrequency, lUpdateFrequency, "UpdateFrequency"); }

    /** Asks the view to repaint the list. */
    void Refresh() { emit RefreshRequested(); }

    // ---- Column highlight ----------------------------------------------------------------------

    /** The background the list paints behind its rows: `DefaultColor` with a band of
     *  `HighlightColor` behind column `Column` (1-based); absent when never painted or when
     *  the column does not exist. Shown in report view only. */
    struct BackgroundStripe {
        bool present = false;
        int32_t highlight = 0xFFFFFF;
        int32_t background = 0xFFFFFF;
        int32_t column = 1;
    };
    const BackgroundStripe &Stripe() const { return m_stripe; }
    /** Stores the colours, the column (1 when below 1) and the sizing type (2 for column 1)
     *  without reporting them changed, and paints the band. */
    void DoHighlightColumn(int32_t clrHighlight, int32_t clrDefault, int32_t nColumn, int32_t nSizingType);

    // ---- The inner list's events -----------------------------------------------------------------
    // The window part calls these when the user acts on the inner list; each does the control's
    // own work and raises the events to the host.

    /** A cell under the mouse: row 1-based (0 none), column 0-based (0 the name). */
    struct CellHit {
        int32_t row = 0;
        int32_t column = -1;
        bool isCell() const { return row > 0 && column >= 0; }
    };
    /** Header `ColumnHeader` (1-based) clicked: sorts by it, reversing the order the list was
     *  last left in, records it as the current sort column, moves the band, places the edit
     *  box and raises ColumnClick. Typing not yet committed is committed first. */
    void ListView1_ColumnClick(int32_t ColumnHeader);
    /** The mouse moved (position in twips): the tool tip becomes the cell's text, the full
     *  path over a name; MouseMove follows. */
    void ListView1_MouseMove(int16_t Button, int16_t Shift, float x, float Y, CellHit hit);
    /** A button was released: the popup menu (right button, AutoPopupMenu), MouseUp, then the
     *  cell click (SubitemSelect: select the row, record the cell, place the edit box,
     *  SubitemClick) or, beside every row, the deselection (AutoDeselect). */
    void ListView1_MouseUp(int16_t Button, int16_t Shift, float x, float Y, CellHit hit);
    /** DblClick, then Open on the selected row. */
    void ListView1_DblClick();
    /** Adds the dropped files (those passing the type filter) and folders (scanned), raises
     *  FileDragDropFinish and OLEDragDrop, removes repeated rows and sorts by folder.
     *  With ClearOnDragDrop a drop that holds a folder empties the list once, and every
     *  dropped item stays. */
    void ListView1_OLEDragDrop(const QMimeData *Data, int32_t &Effect, int16_t &Button, int16_t &Shift,
                               float &x, float &Y);
    /** The tool tip of the inner list. */
    QString ToolTipText() const { return m_toolTip; }
    /** The type filter of dropped files: FileSpec after its last ".", without "*". */
    QString DropFilter() const;
    /** Keeps the first of every group of rows with the same folder and name, in order. */
    void RemoveDuplicates();
    /** The current sort column, 0-based. */
    int16_t CurrentSortColumn() const { return m_currentSortColumn; }

    // ---- In-place editing ----------------------------------------------------------------------

    /** The cell offered for editing: row (1-based), ":", column (0-based); empty before the
     *  first cell click. */
    QString EditTag() const { return m_editTag; }
    void setEditTag(const QString &tag) { m_editTag = tag; }
    /** The cell the tag names as row and column; false when the tag names no cell. */
    bool EditCell(int32_t &row, int32_t &column) const;
    /** Writes `NewText` into the tagged cell unless it is unchanged: BeforeItemEdit (may veto
     *  or change text, row or sub-item), write, AfterItemEdit (may undo). False when the tag
     *  names no cell (the box then stays as it is). */
    bool CommitItemEdit(const QString &NewText);
    /** Whether a cell of `column` (0-based) takes typed text. The name (0) and the folder (1)
     *  say which item a row stands for, and copy, move and rename act on them: they refuse. */
    static bool CellTakesText(int32_t column) { return column > 1; }
    /** Ends the edit in progress, its typing dropped: the tag is forgotten and the box hidden.
     *  Runs whenever the rows are emptied, reloaded, reordered or shifted, so that the box
     *  never writes into a row it was not opened over. */
    void EndItemEdit();

    // ---- Popup menu commands -------------------------------------------------------------------

    void mnuOpen_Click();
    void mnuExplore_Click();
    void mnuDate_Click() { checkWhereSame(4, 10, true); }
    void mnuUDate_Click() { checkWhereSame(4, 10, false); }
    void mnuSelectDir_Click() { checkWhereSame(1, -1, true); }
    void mnuDeselectDir_Click() { checkWhereSame(1, -1, false); }
    void mnuSelectall_Click() { setCheckedAll(true); }
    void mnuDeselectall_Click() { setCheckedAll(false); }
    /** 0 checks every row, 1 unchecks every row, 2 inverts every mark. */
    void mnuCheck_Click(int16_t Index);
    /** Copies the checked items into a folder the user picks (never over an existing item). */
    void mnuCopy_Click() { CopyOrMoveChecked(false); }
    /** Moves the checked items into a folder the user picks; moved rows show their new
     *  folder. */
    void mnuMove_Click() { CopyOrMoveChecked(true); }
    /** True while a copy or move runs. */
    bool Busy() const { return m_busy; }

    // ---- Procedures no menu entry reaches ------------------------------------------------------

    void RequestAddItem() { emit AddItemRequested(); }
    void RemoveCheckedItems();
    void RemoveSelectedItems();
    /** 0 selects every row, 1 clears the selection, 2 inverts it. */
    void SelectionCommand(int16_t Index);
    /** Runs the column click for header `Index` (1-based). */
    void ClickColumnHeader(int16_t Index);
    void SortCurrentColumnAscending() { sortCurrentColumn(true); }
    void SortCurrentColumnDescending() { sortCurrentColumn(false); }
    /** View = Index + 2 (0 list, 1 report), then Sorted. */
    void SetViewByIndex(int16_t Index);

signals:
    // The control's events, in the order of their dispatch numbers.
    void AddItemRequested();
    void SearchDirChange(QString &Directory);
    void SubitemClick(int32_t &Index, int32_t &Subitem, int16_t &Button, int16_t &Shift);
    void HeaderItemChanging();
    void VScroll();
    void HScroll();
    void WheelScroll();
    void AfterItemEdit(bool &Cancel, int32_t &Index, int32_t &Subitem, QString &OldString, QString &NewString);
    void BeforeItemEdit(bool &Cancel, int32_t &Index, int32_t &Subitem, QString &OldString, QString &NewString);
    void FileDragDropFinish(int32_t &Count, int32_t &Files, int32_t &Folders);
    void ControlResize();
    void BeforeScanStart(bool &Cancel, QString &Path, QString &FileSpec, bool &Recursive, bool &IncludeFolder);
    void ScanFinish(bool &Stopped, QString &Path, QString &FileSpec, bool &Recursive, bool &IncludeFolder);
    void Click();
    /** `ColumnHeader` is the clicked header's 1-based position. */
    void ColumnClick(int32_t ColumnHeader);
    void DblClick();
    /** The user changed row `Item`'s check mark. */
    void ItemCheck(int32_t Item);
    void ItemClick(int32_t Item);
    void KeyDown(int16_t &KeyCode, int16_t &Shift);
    void KeyUp(int16_t &KeyCode, int16_t &Shift);
    void KeyPress(int16_t &KeyAscii);
    void MouseDown(int16_t &Button, int16_t &Shift, float &x, float &Y);
    void MouseMove(int16_t &Button, int16_t &Shift, float &x, float &Y);
    void MouseUp(int16_t &Button, int16_t &Shift, float &x, float &Y);
    void OLEDragDrop(const QMimeData *Data, int32_t &Effect, int16_t &Button, int16_t &Shift, float &x, float &Y);

    // Notifications for the host and the window part.
    /** A persisted property was set through its setter (the host saves the values). */
    void PropertyChanged(const QString &name);
    /** Values the view shows changed; the window part applies them all again. */
    void ViewSettingsChanged();
    /** Painting of the list is frozen (a scan runs) or resumes. */
    void PaintingFrozen(bool frozen);
    /** Paint the rows added so far now, even while frozen. */
    void RepaintRequested();
    void RefreshRequested();
    /** The background band changed. */
    void StripeChanged();
    /** Give the header the flat (true) or the button (false) style. */
    void HeaderStyleRequested(bool flat);
    /** Place the edit box over the cell EditTag names, or hide it when out of view. */
    void EditBoxPlacementRequested();
    /** Hide the edit box. */
    void EditBoxHideRequested();
    /** Hide the edit box and drop what was typed into it. */
    void EditBoxDropRequested();
    /** Commit what was typed into the edit box and not committed yet. */
    void PendingEditCommitRequested();
    /** Show the popup menu at this point of the inner list (twips); returns when it closes. */
    void PopupMenuRequested(float x, float Y);

private:
    // FolderScan::Host
    void searchDirChange(QString &directory) override;
    void addEntryRow(const QString &folder, const DirEntry &entry, const FileStat &st) override;
    void clearRows() override;
    void repaintNow() override;
    void yield() override;
    int32_t updateFrequency() const override { return m_props.UpdateFrequency; }
    void expectRows(size_t rows) override { m_items->Reserve(m_items->Count() + rows); }
    ScanProgressSink *progressSink() const override { return m_sink; }

    template <class T>
    void setOwn(T ListProperties::*member, const T &value, const char *name)
    {
        m_props.*member = value;
        emit PropertyChanged(QLatin1String(name));
    }
    template <class T>
    void setInner(T ListProperties::*member, const T &value, const char *name)
    {
        m_props.*member = value;
        emit PropertyChanged(QLatin1String(name));
        emit ViewSettingsChanged();
    }
    void setHighlight(int32_t ListProperties::*member, int32_t value, const char *name);

    void applyProperties();
    void paintStripe(int32_t highlight, int32_t background);
    void yieldOnce();
    void checkWhereSame(int32_t subItem, int32_t length, bool check);
    void sortCurrentColumn(bool ascending);
    void CopyOrMoveChecked(bool move);
    /** After a move: the moved item's row, and the rows inside a moved folder, show their new
     *  folder. */
    void relocateRows(const QString &folder, const QString &name, bool isFolder, const QString &target);
    int32_t columnDataType(int32_t column) const;
    void buildColumns();
    void sortByText();
    void freezePainting();
    void unfreezePainting();
    std::vector<char> selectedRowFlags() const;

    ListProperties m_props;
    int32_t m_pictureAlignment = 0;
    ImageList m_images;
    ListItemsModel *m_items = nullptr;
    QItemSelectionModel *m_selection = nullptr;
    FileItemBuilder m_builder;
    FolderScan m_scan{*this};
    /** The lookups of RelistFrom, and the count that tells a running one it was superseded. */
    EntryStats m_relistStats;
    quint64 m_relistRun = 0;
    ScanProgressSink *m_sink = nullptr;
    Dialogs *m_dialogs = nullptr;
    std::function<void()> m_yield;
    std::function<bool()> m_magnitude;
    QElapsedTimer m_yieldClock;
    int m_frozen = 0;
    BackgroundStripe m_stripe;
    int16_t m_currentSortColumn = 0;
    QString m_toolTip;
    QString m_editTag;
    Shell *m_shell = nullptr;
    MessageService *m_messages = nullptr;
    QString m_ownLastCopyFolder;
    QString *m_lastCopyFolder = &m_ownLastCopyFolder;
    bool m_busy = false;
};

} // namespace filelist
