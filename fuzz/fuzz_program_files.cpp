// Any bytes as the settings file "Trevalle.ini" (read both ways) and as the tool-bar layout
// "KVX.xcb", decoded and split as the file reader does: read or refused, never a fault.
#include "AppState.h"
#include "CommandBarLayout.h"
#include "SettingsFile.h"
#include "TextFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = textfile::splitLines(
        textfile::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    AppState state;
    mainwin::SettingsFileControls controls;
    mainwin::ReadSettingsLines(lines, state, false, controls);
    mainwin::ReadSettingsLines(lines, state, true, controls);
    (void)mainwin::CommandBarLayout::parse(lines);
    return 0;
}
