#include "ListViewEditableWidget.h"

#include "Functions.h"
#include "SettingsPropertyBag.h"
#include "ThemeIcons.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

namespace filelist {

namespace {

// The inner list is this much narrower with flat scroll bars, in twips.
constexpr double FlatScrollBarTwips = 500;

// The list view's view codes.
constexpr int32_t lvwIcon = 0;
constexpr int32_t lvwSmallIcon = 1;
constexpr int32_t lvwList = 2;
constexpr int32_t lvwReport = 3;

struct PointerShape {
    int32_t code;
    Qt::CursorShape shape;
};
constexpr PointerShape kPointers[] = {
    {1, Qt::ArrowCursor},     {2, Qt::CrossCursor},      {3, Qt::IBeamCursor},    {5, Qt::SizeAllCursor},
    {6, Qt::SizeBDiagCursor}, {7, Qt::SizeVerCursor},    {8, Qt::SizeFDiagCursor}, {9, Qt::SizeHorCursor},
    {10, Qt::UpArrowCursor},  {11, Qt::WaitCursor},      {12, Qt::ForbiddenCursor}, {13, Qt::BusyCursor},
    {14, Qt::WhatsThisCursor}, {15, Qt::SizeAllCursor},
};

/** Draws the cells as usual (selection included) and, with grid lines on, a line along each
 *  cell's right and bottom edge over it. */
class GridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool lines = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!lines)
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

// While painting is frozen, the rows a scan shows come this far apart at the most.
constexpr qint64 FrozenRepaintPeriodMs = 100;

/**
 * The report list. Every batch of rows appended would lay out all rows again (a tree view has no
 * layout of appended rows alone), so while painting is frozen appended rows only mark the layout
 * as due; it is done once at the next frozen repaint or when painting thaws.
 */
class ReportView : public QTreeView {
public:
    using QTreeView::QTreeView;

    void holdLayout(bool hold)
    {
        m_hold = hold;
        if (!hold && m_held) {
            m_held = false;
            scheduleDelayedItemsLayout();
        }
    }
    /** Lays out the rows appended while the layout was held. */
    void layoutHeldRows()
    {
        if (m_held) {
            m_held = false;
            doItemsLayout();
        }
    }

protected:
    void rowsInserted(const QModelIndex &parent, int start, int end) override
    {
        if (m_hold && !parent.isValid()) {
            m_held = true;
            QAbstractItemView::rowsInserted(parent, start, end);
            return;
        }
        QTreeView::rowsInserted(parent, start, end);
    }
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override
    {
        layoutHeldRows();
        QTreeView::rowsAboutToBeRemoved(parent, start, end);
    }
    void reset() override
    {
        m_held = false;
        QTreeView::reset();
    }

private:
    bool m_hold = false;
    bool m_held = false;
};

// The views of names beside small icons give every item one size, the size of one item as
// measured for the layout (one measure keeps long lists fast). In the list view, whose columns
// are as wide as the longest name, that measure is widened to the longest name listed, so no
// name is cut short while the list has room.
class NameWidthDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    int longestName = 0;
    bool widen = false;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (widen) {
            const int besideName = size.width() - option.fontMetrics.horizontalAdvance(index.data().toString());
            size.setWidth(std::max(size.width(), besideName + longestName));
        }
        return size;
    }
};

} // namespace

ListViewEditableWidget::ListViewEditableWidget(QWidget *parent)
    : QWidget(parent), m_control(new ListViewEditable(this)), ListView1(new ReportView(this)),
      m_iconView(new QListView(this))
{
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->header()->setStretchLastSection(false);
    ListView1->setItemDelegate(new GridLineDelegate(ListView1));
    ListView1->setModel(&m_control->ListItems());
    ListView1->setSelectionModel(m_control->selectionModel());
    m_iconView->setObjectName(QStringLiteral("ListView1Icons"));
    m_iconView->setItemDelegate(new NameWidthDelegate(m_iconView));
    m_iconView->setModel(&m_control->ListItems());
    m_iconView->setSelectionModel(m_control->selectionModel());
    m_iconView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setWrapping(true);
    m_iconView->setUniformItemSizes(true);
    m_iconView->hide();
    m_control->setImageSource(&ThemeIcon);
    m_frozenRepaint.setPeriod(FrozenRepaintPeriodMs);
    setupConnections();
    applyViewSettings();
    applyColumnWidths();
    setupInput();
}

