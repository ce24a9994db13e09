#pragma once
/**
 * The main window's commands as one table: every command-bar action carries its command id,
 * and the one dispatcher acts on the id. The table also says where each command sits in the
 * menus and tool bars, so no caption is written twice.
 */
#include <QString>
#include <cstdint>
#include <span>

namespace mainwin {

/** The command ids of the main window's command bars. */
enum CommandId : int32_t {
    ID_QUIT = 1029,
    ID_REFRESH_FOLDERS = 1030,
    ID_VIEW_REPORT = 1031,
    ID_VIEW_ICONS = 1032,
    ID_VIEW_LIST = 1033,
    ID_PREFERENCES = 1035,
    ID_HELP = 1039,
    ID_ABOUT = 1040,
    ID_RENAME = 1043,
    ID_SAVE_SETTINGS = 1047,
    ID_ATTRIBUTES = 1052,
};

/** The lowest command id the dispatcher acts on; ids from it up to it + 23 are looked at. */
constexpr int32_t FirstCommandId = 1029;
constexpr int32_t CommandIdSpan = 24;

/** The tool bars, in their default order. */
enum class CommandBar { None, Standard, View, Help };

/** One command of the bars. */
struct MainCommand {
    int32_t id;
    /** Menu caption, "&" marking the accelerator. */
    const char *caption;
    /** The menu it sits in ("&File", "&View", "&Tools", "&Help"). */
    const char *menu;
    /** The tool bar it also sits on, if any. */
    CommandBar bar;
    /** Icon name in the desktop icon theme. */
    const char *icon;
    const char *toolTip;
    /** A view command: shown with a check mark, one of three. */
    bool view;
    /** A separator comes before it in its menu. */
    bool separatorBefore;
};

/** Every command, in menu order. */
std::span<const MainCommand> MainCommands();
/** The command with this id, or null. */
const MainCommand *FindCommand(int32_t id);

/** The names a tool bar is saved under in the layout file. */
QString CommandBarName(CommandBar bar);
CommandBar CommandBarFromName(const QString &name);

/** One of the main list's three views: its name (kept in `FileViewName`), the list's view
 *  code and the command that selects it. */
struct FileView {
    const char *name;
    int32_t viewCode;
    int32_t commandId;
};

/** Report (code 3, command 1031), Icons (1, 1032), List (2, 1033). */
std::span<const FileView> FileViews();
/** The view of a `FileViewName`: "Icons" or "List", anything else the Report view. */
const FileView &FileViewForName(const QString &name);
/** The view a command selects, or null when the id is no view command. */
const FileView *FileViewForCommand(int32_t id);

} // namespace mainwin
