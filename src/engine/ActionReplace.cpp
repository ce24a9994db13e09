// "Replace" and "Extension": the program-wide replace tables applied to the base name, and the
// extension changed in case or replaced (through the extension table or one text for every
// file). A failure keeps the row's name and is reported once the preview run has ended.
#include "ActionMessages.h"
#include "Actions.h"
#include "AppState.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"
#include "VbString.h"

namespace engine {

namespace {

const QString ExifMarker = QStringLiteral("$Exif_");

// A table row compares case-sensitively when its Match Case is the letter y in either case.
vb::Compare entryComparison(const ReplaceListEntry &entry)
{
    return entry.MatchCase.compare(QLatin1String("y"), Qt::CaseInsensitive) == 0
               ? vb::Compare::Binary
               : vb::Compare::Text;
}

// The common ending of both actions: a failure or an empty result is noted for the message at
// the end of the run, and the row keeps the name it had before the action.
template <class Body>
QString replaceGuarded(ActionCall &call, const QString &name, Body &&body)
{
    try {
        const QString result = body();
        if (!result.isEmpty())
            return result;
        noteActionFailure(call.engine, QString());
    } catch (const vb::Error &error) {
        noteActionFailure(call.engine, error.description());
    }
    return name;
}

TokenValue evaluateReplaceToken(ActionCall &call, TokenAction action, const QString &field,
                    const QString &target)
{
    return ExpandToken(call, {field, target, action, tokenGroupsOf(action), QString()});
}

} // namespace

QString ApplyReplace(ActionCall &call, const QString &name)
{
    return replaceGuarded(call, name, [&]() -> QString {
        QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;
        for (const ReplaceListEntry &entry : call.engine.app.ReplaceList) {
            const vb::Compare cmp = entryComparison(entry);
            if (entry.FromString.isEmpty() || vb::InStr(base, entry.FromString, cmp) == 0)
                continue;
            // Picture data the row does not have, or a music field the row cannot give, leaves
            // the name as it was before the action, without a message.
            if (entry.ToString.contains(ExifMarker) && !exifApplies(call))
                return name;
            const TokenValue value =
                evaluateReplaceToken(call, TokenAction::Replace, entry.ToString, entry.FromString);
            if (!value)
                return name;
            base = vb::Replace(base, entry.FromString, *value, 1, -1, cmp);
            call.engine.run.CurrentBaseName = base;
        }
        return base + GetFName(name, call.row.Type, true);
    });
}

QString ApplyExtension(ActionCall &call, const QString &name)
{
    const QString ext = GetFName(name, call.row.Type, true);
    if (ext.size() <= 1)
        return name;
    return replaceGuarded(call, name, [&]() -> QString {
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;
        QString x = ext.mid(1);
        const AppState &app = call.engine.app;
        switch (call.settings.ExtensionMode) {
        case ExtensionOption::Replace:
            if (app.ReplaceAllExt) {
                // A picture field on a row without picture data gives the extension itself.
                const TokenValue value =
                    evaluateReplaceToken(call, TokenAction::Extension, app.ReplaceAllExtTo, x);
                if (!value)
                    return name;
                x = *value;
                break;
            }
            for (const ReplaceListEntry &entry : app.ExtReplaceList) {
                const vb::Compare cmp = entryComparison(entry);
                // An empty From counts as found: its To is evaluated (a counter in it advances)
                // but replaces nothing.
                if (!entry.FromString.isEmpty() && vb::InStr(x, entry.FromString, cmp) == 0)
                    continue;
                const TokenValue value =
                    evaluateReplaceToken(call, TokenAction::Extension, entry.ToString, entry.FromString);
                if (!value)
                    return name;
                x = vb::Replace(x, entry.FromString, *value, 1, -1, cmp);
            }
            break;
        case ExtensionOption::Upper:
            x = vb::UCase(x);
            break;
        case ExtensionOption::Lower:
            x = vb::LCase(x);
            break;
        default:
            x = InvertCase(x);
            break;
        }
        return base + u'.' + x;
    });
}

} // namespace engine