void ListViewEditableWidget::setupConnections()
{
    ListViewEditable *c = m_control;
    connect(c, &ListViewEditable::ViewSettingsChanged, this, &ListViewEditableWidget::applyViewSettings);
    connect(&c->ListItems(), &ListItemsModel::ColumnHeadersChanged, this, &ListViewEditableWidget::applyColumnWidths);
    QAbstractItemModel *rows = &c->ListItems();
    connect(rows, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { measureNames(first, last); });
    connect(rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to, const QList<int> &roles) {
                if (from.column() == 0 && (roles.isEmpty() || roles.contains(Qt::DisplayRole)))
                    measureNames(from.row(), to.row());
            });
    connect(rows, &QAbstractItemModel::modelReset, this, [this] {
        m_namesMeasured = false;
        measureNames(0, -1);
    });
    connect(rows, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_iconView->model()->rowCount() > 0)
            return;
        m_namesMeasured = false;
        measureNames(0, -1);
    });
    connect(c, &ListViewEditable::PaintingFrozen, this, [this](bool frozen) {
        static_cast<ReportView *>(ListView1)->holdLayout(frozen);
        m_frozenRepaint.restart();
        ListView1->setUpdatesEnabled(!frozen);
        m_iconView->setUpdatesEnabled(!frozen);
    });
    connect(c, &ListViewEditable::RepaintRequested, this, &ListViewEditableWidget::repaintFrozen);
    connect(c, &ListViewEditable::RefreshRequested, this, [this] { ShownView()->viewport()->update(); });
    connect(ListView1->header(), &QHeaderView::sectionResized, this, [this](int column, int, int pixels) {
        if (!m_applyingWidths)
            m_control->ListItems().SetColumnWidth(column, float(common::pixelsToTwips(pixels)));
    });
}

void ListViewEditableWidget::repaintFrozen()
{
    QAbstractItemView *view = ShownView();
    if (view->updatesEnabled()) {
        view->viewport()->update();
        return;
    }
    // A scan asks every few rows; laying out and painting that often would cost more than the
    // scan itself.
    if (!m_frozenRepaint.due())
        return;
    if (view == ListView1)
        static_cast<ReportView *>(ListView1)->layoutHeldRows();
    view->setUpdatesEnabled(true);
    view->viewport()->repaint();
    view->setUpdatesEnabled(false);
}

void ListViewEditableWidget::applyColumnWidths()
{
    m_applyingWidths = true;
    const std::vector<ColumnHeader> &headers = m_control->ColumnHeaders();
    for (size_t i = 0; i < headers.size(); ++i)
        ListView1->header()->resizeSection(int(i), common::twipsToPixels(headers[i].Width));
    m_applyingWidths = false;
}

void ListViewEditableWidget::applyViewSettings()
{
    const ListProperties &p = m_control->Properties();
    ListView1->setSelectionMode(p.MultiSelect ? QAbstractItemView::ExtendedSelection
                                              : QAbstractItemView::SingleSelection);
    m_iconView->setSelectionMode(ListView1->selectionMode());
    applyViewMode();
    ListView1->header()->setVisible(!p.HideColumnHeaders);
    ListView1->header()->setSectionsMovable(p.AllowColumnReorder);
    ListView1->setMouseTracking(p.HotTracking || p.HoverSelection);
    ListView1->setFrameShape(p.BorderStyle == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    ListView1->setFrameShadow(p.Appearance == 1 ? QFrame::Sunken : QFrame::Plain);
    static_cast<GridLineDelegate *>(ListView1->itemDelegate())->lines = p.GridLines;
    ListView1->viewport()->update();
    QPalette palette = ListView1->palette();
    const QPalette base = ListView1->style()->standardPalette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     base.color(p.HideSelection ? QPalette::Inactive : QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     base.color(p.HideSelection ? QPalette::Inactive : QPalette::Active, QPalette::HighlightedText));
    ListView1->setPalette(palette);
    ListView1->unsetCursor();
    for (const PointerShape &s : kPointers)
        if (s.code == p.MousePointer)
            ListView1->setCursor(s.shape);
    ListView1->setEnabled(p.Enabled);
    m_iconView->setEnabled(p.Enabled);
    setEnabled(p.Enabled);
    const bool report = p.View == lvwReport || p.View < lvwIcon || p.View > lvwReport;
    QAbstractItemView *hidden = report ? static_cast<QAbstractItemView *>(m_iconView) : ListView1;
    QAbstractItemView *shown = report ? static_cast<QAbstractItemView *>(ListView1) : m_iconView;
    const bool hadFocus = hidden->hasFocus();
    hidden->setVisible(false);
    shown->setVisible(p.Visible);
    if (hadFocus && p.Visible)
        shown->setFocus(Qt::OtherFocusReason);
    layoutInnerList();
}

void ListViewEditableWidget::applyViewMode()
{
    // Icons: big icons with the name below, row by row. Small icons: the name beside a small
    // icon, row by row. List: the same in columns, top to bottom.
    const int32_t view = m_control->Properties().View;
    const bool large = view == lvwIcon;
    m_iconView->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_iconView->setFlow(view == lvwList ? QListView::TopToBottom : QListView::LeftToRight);
    m_iconView->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_iconView->setMovement(QListView::Static);
    m_iconView->setSpacing(large ? 8 : 2);
    m_iconView->setWordWrap(large);
    m_iconView->setGridSize(large ? QSize(96, 64) : QSize());
    applyNameGrid();
}

void ListViewEditableWidget::measureNames(int first, int last)
{
    // Names are measured only for the list view: other views leave the measure to be taken
    // whole when the list view is chosen; in it only the rows that come or change are measured,
    // so a long fill measures each name once.
    if (m_control->Properties().View != lvwList) {
        m_namesMeasured = false;
        return;
    }
    if (!m_namesMeasured) {
        m_namesMeasured = true;
        m_longestName = 0;
        first = 0;
        last = m_iconView->model()->rowCount() - 1;
    }
    const QAbstractItemModel *model = m_iconView->model();
    const QFontMetrics metrics = m_iconView->fontMetrics();
    // Glyphs drawn from a fallback font (emoji) can take a pixel or two more than measured here.
    const int room = metrics.averageCharWidth();
    int longest = m_longestName;
    for (int r = std::max(first, 0); r <= last && r < model->rowCount(); ++r)
        longest = std::max(longest, metrics.horizontalAdvance(model->index(r, 0).data().toString()) + room);
    m_longestName = longest;
    applyNameGrid();
}

void ListViewEditableWidget::applyNameGrid()
{
    auto *delegate = static_cast<NameWidthDelegate *>(m_iconView->itemDelegate());
    const bool widen = m_control->Properties().View == lvwList;
    if (widen && !m_namesMeasured) {
        measureNames(0, -1);
        return;
    }
    if (delegate->longestName == m_longestName && delegate->widen == widen)
        return;
    delegate->longestName = m_longestName;
    delegate->widen = widen;
    // One layout for any number of changes before the next turn of the event loop.
    if (!m_nameLayoutPending) {
        m_nameLayoutPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_nameLayoutPending = false;
            if (m_iconView->isVisible())
                m_iconView->doItemsLayout();
        }, Qt::QueuedConnection);
    }
}

