// Any bytes as a rename-drop file or a rename configuration file, decoded and split as the file
// reader does: the settings body reader either loads settings or refuses the file, and never
// faults. A loaded file writes back as a body that loads to the same settings.
// Besides the file as it stands, the input's lines are laid over a valid body (from the line the
// first byte picks), so that every line's reader meets hostile values, not only the first.
#include "RenameConfigFile.h"
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameSettingsBody.h"
#include "RenameWindowState.h"
#include "TextFile.h"

#include <cstdlib>

namespace {

void loadAndRoundTrip(const QStringList &lines)
{
    engine::RenameSettings settings;
    settingsfiles::RenameWindowState state;
    if (!settingsfiles::ReadRenameSettingsBody(lines, 0, settings, state))
        return;
    QStringList written;
    if (!settingsfiles::WriteRenameSettingsBody(settings, state, written))
        return;  // a value with a line break cannot be written, and is refused as such
    engine::RenameSettings again;
    settingsfiles::RenameWindowState againState;
    if (!settingsfiles::ReadRenameSettingsBody(written, 0, again, againState) || !(again == settings)
        || !(againState == state))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList whole = textfile::splitLines(
        textfile::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    engine::RenameSettings settings;
    settingsfiles::RenameWindowState state;
    (void)settingsfiles::ReadRenameSettingsBody(whole, 0, settings, state);
    (void)settingsfiles::ParseRenameConfigFile(whole, settings, state);

    if (size == 0)
        return 0;
    static const QStringList valid = [] {
        QStringList lines;
        (void)settingsfiles::WriteRenameSettingsBody(engine::RenameSettings{}, settingsfiles::RenameWindowState{},
                                                     lines);
        return lines;
    }();
    const QStringList input =
        textfile::splitLines(textfile::decode(QByteArray(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1))));
    QStringList lines = valid;
    const qsizetype first = data[0] % (valid.size() + 1);
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (first + i < lines.size())
            lines[first + i] = input[i];
        else
            lines.append(input[i]);
    }
    loadAndRoundTrip(lines);
    return 0;
}
