// The file list's face, continued: the inner list's mouse, key and drop events, the window
// hooks on the list and its header, the column band, the in-place edit box and the popup menu.
#include "ListViewEditableWidget.h"

#include "ListPropertiesDialog.h"

#include "CSubclass.h"
#include "Functions.h"
#include "WindowMessages.h"

#include <QApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeView>

namespace filelist {

namespace {

using namespace wm;

constexpr int32_t ReportViewStyle = 3;
// The edit box over a right-aligned column is this much narrower, in twips.
constexpr double RightAlignedReductionTwips = 100;

/** What a popup entry needs to be offered. */
enum class Needs { Nothing, SelectedRow, Rows, CheckedRows };

struct MenuEntry {
    const char *name;
    const char *caption;
    void (*command)(ListViewEditable &);
    Needs needs;
};

// The popup menu in display order; "-" is a separator.
const MenuEntry kMenu[] = {
    {"mnuOpen", "&Open", [](ListViewEditable &c) { c.mnuOpen_Click(); }, Needs::SelectedRow},
    {"mnuExplore", "&Explore", [](ListViewEditable &c) { c.mnuExplore_Click(); }, Needs::SelectedRow},
    {"sep0", "-", nullptr, Needs::Nothing},
    {"mnuDate", "Check Date", [](ListViewEditable &c) { c.mnuDate_Click(); }, Needs::SelectedRow},
    {"mnuUDate", "Uncheck Date", [](ListViewEditable &c) { c.mnuUDate_Click(); }, Needs::SelectedRow},
    {"mnuSelectDir", "Check Directory", [](ListViewEditable &c) { c.mnuSelectDir_Click(); }, Needs::SelectedRow},
    {"mnuDeselectDir", "Uncheck Directory", [](ListViewEditable &c) { c.mnuDeselectDir_Click(); }, Needs::SelectedRow},
    {"mnuSelectall", "Check All", [](ListViewEditable &c) { c.mnuSelectall_Click(); }, Needs::Rows},
    {"mnuDeselectall", "Uncheck All", [](ListViewEditable &c) { c.mnuDeselectall_Click(); }, Needs::Rows},
    {"mnuCheck", "Invert Checks", [](ListViewEditable &c) { c.mnuCheck_Click(2); }, Needs::Rows},
    {"sep5", "-", nullptr, Needs::Nothing},
    {"mnuCopy", "Copy Checked To", [](ListViewEditable &c) { c.mnuCopy_Click(); }, Needs::CheckedRows},
    {"mnuMove", "Move Checked To", [](ListViewEditable &c) { c.mnuMove_Click(); }, Needs::CheckedRows},
};
const char *const NeedsProperty = "needs";

QColor fromColorValue(int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int16_t buttonCode(Qt::MouseButtons buttons)
{
    int16_t code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    int16_t code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

struct KeyCode {
    int qtKey;
    int16_t code;
};
// Keys whose classic code differs from the toolkit's; letters and digits are the same.
constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},   {Qt::Key_Pause, 19},
    {Qt::Key_Escape, 27},   {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},      {Qt::Key_Home, 36},    {Qt::Key_Left, 37},  {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},    {Qt::Key_Down, 40},    {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
};

int16_t classicKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return int16_t(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return int16_t(112 + (qtKey - Qt::Key_F1));
    for (const KeyCode &k : kKeyCodes)
        if (k.qtKey == qtKey)
            return k.code;
    return 0;
}

// Exposes the delegate's option set-up, to find where a cell's text is drawn.
struct OptionProbe : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

} // namespace

// ---- Hook owners -----------------------------------------------------------------------------

template <class Interface>
class ListViewEditableWidget::HookOwner : public Interface {
public:
    using Handler = void (ListViewEditableWidget::*)(int32_t, qintptr, qintptr);
    HookOwner(ListViewEditableWidget &w, Handler after) : m_w(w), m_after(after) {}
    void After(int32_t &, QObject *, int32_t uMsg, qintptr wParam, qintptr lParam) override
    {
        (m_w.*m_after)(uMsg, wParam, lParam);
    }
    void Before(bool &, int32_t &, QObject *&, int32_t &, qintptr &, qintptr &) override {}

private:
    ListViewEditableWidget &m_w;
    Handler m_after;
};

// ---- Set-up ------------------------------------------------------------------------------------

void ListViewEditableWidget::setupInput()
{
    txtEdit = new QLineEdit(this);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));
    // The box never takes the focus by itself (a Tab included): the list keeps its keys until
    // the user clicks into the box to type.
    txtEdit->setFocusPolicy(Qt::ClickFocus);
    txtEdit->hide();
    txtEdit->installEventFilter(this);

