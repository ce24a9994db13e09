// "Length": the base name cut or padded to a typed length, or to the longest or shortest base
// name of the preview's "Original" or "Preview" column; the extension never changes.
#include "Actions.h"
#include "Preview.h"
#include "RenameEngine.h"
#include "VbConvert.h"
#include "CodePoints.h"

namespace engine {

namespace {

// The four list items of `cmbLength`.
enum class LengthItem { LongestOriginal, ShortestOriginal, LongestModified, ShortestModified };

struct LengthItemText {
    const char16_t *text;
    LengthItem item;
};

constexpr LengthItemText LengthItems[] = {
    {u"=Longest Original Filename Length", LengthItem::LongestOriginal},
    {u"=Shortest Original Filename Length", LengthItem::ShortestOriginal},
    {u"=Longest Modified Filename Length", LengthItem::LongestModified},
    {u"=Shortest Modified Filename Length", LengthItem::ShortestModified},
};

// `text` padded by `count` pad characters on the chosen side (none when count < 1). The pad
// character is the first of its box; an empty box fails only a row that needs padding.
QString pad(const RenameSettings &settings, const QString &text, int count)
{
    if (count < 1)
        return text;
    const bool atStart = settings.LengthPadMode == LengthPadOption::Beginning;
    const QString &box = atStart ? settings.LengthPadStartChar : settings.LengthPadEndChar;
    if (box.isEmpty())
        throw vb::Error(vb::InvalidProcedureCall);
    const QString padding = chars::String(count, chars::First(box));
    return atStart ? padding + text : text + padding;
}

// The `target` characters from the start position on, padded to `target`.
QString fromPosition(const RenameSettings &settings, const QString &base, int target)
{
    const int start = vb::CInt(settings.LengthStartPosition).value();
    const QString middle = chars::Mid(base, start, target);
    return pad(settings, middle, target - chars::Len(middle));
}

// Cuts to the shortest length of a column: first or last characters, or from the position.
QString toShortest(const RenameSettings &settings, const QString &base, int target)
{
    switch (settings.LengthTakeMode) {
    case LengthTakeOption::Beginning: return chars::Left(base, target);
    case LengthTakeOption::End: return chars::Right(base, target);
    default: return fromPosition(settings, base, target);
    }
}

// Cuts or pads to a typed length.
QString toLength(const RenameSettings &settings, const QString &base, int target)
{
    QString kept;
    switch (settings.LengthTakeMode) {
    case LengthTakeOption::Beginning: kept = chars::Left(base, target); break;
    case LengthTakeOption::End: kept = chars::Right(base, target); break;
    default: return fromPosition(settings, base, target);
    }
    return pad(settings, kept, target - chars::Len(kept));
}

} // namespace

QString ApplyLength(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const RenameSettings &settings = call.settings;
        const RunState &run = call.engine.run;
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;

        const QString &target = settings.LengthTarget;
        QString changed;
        const LengthItemText *item = nullptr;
        for (const LengthItemText &candidate : LengthItems) {
            if (target == QStringView(candidate.text))
                item = &candidate;
        }
        if (item) {
            switch (item->item) {
            case LengthItem::LongestOriginal:
            case LengthItem::LongestModified: {
                const int longest = item->item == LengthItem::LongestOriginal
                                        ? run.LongestOriginalLength
                                        : run.LongestModifiedLength;
                // Padding only: a base name longer than the target keeps the working name.
                if (chars::Len(base) > longest)
                    return name;
                changed = pad(settings, base, longest - chars::Len(base));
                break;
            }
            case LengthItem::ShortestOriginal:
                changed = toShortest(settings, base, run.ShortestOriginalLength);
                break;
            case LengthItem::ShortestModified:
                changed = toShortest(settings, base, run.ShortestModifiedLength);
                break;
            }
        } else {
            if (!vb::parseNumber(target))
                return name;
            changed = toLength(settings, base, vb::CInt(target).value());
        }
        return changed + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine
