#include "CSubclass.h"

#include "WindowMessages.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

namespace filelist {

namespace {

using namespace wm;

qintptr mouseState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    qintptr state = 0;
    if (buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        state |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        state |= MK_CONTROL;
    return state;
}

int32_t buttonMessage(Qt::MouseButton button, bool press)
{
    switch (button) {
    case Qt::LeftButton: return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Qt::RightButton: return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case Qt::MiddleButton: return press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    default: return 0;
    }
}

bool extensionPasses(const QString &path, const QString &filter)
{
    if (filter.isEmpty() || filter == QLatin1String("*.*"))
        return true;
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString extension = dot < 0 || dot < path.lastIndexOf(u'/') ? QString() : path.mid(dot + 1);
    return !extension.isEmpty() && filter.contains(extension, Qt::CaseInsensitive);
}

} // namespace

CSubclass::CSubclass(QObject *parent) : QObject(parent) {}

CSubclass::~CSubclass()
{
    if (m_window) {
        m_window->setAcceptDrops(false);
        UnSubclass();
    }
}

// ---- Tables ----------------------------------------------------------------------------------

void CSubclass::AddMsg(int32_t uMsg, int32_t When)
{
    Table &t = table(When);
    if (uMsg == -1) {
        t.count = -1;
        return;
    }
    const int32_t used = std::max(t.count, 0);
    for (int32_t i = 0; i < used; ++i) {
        if (t.entries[size_t(i)] == -1) {
            t.entries[size_t(i)] = uMsg;
            return;
        }
        if (t.entries[size_t(i)] == uMsg)
            return;
    }
    t.entries.resize(size_t(used) + 1);
    t.entries[size_t(used)] = uMsg;
    t.count = used + 1;
}

void CSubclass::DelMsg(int32_t uMsg, int32_t When)
{
    Table &t = table(When);
    if (uMsg == -1) {
        t.count = 0;
        return;
    }
    for (int32_t i = 0; i < t.count; ++i)
        if (t.entries[size_t(i)] == uMsg) {
            t.entries[size_t(i)] = -1;
            return;
        }
}

int32_t CSubclass::MsgCount(int32_t When) const
{
    return table(When).count;
}

const std::vector<int32_t> &CSubclass::MsgTable(int32_t When) const
{
    return table(When).entries;
}

bool CSubclass::wants(const Table &t, int32_t uMsg)
{
    if (t.count == -1)
        return true;
    const auto end = t.entries.begin() + std::clamp<int32_t>(t.count, 0, int32_t(t.entries.size()));
    return std::find(t.entries.begin(), end, uMsg) != end;
}

// ---- Hooking ---------------------------------------------------------------------------------

void CSubclass::Subclass(QWidget *hWnd, ISubclass *Owner, bool)
{
    hook(hWnd, Owner, nullptr, dynamic_cast<QObject *>(Owner));
}

void CSubclass::Subclass2(QWidget *hWnd, ISubclass2 *Owner, bool)
{
    hook(hWnd, nullptr, Owner, dynamic_cast<QObject *>(Owner));
}

void CSubclass::hook(QWidget *window, ISubclass *owner1, ISubclass2 *owner2, QObject *ownerObject)
{
    if (!window)
        return;
    m_window = window;
    m_owner1 = owner1;
    m_owner2 = owner2;
    m_ownerIsObject = ownerObject != nullptr;
    m_ownerObject = ownerObject;
    window->installEventFilter(this);
    if (auto *area = qobject_cast<QAbstractScrollArea *>(window)) {
        m_viewport = area->viewport();
        m_viewport->installEventFilter(this);
        m_connections << connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this,
                                 [this](int value) { dispatchSynthetic(WM_VSCROLL, value, 0); });
        m_connections << connect(area->horizontalScrollBar(), &QScrollBar::valueChanged, this,
                                 [this](int value) { dispatchSynthetic(WM_HSCROLL, value, 0); });
    }
    if (auto *tree = qobject_cast<QTreeView *>(window)) {
        QHeaderView *header = tree->header();
        m_connections << connect(header, &QHeaderView::sectionResized, this, [this, header] {
            NotifyHeader nmhdr{header, 0, HDN_ITEMCHANGINGA};
            dispatchSynthetic(WM_NOTIFY, 0, reinterpret_cast<qintptr>(&nmhdr));
        });
    }
}

void CSubclass::UnSubclass()
{
    if (!m_window)
        return;
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_window->removeEventFilter(this);
    if (m_viewport)
        m_viewport->removeEventFilter(this);
    m_window = nullptr;
    m_viewport = nullptr;
    m_owner1 = nullptr;
    m_owner2 = nullptr;
    m_before.count = 0;
    m_after.count = 0;
}

bool CSubclass::ownerGone() const
{
    return (!m_owner1 && !m_owner2) || (m_ownerIsObject && !m_ownerObject);
}

// ---- The hook procedure ----------------------------------------------------------------------

