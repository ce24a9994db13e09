#pragma once
/**
 * A window hook: hands chosen messages of one widget to an owner, before (ISubclass::Before)
 * and after (ISubclass::After) the widget's own handling, in that order.
 *
 * The widget's events are translated into the classic messages (WindowMessages.h): mouse
 * buttons, moves and the wheel, keys, focus, paint, size and drops; any other event arrives as
 * WM_APP + its type. A scroll area's viewport is hooked with it and its scroll bars' moves
 * arrive as WM_VSCROLL and WM_HSCROLL; a tree view's header reports a column being resized as
 * WM_NOTIFY with HDN_ITEMCHANGINGA. Mouse messages carry the point in lParam and the button and
 * key state in wParam; WM_KEYDOWN and WM_KEYUP the key code in wParam; WM_DROPFILES the dropped
 * data (a QMimeData pointer) in wParam; WM_NOTIFY a NotifyHeader pointer in lParam. The event
 * itself is CurrentEvent() during a callback.
 *
 * Each of the two tables (When 1 before, any other value after) holds message numbers; a count
 * of -1 lets every message through, 0 none. Changes Before makes to the message reach After;
 * the widget itself always receives its own event.
 */
#include "ISubclass.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <vector>

class QEvent;
class QMimeData;
class QWidget;

namespace filelist {

class CSubclass : public QObject {
    Q_OBJECT
public:
    explicit CSubclass(QObject *parent = nullptr);
    /** Withdraws the widget's acceptance of drops and removes the hook. */
    ~CSubclass() override;

    /** The hooked widget; null when none. */
    QWidget *hWnd() const { return m_window; }

    /** Registers `uMsg` for the table `When` selects; -1 lets every message through. */
    void AddMsg(int32_t uMsg, int32_t When);
    /** Frees the slot holding `uMsg`; -1 silences the table until messages are added again. */
    void DelMsg(int32_t uMsg, int32_t When);
    /** The table's count (-1 every message, 0 none) and its entries (-1 a free slot). */
    int32_t MsgCount(int32_t When) const;
    const std::vector<int32_t> &MsgTable(int32_t When) const;

    /** Hooks `hWnd` with an owner; the tables registered before stay in force. */
    void Subclass(QWidget *hWnd, ISubclass *Owner, bool bDummy = false);
    void Subclass2(QWidget *hWnd, ISubclass2 *Owner, bool bDummy = false);
    /** Removes the hook; the tables' entries stay. */
    void UnSubclass();

    /** Lets `hWnd` accept dropped files and registers WM_DROPFILES for the table `When`
     *  selects. */
    void AddMsgDropFiles(int32_t When, QWidget *hWnd);
    /** Every dropped local path, whole. */
    static QStringList OnDropFiles(const QMimeData *data);
    /** The first dropped path; empty when there is none. */
    static QString OnDropFilesGetFirst(const QMimeData *data);
    /** Adds each dropped path that passes `ExtensionFilter` ("*.*" or empty: all; otherwise the
     *  path's non-empty extension must occur in the filter, ignoring case) and is not in `list`
     *  yet; returns the paths added. */
    static QStringList OnDropFilesAddToListDistinct(QStringList &list, const QMimeData *data,
                                                    const QString &ExtensionFilter);

    /** The event behind the message being handed to the owner; null for scroll and notify
     *  messages. */
    QEvent *CurrentEvent() const { return m_current; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Table {
        std::vector<int32_t> entries;
        int32_t count = 0;
    };
    struct Message {
        int32_t uMsg = 0;
        qintptr wParam = 0;
        qintptr lParam = 0;
    };

    Table &table(int32_t When) { return When == 1 ? m_before : m_after; }
    const Table &table(int32_t When) const { return When == 1 ? m_before : m_after; }
    static bool wants(const Table &t, int32_t uMsg);
    void hook(QWidget *window, ISubclass *owner1, ISubclass2 *owner2, QObject *ownerObject);
    bool ownerGone() const;
    /** Runs Before, the widget's own handling (delivering `event` when given) and After.
     *  True when the event was dealt with here. */
    bool HookProcedure(QObject *target, Message message, QEvent *event);
    void dispatchSynthetic(int32_t uMsg, qintptr wParam, qintptr lParam);
    Message translate(QEvent *event) const;

    Table m_before;
    Table m_after;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_viewport;
    ISubclass *m_owner1 = nullptr;
    ISubclass2 *m_owner2 = nullptr;
    bool m_ownerIsObject = false;
    QPointer<QObject> m_ownerObject;
    QList<QMetaObject::Connection> m_connections;
    std::vector<QEvent *> m_passing;
    QEvent *m_current = nullptr;
};

} // namespace filelist
