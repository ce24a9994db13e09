#pragma once
/**
 * The face of the file list control: the inner report list `ListView1` over the control's rows,
 * or, in the icon and list views (`View` 0, 1 and 2), an icon list over the same rows, checks
 * and selection. All behaviour lives in ListViewEditable (control()); this widget shows the
 * rows, applies the view settings, freezes painting while a scan runs and reports check-box
 * clicks back.
 */
#include "ListViewEditable.h"

#include <QVariantMap>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QSettings;
class QTreeView;

namespace filelist {

class ListViewEditableWidget : public QWidget {
    Q_OBJECT
public:
    explicit ListViewEditableWidget(QWidget *parent = nullptr);

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

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupConnections();
    void applyViewSettings();
    void applyViewMode();
    void applyColumnWidths();
    void layoutInnerList();
    void repaintFrozen();

    ListViewEditable *m_control;
    QTreeView *ListView1;
    QListView *m_iconView;
    bool m_applyingWidths = false;
};

} // namespace filelist
