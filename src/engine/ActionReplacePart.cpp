// "Replace First", "Replace Mid", "Replace Last" and "Replace All": a part of the base name (the
// first, a middle span, the last characters, or all of it) replaced by the value of the action's
// source field. The extension never changes.
#include "Actions.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"
#include "VbConvert.h"
#include "CodePoints.h"

namespace engine {

namespace {

// The base name and extension of the working name; the base name becomes CurrentBaseName.
struct Split {
    QString base;
    QString ext;
};

Split split(ActionCall &call, const QString &name)
{
    Split s{GetFName(name, call.row.Type, false), GetFName(name, call.row.Type, true)};
    call.engine.run.CurrentBaseName = s.base;
    return s;
}

TokenValue evaluatePartToken(ActionCall &call, TokenAction action, const QString &field,
                    const QString &target, const QString &mask)
{
    return ExpandToken(call, {field, target, action, tokenGroupsOf(action), mask});
}

int wholeNumber(const QString &text) { return vb::CInt(text).value(); }

} // namespace

QString ApplyReplaceFirst(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const Split s = split(call, name);
        const RenameSettings &settings = call.settings;
        const int n = std::min(wholeNumber(settings.FirstCount), chars::Len(s.base));
        const QString target = chars::Left(s.base, n);
        const TokenValue value = evaluatePartToken(call, TokenAction::ReplaceFirst, settings.FirstSource,
                                          target, settings.FirstRandomMask);
        if (!value)
            return name;
        const QString r = n >= 1 ? *value : QString();
        return r + chars::Mid(s.base, n + 1) + s.ext;
    });
}

QString ApplyReplaceMid(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const Split s = split(call, name);
        const RenameSettings &settings = call.settings;
        const int p = wholeNumber(settings.MidPosition);
        const int c = wholeNumber(settings.MidCount);
        const vb::Converted<int16_t> end = vb::CInt(double(p) + c - 1);
        const int e = end.value();
        const int length = chars::Len(s.base);
        int position = 0;
        int count = 0;
        if (e > length) {
            if (p > length) {
                position = length;
                count = 0;
            } else {
                position = p;
                count = length - p + 1;
            }
        } else {
            position = int(vb::Int(vb::CDbl(settings.MidPosition).value()));
            count = c;
        }
        const QString target = chars::Mid(s.base, position, count);
        const TokenValue value = evaluatePartToken(call, TokenAction::ReplaceMid, settings.MidSource,
                                          target, settings.MidRandomMask);
        if (!value)
            return name;
        const QString r = target.isEmpty() ? QString() : *value;
        return chars::Left(s.base, position - 1) + r
               + chars::Right(s.base, length - position - count + 1) + s.ext;
    });
}

QString ApplyReplaceLast(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const Split s = split(call, name);
        const RenameSettings &settings = call.settings;
        const int length = chars::Len(s.base);
        const int n = std::min(wholeNumber(settings.LastCount), length);
        const QString target = chars::Right(s.base, n);
        const TokenValue value = evaluatePartToken(call, TokenAction::ReplaceLast, settings.LastSource,
                                          target, settings.LastRandomMask);
        if (!value)
            return name;
        const QString r = n >= 1 ? *value : QString();
        return chars::Left(s.base, length - n) + r + s.ext;
    });
}

QString ApplyReplaceAll(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const Split s = split(call, name);
        const RenameSettings &settings = call.settings;
        const TokenValue value = evaluatePartToken(call, TokenAction::ReplaceAll, settings.AllSource,
                                          s.base, settings.AllRandomMask);
        if (!value)
            return name;
        const QString r = s.base.isEmpty() ? QString() : *value;
        return r + s.ext;
    });
}

} // namespace engine
