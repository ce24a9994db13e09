#pragma once
/**
 * The main window's command bars: one menu bar and the tool bars, built from the command table.
 * Every action carries its command id (QAction::data) and every trigger goes through one
 * signal, Execute, to the window's dispatcher. The tool bars' places are kept in the layout
 * file; a missing or refused file leaves the built-in layout.
 */
#include "MainCommands.h"
#include "VbError.h"

#include <QHash>
#include <QObject>

class QAction;
class QActionGroup;
class QMainWindow;
class QToolBar;

namespace mainwin {

class CommandBars : public QObject {
    Q_OBJECT
public:
    /** Builds the menus and tool bars into `host`. */
    explicit CommandBars(QMainWindow *host);

    /** The action with a command id, or null. */
    QAction *FindControl(int32_t id) const;
    /** Sets the checked state of the item with that id. */
    void SetChecked(int32_t id, bool checked);
    bool IsChecked(int32_t id) const;
    QToolBar *Bar(CommandBar bar) const;

    /** Places the tool bars as the layout file says; false (layout unchanged) when the file is
     *  missing or refused. */
    bool LoadCommandBars(const QString &path);
    /** Writes the tool bars' places to the layout file. */
    vb::Status SaveCommandBars(const QString &path) const;

    /** Triggers the action with that id, as a click on it would. */
    void Trigger(int32_t id);
    /** Alt and a menu's letter opens that menu, before a button of the window with the same
     *  letter; the button follows on the next Alt and letter (and stays reachable by Tab). The
     *  window calls this once its menu bar is laid out. */
    void GiveMenusTheirLetters();

signals:
    /** A command was executed; the window's dispatcher reads its id. */
    void Execute(int32_t id);

private:
    QMainWindow *m_host;
    QHash<int32_t, QAction *> m_actions;
    QHash<CommandBar, QToolBar *> m_bars;
};

} // namespace mainwin
