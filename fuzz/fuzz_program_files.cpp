// Any bytes as the settings file "Trevalle.ini" (read both ways) and as the tool-bar layout
// "KVX.xcb": read or refused, never a fault.
#include "AppState.h"
#include "CommandBarLayout.h"
#include "MemoryFile.h"
#include "SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MemoryFile file(data, size);
    AppState state;
    mainwin::SettingsFileControls controls;
    (void)mainwin::ReadSettingsFile(file.path(), state, false, controls);
    (void)mainwin::ReadSettingsFile(file.path(), state, true, controls);
    (void)mainwin::CommandBarLayout::load(file.path());
    return 0;
}