CSubclass::Message CSubclass::translate(QEvent *event) const
{
    Message m;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPoint at = e->position().toPoint();
        if (event->type() == QEvent::MouseMove)
            m.uMsg = WM_MOUSEMOVE;
        else if (event->type() == QEvent::MouseButtonDblClick)
            m.uMsg = e->button() == Qt::LeftButton ? WM_LBUTTONDBLCLK : buttonMessage(e->button(), true);
        else
            m.uMsg = buttonMessage(e->button(), event->type() == QEvent::MouseButtonPress);
        m.wParam = mouseState(e->buttons(), e->modifiers());
        m.lParam = MakePointParam(at.x(), at.y());
        break;
    }
    case QEvent::Wheel: {
        auto *e = static_cast<QWheelEvent *>(event);
        m.uMsg = WM_MOUSEWHEEL;
        m.wParam = (qintptr(int16_t(e->angleDelta().y())) << 16) | mouseState(e->buttons(), e->modifiers());
        m.lParam = MakePointParam(int(e->globalPosition().x()), int(e->globalPosition().y()));
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        m.uMsg = event->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
        m.wParam = static_cast<QKeyEvent *>(event)->key();
        break;
    case QEvent::FocusIn: m.uMsg = WM_SETFOCUS; break;
    case QEvent::FocusOut: m.uMsg = WM_KILLFOCUS; break;
    case QEvent::Paint: m.uMsg = WM_PAINT; break;
    case QEvent::Resize: m.uMsg = WM_SIZE; break;
    case QEvent::ContextMenu: m.uMsg = WM_CONTEXTMENU; break;
    case QEvent::Drop:
        m.uMsg = WM_DROPFILES;
        m.wParam = reinterpret_cast<qintptr>(static_cast<QDropEvent *>(event)->mimeData());
        break;
    default:
        m.uMsg = WM_APP + int32_t(event->type());
        m.lParam = reinterpret_cast<qintptr>(event);
        break;
    }
    return m;
}

bool CSubclass::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_window || (watched != m_window && watched != m_viewport))
        return false;
    if (std::find(m_passing.begin(), m_passing.end(), event) != m_passing.end())
        return false;
    // A scroll area's own events that its viewport also reports would arrive twice.
    if (watched == m_window && m_viewport && event->type() != QEvent::Resize && event->type() != QEvent::KeyPress
        && event->type() != QEvent::KeyRelease && event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    return HookProcedure(watched, translate(event), event);
}

bool CSubclass::HookProcedure(QObject *target, Message message, QEvent *event)
{
    const bool before = m_before.count != 0 && wants(m_before, message.uMsg);
    const bool after = m_after.count != 0 && wants(m_after, message.uMsg);
    if (!before && !after)
        return false;
    QObject *hWnd = m_window;
    QEvent *outer = m_current;
    int32_t lReturn = 0;
    if (before) {
        if (ownerGone()) {
            UnSubclass();
            return false;
        }
        bool handled = false;
        m_current = event;
        if (m_owner1)
            m_owner1->Before(handled, lReturn, hWnd, message.uMsg, message.wParam, message.lParam);
        else
            m_owner2->Before(handled, lReturn, hWnd, message.uMsg, message.wParam, message.lParam);
        m_current = outer;
        if (handled) {
            if (event)
                event->accept();
            return true;
        }
    }
    if (!after || !m_window)
        return false;
    // The widget's own handling now, so that After follows it.
    bool delivered = false;
    if (event) {
        QPointer<CSubclass> alive(this);
        m_passing.push_back(event);
        QCoreApplication::sendEvent(target, event);
        if (!alive)
            return true;
        m_passing.erase(std::find(m_passing.begin(), m_passing.end(), event));
        lReturn = event->isAccepted() ? 1 : 0;
        // Delivered (and passed to the parents) once already.
        event->accept();
        delivered = true;
    }
    if (!m_window)
        return delivered;
    if (ownerGone()) {
        UnSubclass();
        return delivered;
    }
    m_current = event;
    if (m_owner1)
        m_owner1->After(lReturn, hWnd, message.uMsg, message.wParam, message.lParam);
    else
        m_owner2->After(lReturn, hWnd, message.uMsg, message.wParam, message.lParam);
    m_current = outer;
    return delivered;
}

void CSubclass::dispatchSynthetic(int32_t uMsg, qintptr wParam, qintptr lParam)
{
    if (m_window)
        HookProcedure(m_window, Message{uMsg, wParam, lParam}, nullptr);
}

// ---- Dropped files ---------------------------------------------------------------------------

void CSubclass::AddMsgDropFiles(int32_t When, QWidget *hWnd)
{
    if (hWnd)
        hWnd->setAcceptDrops(true);
    AddMsg(wm::WM_DROPFILES, When);
}

QStringList CSubclass::OnDropFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

QString CSubclass::OnDropFilesGetFirst(const QMimeData *data)
{
    const QStringList paths = OnDropFiles(data);
    return paths.isEmpty() ? QString() : paths.first();
}

QStringList CSubclass::OnDropFilesAddToListDistinct(QStringList &list, const QMimeData *data,
                                                    const QString &ExtensionFilter)
{
    QStringList added;
    for (const QString &path : OnDropFiles(data)) {
        if (!extensionPasses(path, ExtensionFilter) || list.contains(path))
            continue;
        list << path;
        added << path;
    }
    return added;
}

} // namespace filelist
