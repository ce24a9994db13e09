#include "RenameDropFile.h"

#include "RenameSettingsBody.h"
#include "TextFile.h"

namespace settingsfiles {

vb::Status WriteRenameDropFile(const QString &path, const engine::RenameSettings &settings,
                               const RenameWindowState &state)
{
    QStringList lines;
    if (vb::Status st = WriteRenameSettingsBody(settings, state, lines); !st)
        return st;
    return textfile::writeLines(path, lines);
}

LoadResult LoadRnp(const QString &path, engine::RenameSettings &settings,
                   RenameWindowState &state)
{
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines, textfile::MaxProgramFileBytes); !st)
        return LoadResult::invalid(st.description);
    return ReadRenameSettingsBody(lines, 0, settings, state);
}

} // namespace settingsfiles
