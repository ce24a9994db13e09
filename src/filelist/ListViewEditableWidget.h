#pragma once
/**
 * The face of the file list control: the inner report list `ListView1` over the control's rows,
 * or, in the icon and list views (`View` 0, 1 and 2), an icon list over the same rows, checks
 * and selection. All behaviour lives in ListViewEditable (control()); this widget shows the
 * rows, applies the view settings, freezes painting while a scan runs and reports check-box
 * clicks back.
 */
#include "ISubclass.h"
#include "ListViewEditable.h"
#include "Pacer.h"

#include <QPoint>
#include <QVariantMap>
#include <QWidget>

class QAbstractItemView;
class QKeyEvent;
class QListView;
class QLineEdit;
class QMenu;
class QSettings;
class QTreeView;

namespace filelist {

class CSubclass;

class ListViewEditableWidget : public QWidget {
    Q_OBJECT
public:
    explicit ListViewEditableWidget(QWidget *parent = nullptr);
    ~ListViewEditableWidget() override;

    ListViewEditable &control() { return *m_control; }
    const ListViewEditable &control() const { return *m_control; }
    /** The inner list. */
    QTreeView *ListView() const { return ListView1; }
    /** The icon list that shows the rows in the icon and list views. */
    QListView *IconView() const { return m_iconView; }
    /** The view that shows the rows now: ListView() in the report view, IconView() else. */
    QAbstractItemView *ShownView() const;

    /** Reads the persisted values kept for this control (its object name) on `formName` in
     *  `store`; `designValues` stand in for values not stored yet. */
    void ReadProperties(QSettings &store, const QString &formName, const QVariantMap &designValues = {});
    void WriteProperties(QSettings &store, const QString &formName) const;

    /** The inner list's and the control's window ids as decimal text. */
    QString hWnd() const;
    QString hWndCtrl() const;

    /** The 1-based row shown at the top. */
    int32_t TopIndex() const;
    /** Scrolls so that row `Index` is visible: upwards it becomes the top row, a visible row
     *  does not scroll, downwards it becomes the top row unless that would pass the last row. */
    void setTopIndex(int32_t Index);
    /** Rows that fit in the visible area. */
    int32_t VisibleCount() const;

    // ---- Input, header, edit box and popup menu (ListViewEditableWidgetInput.cpp) --------------

    /** The popup menu `mnuOptions`: one action per entry, named after it ("mnuOpen",
     *  "mnuCopy", ...). Entries added by a host stay enabled as the host sets them. */
    QMenu *OptionsMenu() const { return mnuOptions; }
    /** The properties dialog over this control (its last popup entry, "&Properties..."); needs
     *  the control's message service. */
    void ShowProperties();
    /** The in-place edit box `txtEdit`. */
    QLineEdit *EditBox() const { return txtEdit; }
    /** Places the edit box over the cell the control's EditTag names with that cell's text, or
     *  hides it when the cell is out of view, takes no typing (a name or a folder) or the report
     *  view is not shown. The box does not take the focus: the list keeps its keys until the user
     *  clicks into the box; Enter there commits and gives the focus back to the list (there is
     *  no cancel key). The box ends (committed) when the current row moves to another
     *  row. Typing not yet committed is committed first. */
    void ShowEditBox();
    /** True when the header lacks the button style, read from the header itself. */
    bool IsFlatHeader() const;
    /** Fits column `ColumnIndex` (0-based) to its cells; an index beyond the last does
     *  nothing. */
    void ResizeListViewColumn(int32_t ColumnIndex);
    void ResizeListViewColumnsByText();
    /** Fits column `ColumnIndex` to its cells and caption; the last column reaches the list's
     *  edge. */
    void ResizeListViewHeader(int32_t ColumnIndex);
    void ResizeListViewHeaders();
    void AutoSizeColumn(int16_t Index) { ResizeListViewColumn(Index); }
    void AutoSizeColumns() { ResizeListViewColumnsByText(); }
    void AutoSizeColumnToHeader(int16_t Index) { ResizeListViewHeader(Index); }
    void AutoSizeColumnsToHeader() { ResizeListViewHeaders(); }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template <class Interface>
    class HookOwner;
    struct HeaderPress {
        bool active = false;
        int section = -1;
        QPoint at;
        bool onDivider = false;
        bool dragged = false;
        bool resized = false;
    };

    void setupInput();
    void buildOptionsMenu();
    void installHooks();
    void ListHook_After(int32_t uMsg, qintptr wParam, qintptr lParam);
    void HeaderHook_After(int32_t uMsg, qintptr wParam, qintptr lParam);
    void MakeHeaderFlat();
    void MakeHeaderButtons();
    bool viewportEvent(QWidget *viewport, QEvent *event);
    bool listKeyEvent(QEvent *event);
    bool editBoxEvent(QEvent *event);
    void paintStripe();
    ListViewEditable::CellHit hitTest(const QPoint &viewportPos) const;
    QPointF twipsInList(const QPoint &viewportPos) const;
    void commitEditBox();
    void endEditBox();
    void commitPendingEdit();
    bool toggleCurrentCheck(QKeyEvent *event);
    void showOptionsMenu(float x, float Y);
    void updateMenuStates();
    void fitColumn(int32_t column, bool withCaption);
    void setupConnections();
    void applyViewSettings();
    void applyViewMode();
    void measureNames(int first, int last);
    void applyNameGrid();
    void applyColumnWidths();
    void layoutInnerList();
    void repaintFrozen();

    ListViewEditable *m_control;
    QTreeView *ListView1;
    QListView *m_iconView;
    QLineEdit *txtEdit = nullptr;
    QMenu *mnuOptions = nullptr;
    bool m_applyingWidths = false;
    /** Paces the repaints asked for while painting is frozen. */
    common::Pacer m_frozenRepaint;
    // Width in pixels of the longest name listed since the rows were last emptied, while the
    // list view shows them (measured is false when the rows changed in another view).
    int m_longestName = 0;
    bool m_namesMeasured = false;
    bool m_nameLayoutPending = false;
    HeaderPress m_headerPress;
    QEvent *m_replacedKey = nullptr;
    // Owned; the destructor removes the hooks before their owners go.
    HookOwner<ISubclass> *m_listOwner = nullptr;
    HookOwner<ISubclass2> *m_headerOwner = nullptr;
    CSubclass *m_listHook = nullptr;
    CSubclass *m_headerHook = nullptr;
};

} // namespace filelist