    buildOptionsMenu();
    ListView1->header()->setSectionsClickable(true);
    ListView1->setContextMenuPolicy(Qt::PreventContextMenu);
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->setAcceptDrops(true);
    installHooks();
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);
    // The icon and list views take the same mouse as the report view.
    m_iconView->setContextMenuPolicy(Qt::PreventContextMenu);
    m_iconView->viewport()->setMouseTracking(true);
    m_iconView->viewport()->setAcceptDrops(true);
    m_iconView->installEventFilter(this);
    m_iconView->viewport()->installEventFilter(this);
    // The edit box has no menu of its own: a right click there is the list's.
    txtEdit->setContextMenuPolicy(Qt::PreventContextMenu);

    ListViewEditable *c = m_control;
    connect(c, &ListViewEditable::StripeChanged, this, [this] { ListView1->viewport()->update(); });
    connect(c, &ListViewEditable::HeaderStyleRequested, this, [this](bool flat) {
        if (flat)
            MakeHeaderFlat();
        else
            MakeHeaderButtons();
    });
    connect(c, &ListViewEditable::EditBoxPlacementRequested, this, &ListViewEditableWidget::ShowEditBox);
    connect(c, &ListViewEditable::EditBoxHideRequested, txtEdit, &QWidget::hide);
    connect(c, &ListViewEditable::EditBoxDropRequested, this, [this] {
        txtEdit->setModified(false);
        txtEdit->clear();
        txtEdit->hide();
    });
    connect(c, &ListViewEditable::PendingEditCommitRequested, this, &ListViewEditableWidget::commitPendingEdit);
    // The box belongs to its row: when the arrows (or a click) move the current row elsewhere,
    // the edit ends as when the box loses the focus.
    connect(c->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        int32_t row = 0;
        int32_t column = 0;
        if (txtEdit->isVisible() && (!m_control->EditCell(row, column) || current.row() != row - 1))
            endEditBox();
    });
    connect(c, &ListViewEditable::PopupMenuRequested, this, &ListViewEditableWidget::showOptionsMenu);
}

ListViewEditableWidget::~ListViewEditableWidget()
{
    delete m_headerHook;
    delete m_listHook;
    delete m_headerOwner;
    delete m_listOwner;
}

void ListViewEditableWidget::installHooks()
{
    m_listOwner = new HookOwner<ISubclass>(*this, &ListViewEditableWidget::ListHook_After);
    m_headerOwner = new HookOwner<ISubclass2>(*this, &ListViewEditableWidget::HeaderHook_After);
    m_listHook = new CSubclass();
    for (int32_t message : {WM_NOTIFY, WM_VSCROLL, WM_HSCROLL, WM_MOUSEWHEEL})
        m_listHook->AddMsg(message, 0);
    m_listHook->Subclass(ListView1, m_listOwner);
    if (QHeaderView *header = ListView1->header()) {
        m_headerHook = new CSubclass();
        // The press and the moves tell a click from a drag.
        for (int32_t message : {WM_LBUTTONUP, WM_NOTIFY, WM_LBUTTONDOWN, WM_MOUSEMOVE})
            m_headerHook->AddMsg(message, 0);
        m_headerHook->Subclass2(header, m_headerOwner);
    }
}

void ListViewEditableWidget::buildOptionsMenu()
{
    mnuOptions = new QMenu(QStringLiteral("Options"), this);
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    for (const MenuEntry &entry : kMenu) {
        if (!entry.command) {
            mnuOptions->addSeparator()->setObjectName(QLatin1String(entry.name));
            continue;
        }
        QAction *action = mnuOptions->addAction(QString::fromUtf8(entry.caption));
        action->setObjectName(QLatin1String(entry.name));
        action->setProperty(NeedsProperty, int(entry.needs));
        auto command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { command(*m_control); });
    }
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("mnuSep9"));
    QAction *properties = mnuOptions->addAction(QStringLiteral("&Properties..."));
    properties->setObjectName(QStringLiteral("mnuProperties"));
    connect(properties, &QAction::triggered, this, &ListViewEditableWidget::ShowProperties);
    connect(mnuOptions, &QMenu::aboutToShow, this, &ListViewEditableWidget::updateMenuStates);
}

