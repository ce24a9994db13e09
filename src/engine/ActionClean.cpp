// "Clean": the characters of the base name that the run's Clean sets name are replaced by one
// character (a blank, or the user's own) or deleted; the extension never changes.
#include "Actions.h"
#include "Preview.h"
#include "RenameEngine.h"

namespace engine {

namespace {

// Every character of `text` for which `replace` holds becomes `with` (nothing when `with` is
// empty). Each input character is looked at once, so the characters put in are never
// examined again in the same pass.
template <class Predicate>
QString replaceCharacters(const QString &text, const QString &with, Predicate replace)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (replace(c))
            out += with;
        else
            out += c;
    }
    return out;
}

} // namespace

QString ApplyClean(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const RenameSettings &settings = call.settings;
        const RunState &run = call.engine.run;
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;

        const QString with = settings.CleanReplaceMode == CleanReplaceOption::OwnCharacter
                                 ? settings.CleanReplaceChar.left(1)
                                 : QStringLiteral(" ");
        QString cleaned = replaceCharacters(
            base, with, [&](QChar c) { return run.CleanRemoveSet.contains(c); });
        if (settings.CleanRemoveSpecial)
            cleaned = replaceCharacters(
                cleaned, with, [&](QChar c) { return !run.CleanKeepSet.contains(c); });
        return cleaned + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine
