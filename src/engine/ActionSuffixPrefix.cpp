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
        const qsizetype baseLength = BaseNameLength(name, call.row.Type);
        const QString base = name.left(baseLength);
        call.engine.run.CurrentBaseName = base;
        const TokenValue value =
            ExpandToken(call, {source, QString(), action, tokenGroupsOf(action), mask});
        if (!value)
            return name;
        const QStringView ext = QStringView(name).mid(baseLength);
        QString added;
        added.reserve(name.size() + value->size());
        if (side == Side::After)
            added.append(base).append(*value);
        else
            added.append(*value).append(base);
        return added.append(ext);
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