void ListViewEditableWidget::updateMenuStates()
{
    const ListViewEditable &c = *m_control;
    std::vector<int32_t> checked;
    for (QAction *action : mnuOptions->actions()) {
        const QVariant needs = action->property(NeedsProperty);
        if (!needs.isValid())
            continue;
        bool enabled = !c.Busy();
        switch (Needs(needs.toInt())) {
        case Needs::SelectedRow: enabled = enabled && c.SelectedItem() > 0; break;
        case Needs::Rows: enabled = enabled && c.FileItemCount() > 0; break;
        case Needs::CheckedRows: enabled = enabled && c.GetCheckedItems(checked) > 0; break;
        case Needs::Nothing: break;
        }
        action->setEnabled(enabled);
    }
}

void ListViewEditableWidget::ShowProperties()
{
    MessageService *messages = m_control->Messages();
    if (!messages || m_control->Busy())
        return;
    ListPropertiesDialog dialog(*m_control, *messages, window());
    dialog.exec();
}

void ListViewEditableWidget::showOptionsMenu(float x, float Y)
{
    const QPoint at(common::twipsToPixels(x), common::twipsToPixels(Y));
    mnuOptions->exec(ShownView()->mapToGlobal(at));
}

// ---- Header ----------------------------------------------------------------------------------

void ListViewEditableWidget::MakeHeaderFlat()
{
    // Without the button style the sections are drawn flat: no raised edges, no pressed look,
    // a thin line between them.
    QHeaderView *header = ListView1->header();
    header->setSectionsClickable(false);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background: palette(base); border: none;"
                                         " border-right: 1px solid palette(mid); border-bottom: 1px solid palette(mid);"
                                         " padding: 1px 4px; }"));
}

void ListViewEditableWidget::MakeHeaderButtons()
{
    QHeaderView *header = ListView1->header();
    header->setSectionsClickable(true);
    header->setStyleSheet(QString());
}

bool ListViewEditableWidget::IsFlatHeader() const
{
    return !ListView1->header()->sectionsClickable();
}

void ListViewEditableWidget::fitColumn(int32_t column, bool withCaption)
{
    QHeaderView *header = ListView1->header();
    if (column < 0 || column >= header->count())
        return;
    m_control->ListItems().FlushPending();
    int width = static_cast<const QAbstractItemView *>(ListView1)->sizeHintForColumn(column);
    if (withCaption) {
        width = std::max(width, header->sectionSizeHint(column));
        if (header->visualIndex(column) == header->count() - 1) {
            const int rest = ListView1->viewport()->width() - header->sectionViewportPosition(column);
            width = std::max(width, rest);
        }
    }
    header->resizeSection(column, width);
}

void ListViewEditableWidget::ResizeListViewColumn(int32_t ColumnIndex)
{
    fitColumn(ColumnIndex, false);
}

void ListViewEditableWidget::ResizeListViewColumnsByText()
{
    for (int c = 0; c < ListView1->header()->count(); ++c)
        fitColumn(c, false);
}

void ListViewEditableWidget::ResizeListViewHeader(int32_t ColumnIndex)
{
    fitColumn(ColumnIndex, true);
}

void ListViewEditableWidget::ResizeListViewHeaders()
{
    for (int c = 0; c < ListView1->header()->count(); ++c)
        fitColumn(c, true);
}

// ---- Hooks -----------------------------------------------------------------------------------