QAbstractItemView *ListViewEditableWidget::ShownView() const
{
    if (m_iconView->isVisibleTo(this))
        return m_iconView;
    return ListView1;
}

void ListViewEditableWidget::layoutInnerList()
{
    const int narrower = m_control->FlatScrollBar() ? common::twipsToPixels(FlatScrollBarTwips) : 0;
    ListView1->setGeometry(0, 0, std::max(0, width() - narrower), height());
    m_iconView->setGeometry(ListView1->geometry());
}

void ListViewEditableWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutInnerList();
    emit m_control->ControlResize();
}

void ListViewEditableWidget::ReadProperties(QSettings &store, const QString &formName, const QVariantMap &designValues)
{
    SettingsPropertyBag bag(store, formName, objectName(), designValues);
    m_control->UserControl_ReadProperties(bag);
}

void ListViewEditableWidget::WriteProperties(QSettings &store, const QString &formName) const
{
    SettingsPropertyBag bag(store, formName, objectName());
    m_control->UserControl_WriteProperties(bag);
}

QString ListViewEditableWidget::hWnd() const
{
    return QString::number(ListView1->winId());
}

QString ListViewEditableWidget::hWndCtrl() const
{
    return QString::number(winId());
}

int32_t ListViewEditableWidget::TopIndex() const
{
    const QModelIndex top = ListView1->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() + 1 : 1;
}

int32_t ListViewEditableWidget::VisibleCount() const
{
    const int rowHeight = ListView1->sizeHintForRow(0);
    return rowHeight > 0 ? ListView1->viewport()->height() / rowHeight : 0;
}

void ListViewEditableWidget::setTopIndex(int32_t Index)
{
    ListItemsModel &rows = m_control->ListItems();
    rows.FlushPending();
    static_cast<ReportView *>(ListView1)->layoutHeldRows();
    // A row beyond the last still scrolls to the end.
    if (Index < 1 || rows.Count() == 0)
        return;
    const int32_t top = TopIndex();
    const int32_t perPage = VisibleCount();
    auto show = [&](int32_t row, QAbstractItemView::ScrollHint hint) {
        ListView1->scrollTo(rows.index(row - 1, 0), hint);
    };
    if (Index < top)
        show(Index, QAbstractItemView::PositionAtTop);
    else if (Index - top < perPage)
        return;
    else if (Index + perPage > rows.Count())
        show(rows.Count(), QAbstractItemView::EnsureVisible);
    else
        show(Index + perPage - 1, QAbstractItemView::EnsureVisible);
}

} // namespace filelist
