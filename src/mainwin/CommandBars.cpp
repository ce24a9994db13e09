#include "CommandBars.h"

#include "CommandBarLayout.h"

#include <QAbstractButton>
#include <QAction>
#include <QSet>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

namespace mainwin {

namespace {

struct AreaName {
    Qt::ToolBarArea area;
    const char *name;
};
constexpr AreaName kAreas[] = {
    {Qt::TopToolBarArea, "Top"},
    {Qt::BottomToolBarArea, "Bottom"},
    {Qt::LeftToolBarArea, "Left"},
    {Qt::RightToolBarArea, "Right"},
};

Qt::ToolBarArea areaFromName(const QString &name)
{
    for (const AreaName &a : kAreas)
        if (name == QLatin1String(a.name))
            return a.area;
    return Qt::TopToolBarArea;
}

QString areaName(Qt::ToolBarArea area)
{
    for (const AreaName &a : kAreas)
        if (a.area == area)
            return QLatin1String(a.name);
    return QStringLiteral("Top");
}

constexpr CommandBar kBarOrder[] = {CommandBar::Standard, CommandBar::View, CommandBar::Help};

} // namespace

CommandBars::CommandBars(QMainWindow *host) : QObject(host), m_host(host)
{
    setObjectName(QStringLiteral("CommandBars1"));
    QMenuBar *menus = host->menuBar();
    QHash<QString, QMenu *> menuByName;
    for (CommandBar bar : kBarOrder) {
        auto *toolBar = new QToolBar(CommandBarName(bar), host);
        toolBar->setObjectName(CommandBarName(bar));
        toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        toolBar->setIconSize(QSize(16, 16));
        host->addToolBar(Qt::TopToolBarArea, toolBar);
        m_bars.insert(bar, toolBar);
    }

    for (const MainCommand &c : MainCommands()) {
        const QString menuName = QString::fromUtf8(c.menu);
        QMenu *menu = menuByName.value(menuName);
        if (!menu) {
            menu = menus->addMenu(menuName);
            menuByName.insert(menuName, menu);
        }
        if (c.separatorBefore)
            menu->addSeparator();
        auto *action = new QAction(QIcon::fromTheme(QLatin1String(c.icon)), QString::fromUtf8(c.caption), host);
        action->setData(c.id);
        action->setToolTip(QString::fromUtf8(c.toolTip));
        action->setCheckable(c.view);
        menu->addAction(action);
        if (QToolBar *toolBar = m_bars.value(c.bar))
            toolBar->addAction(action);
        // The dispatcher sets the view marks itself, whatever the click did to them.
        connect(action, &QAction::triggered, this, [this, action] { emit Execute(action->data().toInt()); });
        m_actions.insert(c.id, action);
    }
}

QAction *CommandBars::FindControl(int32_t id) const
{
    return m_actions.value(id);
}

void CommandBars::SetChecked(int32_t id, bool checked)
{
    if (QAction *a = FindControl(id))
        a->setChecked(checked);
}

bool CommandBars::IsChecked(int32_t id) const
{
    QAction *a = FindControl(id);
    return a && a->isChecked();
}

QToolBar *CommandBars::Bar(CommandBar bar) const
{
    return m_bars.value(bar);
}

bool CommandBars::LoadCommandBars(const QString &path)
{
    const auto layout = CommandBarLayout::load(path);
    if (!layout)
        return false;
    for (const BarPlacement &placement : layout->bars) {
        QToolBar *toolBar = m_bars.value(CommandBarFromName(placement.name));
        if (!toolBar)
            continue;
        m_host->removeToolBar(toolBar);
        const Qt::ToolBarArea area = areaFromName(placement.area);
        if (placement.lineBreak)
            m_host->addToolBarBreak(area);
        m_host->addToolBar(area, toolBar);
        toolBar->setVisible(placement.visible);
    }
    return true;
}

vb::Status CommandBars::SaveCommandBars(const QString &path) const
{
    CommandBarLayout layout;
    for (CommandBar bar : kBarOrder) {
        QToolBar *toolBar = m_bars.value(bar);
        BarPlacement placement;
        placement.name = CommandBarName(bar);
        placement.area = areaName(m_host->toolBarArea(toolBar));
        placement.visible = !toolBar->isHidden();
        placement.lineBreak = m_host->toolBarBreak(toolBar);
        layout.bars.push_back(placement);
    }
    return layout.save(path);
}

void CommandBars::GiveMenusTheirLetters()
{
    // Keys shared by several owners go to them in turn, in the order the owners took the key.
    // The menu bar takes its letters when it is laid out, after the buttons took theirs when
    // they were made: the buttons take theirs again, behind the menus.
    QSet<QKeySequence> menuLetters;
    for (QAction *menu : m_host->menuBar()->actions())
        if (const QKeySequence letter = QKeySequence::mnemonic(menu->text()); !letter.isEmpty())
            menuLetters.insert(letter);
    for (QAbstractButton *button : m_host->findChildren<QAbstractButton *>()) {
        const QKeySequence letter = QKeySequence::mnemonic(button->text());
        if (button->shortcut() == letter && menuLetters.contains(letter))
            button->setShortcut(letter);
    }
}

void CommandBars::Trigger(int32_t id)
{
    if (QAction *a = FindControl(id))
        a->trigger();
}

} // namespace mainwin
