// "Clean": the characters of the base name that the run's Clean sets name are replaced by one
// character (a blank, or the user's own) or deleted; the extension never changes.
#include "Actions.h"
#include "CodePoints.h"
#include "Preview.h"
#include "RenameEngine.h"

namespace engine {

namespace {

// Every character of `text` for which `replace` holds becomes `with` (nothing when `with` is
// empty). Each input character (a whole one: a pair is one character) is looked at once, so
// the characters put in are never examined again in the same pass.
template <class Predicate>
QString replaceCharacters(const QString &text, const QString &with, Predicate replace)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : chars::ToChars(text)) {
        if (replace(c))
            out += with;
        else
            out += chars::FromChar(c);
    }
    return out;
}

// The characters of a Clean set, for looking whole characters up in it.
struct CharacterSet {
    explicit CharacterSet(const QString &set) : characters(chars::ToChars(set)) {}
    bool contains(char32_t c) const { return characters.find(c) != std::u32string::npos; }
    std::u32string characters;
};

} // namespace

QString ApplyClean(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const RenameSettings &settings = call.settings;
        const RunState &run = call.engine.run;
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;

        const QString with = settings.CleanReplaceMode == CleanReplaceOption::OwnCharacter
                                 ? chars::First(settings.CleanReplaceChar)
                                 : QStringLiteral(" ");
        const CharacterSet remove(run.CleanRemoveSet);
        QString cleaned = replaceCharacters(base, with, [&](char32_t c) { return remove.contains(c); });
        if (settings.CleanRemoveSpecial) {
            const CharacterSet keep(run.CleanKeepSet);
            cleaned = replaceCharacters(cleaned, with, [&](char32_t c) { return !keep.contains(c); });
        }
        return cleaned + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine
