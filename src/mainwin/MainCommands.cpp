#include "MainCommands.h"

namespace mainwin {

namespace {

constexpr MainCommand kCommands[] = {
    {ID_REFRESH_FOLDERS, "Re&fresh Folders", "&File", CommandBar::Standard, "view-refresh",
     "Click to Refresh folder view in case of addition/deletion of folder(s).", false, false},
    {ID_SAVE_SETTINGS, "&Save Settings", "&File", CommandBar::Standard, "document-save",
     "Save the settings now", false, false},
    {ID_QUIT, "&Quit", "&File", CommandBar::None, "application-exit", "Click to Exit ", false, true},
    {ID_VIEW_REPORT, "&Report", "&View", CommandBar::View, "view-list-details", "Report view", true, false},
    {ID_VIEW_ICONS, "&Icons", "&View", CommandBar::View, "view-list-icons", "Icons view", true, false},
    {ID_VIEW_LIST, "&List", "&View", CommandBar::View, "view-list-compact", "List view", true, false},
    {ID_RENAME, "&Rename", "&Tools", CommandBar::Standard, "edit-rename",
     "Click to bring up the Renamer Window", false, false},
    {ID_ATTRIBUTES, "&Attributes", "&Tools", CommandBar::Standard, "document-properties",
     "Click to Change Attributes.", false, false},
    {ID_PREFERENCES, "&Preferences", "&Tools", CommandBar::Standard, "preferences-system",
     "Preferences", false, true},
    {ID_HELP, "&Help Contents", "&Help", CommandBar::Help, "help-contents", "Help", false, false},
    {ID_ABOUT, "&About", "&Help", CommandBar::Help, "help-about", "About", false, false},
};

constexpr FileView kViews[] = {
    {"Report", 3, ID_VIEW_REPORT},
    {"Icons", 1, ID_VIEW_ICONS},
    {"List", 2, ID_VIEW_LIST},
};

struct BarName {
    CommandBar bar;
    const char *name;
};
constexpr BarName kBarNames[] = {
    {CommandBar::Standard, "Standard"},
    {CommandBar::View, "View"},
    {CommandBar::Help, "Help"},
};

} // namespace

std::span<const MainCommand> MainCommands()
{
    return kCommands;
}

const MainCommand *FindCommand(int32_t id)
{
    for (const MainCommand &c : kCommands)
        if (c.id == id)
            return &c;
    return nullptr;
}

QString CommandBarName(CommandBar bar)
{
    for (const BarName &b : kBarNames)
        if (b.bar == bar)
            return QLatin1String(b.name);
    return {};
}

CommandBar CommandBarFromName(const QString &name)
{
    for (const BarName &b : kBarNames)
        if (name == QLatin1String(b.name))
            return b.bar;
    return CommandBar::None;
}

std::span<const FileView> FileViews()
{
    return kViews;
}

const FileView &FileViewForName(const QString &name)
{
    for (const FileView &v : kViews)
        if (name == QLatin1String(v.name))
            return v;
    return kViews[0];
}

const FileView *FileViewForCommand(int32_t id)
{
    for (const FileView &v : kViews)
        if (v.commandId == id)
            return &v;
    return nullptr;
}

} // namespace mainwin
