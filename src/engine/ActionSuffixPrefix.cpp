// "Suffix" and "Prefix": one text (a literal or one token) added after or before the base name;
// the extension stays behind it.
#include "Actions.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"

namespace engine {

namespace {

enum class Side { After, Before };

QString addText(ActionCall &call, const QString &name, TokenAction action, const QString &source,
                const QString &mask, Side side)
{
    return applyGuarded(name, [&]() -> QString {
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;
        const TokenValue value =
            ExpandToken(call, {source, QString(), action, tokenGroupsOf(action), mask});
        if (!value)
            return name;
        const QString ext = GetFName(name, call.row.Type, true);
        return side == Side::After ? base + *value + ext : *value + base + ext;
    });
}

} // namespace

QString ApplySuffix(ActionCall &call, const QString &name)
{
    return addText(call, name, TokenAction::Suffix, call.settings.SuffixSource,
                   call.settings.SuffixRandomMask, Side::After);
}

QString ApplyPrefix(ActionCall &call, const QString &name)
{
    return addText(call, name, TokenAction::Prefix, call.settings.PrefixSource,
                   call.settings.PrefixRandomMask, Side::Before);
}

} // namespace engine