void ListViewEditableWidget::ListHook_After(int32_t uMsg, qintptr, qintptr lParam)
{
    ListViewEditable &c = *m_control;
    switch (uMsg) {
    case WM_NOTIFY: {
        const auto *header = reinterpret_cast<const NotifyHeader *>(lParam);
        if (!header || header->code != HDN_ITEMCHANGINGA)
            return;
        if (m_headerPress.active)
            m_headerPress.resized = true;
        if (c.HighlightColumn())
            c.DoHighlightColumn(c.HighlightColor(), c.DefaultColor(), c.CurrrentHighlightColumn(), c.SizingType());
        if (c.AllowItemEdit())
            ShowEditBox();
        emit c.HeaderItemChanging();
        break;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        if (c.AllowItemEdit())
            ShowEditBox();
        if (uMsg == WM_VSCROLL)
            emit c.VScroll();
        else if (uMsg == WM_HSCROLL)
            emit c.HScroll();
        else
            emit c.WheelScroll();
        break;
    default:
        break;
    }
}

void ListViewEditableWidget::HeaderHook_After(int32_t uMsg, qintptr, qintptr lParam)
{
    // A header click sorts only when the button went down and up on one section, away from its
    // dividers, with no drag and no column resized in between: the end of a resize or of a
    // column drag is no click. Both header styles are handled here.
    QHeaderView *header = ListView1->header();
    const QPoint at(PointParamX(lParam), PointParamY(lParam));
    HeaderPress &press = m_headerPress;
    switch (uMsg) {
    case WM_LBUTTONDOWN: {
        press = HeaderPress();
        press.active = true;
        press.at = at;
        press.section = header->logicalIndexAt(at);
        if (press.section >= 0) {
            const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
            const int left = header->sectionViewportPosition(press.section);
            const int right = left + header->sectionSize(press.section);
            press.onDivider = at.x() - left < grip || right - at.x() <= grip;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (press.active && (at - press.at).manhattanLength() >= QApplication::startDragDistance())
            press.dragged = true;
        break;
    case WM_LBUTTONUP: {
        if (!press.active)
            return;
        const HeaderPress was = press;
        press = HeaderPress();
        const int section = header->logicalIndexAt(at);
        if (was.dragged || was.resized || was.onDivider || section < 0 || section != was.section)
            return;
        if (section < m_control->ListItems().ColumnHeaderCount())
            m_control->ListView1_ColumnClick(section + 1);
        break;
    }
    default:
        break;
    }
}

// ---- Events of the inner list ----------------------------------------------------------------

bool ListViewEditableWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1->viewport() || watched == m_iconView->viewport())
        return viewportEvent(static_cast<QWidget *>(watched), event);
    if (watched == ListView1 || watched == m_iconView)
        return listKeyEvent(event);
    if (watched == txtEdit)
        return editBoxEvent(event);
    return QWidget::eventFilter(watched, event);
}

ListViewEditable::CellHit ListViewEditableWidget::hitTest(const QPoint &viewportPos) const
{
    const QModelIndex index = ShownView()->indexAt(viewportPos);
    ListViewEditable::CellHit hit;
    if (index.isValid()) {
        hit.row = index.row() + 1;
        hit.column = index.column();
    }
    return hit;
}

QPointF ListViewEditableWidget::twipsInList(const QPoint &viewportPos) const
{
    QAbstractItemView *view = ShownView();
    const QPoint p = view->viewport()->mapTo(view, viewportPos);
    return QPointF(common::pixelsToTwips(p.x()), common::pixelsToTwips(p.y()));
}

bool ListViewEditableWidget::viewportEvent(QWidget *viewport, QEvent *event)
{
    ListViewEditable &c = *m_control;
    // Only the view shown takes the mouse; a hidden one may still see a late event.
    if (viewport != ShownView()->viewport())
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        paintStripe();
        return false;
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPoint pos = e->position().toPoint();
        const QPointF t = twipsInList(pos);
        int16_t button = buttonCode(e->button());
        int16_t shift = shiftCode(e->modifiers());
        float x = float(t.x());
        float y = float(t.y());
        emit c.MouseDown(button, shift, x, y);
        // Beside every row the selection stays unless AutoDeselect clears it.
        return !hitTest(pos).isCell() && !c.AutoDeselect();
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPoint pos = e->position().toPoint();
        const QPointF t = twipsInList(pos);
        c.ListView1_MouseMove(buttonCode(e->buttons()), shiftCode(e->modifiers()), float(t.x()), float(t.y()),
                              hitTest(pos));
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPoint pos = e->position().toPoint();
        const QPointF t = twipsInList(pos);
        const ListViewEditable::CellHit hit = hitTest(pos);
        if (e->button() == Qt::LeftButton) {
            if (hit.isCell())
                emit c.ItemClick(hit.row);
            emit c.Click();
        }
        c.ListView1_MouseUp(buttonCode(e->button()), shiftCode(e->modifiers()), float(t.x()), float(t.y()), hit);
        return false;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            c.ListView1_DblClick();
        return false;
    case QEvent::ToolTip:
        if (!c.AutoTooltip())
            return false;
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), c.ToolTipText(), viewport);
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *e = static_cast<QDropEvent *>(event);
        if (c.AllowFileDragDrop() && e->mimeData() && e->mimeData()->hasUrls())
            e->acceptProposedAction();
        else
            e->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto *e = static_cast<QDropEvent *>(event);
        if (!c.AllowFileDragDrop()) {
            e->ignore();
            return true;
        }
        const QPointF t = twipsInList(e->position().toPoint());
        int32_t effect = int32_t(e->dropAction());
        int16_t button = buttonCode(e->buttons());
        int16_t shift = shiftCode(e->modifiers());
        float x = float(t.x());
        float y = float(t.y());
        c.ListView1_OLEDragDrop(e->mimeData(), effect, button, shift, x, y);
        e->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

bool ListViewEditableWidget::listKeyEvent(QEvent *event)
{
    if (event == m_replacedKey)
        return false;
    ListViewEditable &c = *m_control;
    if (event->type() == QEvent::KeyRelease) {
        auto *e = static_cast<QKeyEvent *>(event);
        int16_t code = classicKeyCode(e->key());
        int16_t shift = shiftCode(e->modifiers());
        emit c.KeyUp(code, shift);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *e = static_cast<QKeyEvent *>(event);
    int16_t code = classicKeyCode(e->key());
    int16_t shift = shiftCode(e->modifiers());
    const int16_t codeBefore = code;
    emit c.KeyDown(code, shift);
    if (codeBefore != 0 && code == 0)
        return true;
    const QString text = e->text();
    if (text.size() != 1 || text.at(0).unicode() > 0x7FFF)
        return toggleCurrentCheck(e);
    int16_t ascii = int16_t(text.at(0).unicode());
    const int16_t asciiBefore = ascii;
    emit c.KeyPress(ascii);
    if (ascii == 0)
        return true;
    if (ascii == asciiBefore)
        return toggleCurrentCheck(e);
    // The host typed another character instead.
    QKeyEvent replaced(QEvent::KeyPress, 0, e->modifiers(), QString(QChar(char16_t(ascii))));
    m_replacedKey = &replaced;
    QCoreApplication::sendEvent(ListView1, &replaced);
    m_replacedKey = nullptr;
    return true;
}

bool ListViewEditableWidget::toggleCurrentCheck(QKeyEvent *event)
{
    // The view's own Space toggles the check box of the current cell, and only a row's first
    // cell has one: after a click on another cell of the row (or arrows from there) Space still
    // ticks the row, as a click on its box would.
    if (event->key() != Qt::Key_Space)
        return false;
    QAbstractItemView *view = ShownView();
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || current.column() == 0)
        return false;
    const QModelIndex box = current.siblingAtColumn(0);
    if (!(box.flags() & Qt::ItemIsUserCheckable) || !(box.flags() & Qt::ItemIsEnabled))
        return false;
    const bool checked = box.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    view->model()->setData(box, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    event->accept();
    return true;
}

// ---- Column band -----------------------------------------------------------------------------

void ListViewEditableWidget::paintStripe()
{
    const ListViewEditable::BackgroundStripe &stripe = m_control->Stripe();
    if (!stripe.present || m_control->View() != ReportViewStyle)
        return;
    QWidget *viewport = ListView1->viewport();
    QPainter painter(viewport);
    painter.fillRect(viewport->rect(), fromColorValue(stripe.background));
    QHeaderView *header = ListView1->header();
    const int column = stripe.column - 1;
    if (column >= header->count() || header->isSectionHidden(column))
        return;
    painter.fillRect(QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column), viewport->height()),
                     fromColorValue(stripe.highlight));
}

// ---- Edit box --------------------------------------------------------------------------------

void ListViewEditableWidget::ShowEditBox()
{
    commitPendingEdit();
    int32_t row = 0;
    int32_t column = 0;
    if (!m_control->EditCell(row, column))
        return;
    ListItemsModel &rows = m_control->ListItems();
    rows.FlushPending();
    const QModelIndex index = rows.index(row - 1, column);
    if (!index.isValid())
        return;
    // A name or a folder takes no typing: no box opens over it, and the list keeps its keys.
    if (!ListViewEditable::CellTakesText(column)) {
        txtEdit->hide();
        return;
    }
    const QString text = rows.CellText(row, column);
    // The box sits on a cell of the report view; the other views show names only.
    if (ShownView() != ListView1) {
        txtEdit->hide();
        return;
    }

    // The text part of the cell: right of its check box and icon, as the list draws them.
    QStyleOptionViewItem option;
    option.initFrom(ListView1);
    option.rect = ListView1->visualRect(index);
    option.widget = ListView1;
    option.decorationSize = ListView1->iconSize();
    OptionProbe().initStyleOption(&option, index);
    QRect cell = option.rect;
    QStyle *style = ListView1->style();
    for (QStyle::SubElement part : {QStyle::SE_ItemViewItemCheckIndicator, QStyle::SE_ItemViewItemDecoration}) {
        const QRect r = style->subElementRect(part, &option, ListView1);
        if (r.isValid() && r.right() + 1 > cell.left() && r.right() < cell.right())
            cell.setLeft(r.right() + 1);
    }
    const int textWidth = txtEdit->fontMetrics().horizontalAdvance(text) + txtEdit->fontMetrics().averageCharWidth() * 2;
    if (textWidth > cell.width())
        cell.setWidth(textWidth);

    const QRect client = ListView1->viewport()->rect();
    const bool visible = client.contains(cell.topLeft()) || client.contains(QPoint(cell.left(), cell.bottom()))
        || client.contains(QPoint(cell.right(), cell.top())) || client.contains(cell.bottomRight());
    if (!visible) {
        txtEdit->hide();
        return;
    }
    const std::vector<ColumnHeader> &headers = m_control->ColumnHeaders();
    const int32_t alignment = size_t(column) < headers.size() ? headers[size_t(column)].Alignment : lvwColumnLeft;
    int width = cell.width();
    if (alignment == lvwColumnRight)
        width -= common::twipsToPixels(RightAlignedReductionTwips);
    txtEdit->setAlignment(alignment == lvwColumnRight    ? Qt::AlignRight
                          : alignment == lvwColumnCenter ? Qt::AlignHCenter
                                                         : Qt::AlignLeft);
    const QPoint topLeft = ListView1->viewport()->mapTo(this, cell.topLeft());
    txtEdit->setGeometry(topLeft.x(), topLeft.y(), std::max(width, 1), std::max(cell.height(), txtEdit->minimumSizeHint().height()));
    txtEdit->setText(text);
    txtEdit->setModified(false);
    txtEdit->show();
    txtEdit->raise();
}

void ListViewEditableWidget::commitEditBox()
{
    if (m_control->CommitItemEdit(txtEdit->text()))
        txtEdit->hide();
}

void ListViewEditableWidget::endEditBox()
{
    commitEditBox();
    txtEdit->hide();
}

void ListViewEditableWidget::commitPendingEdit()
{
    if (txtEdit->isVisible() && txtEdit->isModified())
        commitEditBox();
}

bool ListViewEditableWidget::editBoxEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // The second click of a double click on a row lands here: it is the row's.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_control->ListView1_DblClick();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        // The right button over the box is the list's: its popup, not the box's own menu.
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() != Qt::RightButton)
            break;
        QWidget *viewport = ListView1->viewport();
        const QPointF at = viewport->mapFromGlobal(e->globalPosition());
        QMouseEvent moved(e->type(), at, e->globalPosition(), e->button(), e->buttons(), e->modifiers());
        viewportEvent(viewport, &moved);
        return true;
    }
    default:
        break;
    }
    if (event->type() == QEvent::FocusOut) {
        commitEditBox();
        return false;
    }
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        commitEditBox();
        ListView1->setFocus();
        return true;
    }
    return false;
}

} // namespace filelist
