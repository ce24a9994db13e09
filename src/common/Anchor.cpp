#include "Anchor.h"

#include "FormControls.h"
#include "Functions.h"
#include "MessageService.h"
#include "UserSettings.h"
#include "VbConvert.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <algorithm>

namespace common {

namespace {

QPointer<QWidget> &hostSlot()
{
    static QPointer<QWidget> host;
    return host;
}

// Anchor letters are compared exactly; only "T" anchors.
bool anchored(const QString &flags, int edge)
{
    return flags.size() > edge && flags.at(edge) == u'T';
}

constexpr int LeftEdge = 0;
constexpr int TopEdge = 1;
constexpr int RightEdge = 2;
constexpr int BottomEdge = 3;

} // namespace

Anchor::Anchor(QWidget *host) : QObject(host), m_frm(host)
{
    hostSlot() = host;
}

Anchor::~Anchor()
{
    Terminate();
}

QWidget *Anchor::AnchorHost()
{
    return hostSlot();
}

std::unique_ptr<QSettings> Anchor::openStore(const QString &application) const
{
    return m_store ? m_store(application) : OpenUserSettings(application);
}

QStringList Anchor::positionParts() const
{
    return PositionSetting.split(u',');
}

void Anchor::DoInit(std::optional<int32_t> minHeight, std::optional<int32_t> minWidth)
{
    m_frm = qobject_cast<QWidget *>(parent());
    if (!m_frm)
        return;
    const QStringList parts = positionParts();
    if (parts.size() >= 4) {
        const auto store = openStore(parts[0]);
        const QString key = parts[1] + u'/' + parts[2] + QStringLiteral("Pos");
        const QStringList pos = store->value(key, parts[3]).toString().split(u'|');
        const auto left = pos.size() == 2 ? vb::parseNumber(pos[0]) : std::nullopt;
        const auto top = pos.size() == 2 ? vb::parseNumber(pos[1]) : std::nullopt;
        if (left && top) {
            QPoint at(twipsToPixels(*left), twipsToPixels(*top));
            // A position kept from another screen layout must not put the window out of reach.
            if (QScreen *screen = m_frm->screen() ? m_frm->screen() : QGuiApplication::primaryScreen()) {
                const QRect avail = screen->availableGeometry();
                at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() - 100)));
                at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() - 100)));
            }
            m_frm->move(at);
        }
    }
    m_sideFlags.clear();
    for (QWidget *control : FormControls(m_frm)) {
        const QString tag = ControlTag(control);
        QString flags;
        if (tag.contains(QStringLiteral("*/"))) {
            flags = tag.left(4);
            if (tag.size() >= 6)
                SetControlTag(control, tag.mid(6));
        }
        m_sideFlags.append(flags);
    }
    if (minHeight)
        MinHeight = *minHeight;
    if (minWidth)
        MinWidth = *minWidth;
    m_lastHeight = wholeTwips(m_frm->height());
    m_lastWidth = wholeTwips(m_frm->width());
}

void Anchor::DoResize()
{
    m_frm = qobject_cast<QWidget *>(parent());
    if (!m_frm || m_frm->isMinimized())
        return;
    QWidget *frm = m_frm;
    if (!NoFreeze)
        Freeze(frm);
    if (wholeTwips(frm->height()) <= MinHeight)
        frm->resize(frm->width(), twipsToPixels(MinHeight));
    if (wholeTwips(frm->width()) <= MinWidth)
        frm->resize(twipsToPixels(MinWidth), frm->height());
    const int32_t dH = wholeTwips(frm->height()) - m_lastHeight;
    const int32_t dW = wholeTwips(frm->width()) - m_lastWidth;
    if (m_lastHeight == 0 || m_lastWidth == 0) {
        if (MinHeight != 0) {
            frm->resize(twipsToPixels(MinWidth), twipsToPixels(MinHeight));
            MinHeight = wholeTwips(frm->height());
            MinWidth = wholeTwips(frm->width());
        }
    } else {
        emit BeforeResize();
        const int dy = twipsToPixels(dH);
        const int dx = twipsToPixels(dW);
        const QList<QWidget *> controls = FormControls(frm);
        for (int i = 0; i < controls.size() && i < m_sideFlags.size(); ++i) {
            const QString &f = m_sideFlags[i];
            QWidget *c = controls[i];
            QRect g = c->geometry();
            // A size that would fall below nothing is refused; the control keeps its own.
            if (anchored(f, BottomEdge)) {
                if (!anchored(f, TopEdge))
                    g.moveTop(g.top() + dy);
                else if (g.height() + dy >= 0)
                    g.setHeight(g.height() + dy);
            }
            if (anchored(f, RightEdge)) {
                if (!anchored(f, LeftEdge))
                    g.moveLeft(g.left() + dx);
                else if (g.width() + dx >= 0)
                    g.setWidth(g.width() + dx);
            }
            if (g != c->geometry())
                c->setGeometry(g);
        }
        emit AfterResize(dH, dW);
    }
    m_lastHeight = wholeTwips(frm->height());
    m_lastWidth = wholeTwips(frm->width());
    if (!NoFreeze)
        UnFreeze(frm, true);
}

void Anchor::Terminate()
{
    QWidget *frm = m_frm;
    if (m_terminated || !frm)
        return;
    m_terminated = true;
    const QStringList parts = positionParts();
    const Qt::WindowStates state = frm->windowState();
    if (parts.size() >= 3 && !(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const auto store = openStore(parts[0]);
        store->setValue(parts[1] + u'/' + parts[2] + QStringLiteral("Pos"),
                        QStringLiteral("%1|%2").arg(wholeTwips(frm->x())).arg(wholeTwips(frm->y())));
        store->sync();
    }
    if (hostSlot() == frm)
        hostSlot() = nullptr;
}

void Anchor::Freeze(QWidget *window)
{
    if (window)
        window->setUpdatesEnabled(false);
}

void Anchor::UnFreeze(QWidget *window, bool redraw)
{
    if (!window)
        return;
    window->setUpdatesEnabled(true);
    if (redraw)
        window->update();
}

void Anchor::About(MessageService &messages)
{
    messages.MsgBox(QStringLiteral("Anchor layout control, version 3.0\nWritten for Morvane by its developers."),
                    msg::Information, QStringLiteral("About Anchor"));
}

} // namespace common
