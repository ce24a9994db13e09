#include "RenameConfigFile.h"

#include "RenameSettingsBody.h"
#include "TextFile.h"

namespace settingsfiles {

vb::Status WriteRenameConfigFile(const QString &path, const engine::RenameSettings &settings,
                                 const RenameWindowState &state)
{
    QStringList body;
    if (vb::Status st = WriteRenameSettingsBody(settings, state, body); !st)
        return st;
    return textfile::writeLines(path, QStringList{RenameConfigHeader} + body);
}

LoadResult LoadRenameConfigFile(const QString &path, engine::RenameSettings &settings,
                                RenameWindowState &state)
{
    QStringList lines;
    if (vb::Status st = textfile::readLines(path, lines, textfile::MaxProgramFileBytes); !st)
        return LoadResult::invalid(st.description);
    return ParseRenameConfigFile(lines, settings, state);
}

LoadResult ParseRenameConfigFile(const QStringList &lines, engine::RenameSettings &settings,
                                 RenameWindowState &state)
{
    if (lines.isEmpty() || lines.first() != RenameConfigHeader)
        return LoadResult::invalid(QStringLiteral("line 1 is not the header"), 1);
    return ReadRenameSettingsBody(lines, 1, settings, state);
}

} // namespace settingsfiles
