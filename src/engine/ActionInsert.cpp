// "Insert": one text (a literal or one token) put into the base name at a position counted from
// the start or the end, before or after an existing string, or between two strings that stand
// side by side. The extension is never searched and never changed.
#include "Actions.h"
#include "ExpandToken.h"
#include "Preview.h"
#include "RenameEngine.h"
#include "VbConvert.h"
#include "CodePoints.h"

namespace engine {

namespace {

// The items of `cmbInsert`.
enum InsertModeIndex : int {
    AtPositionFromStart = 0,
    AtPositionFromEnd = 1,
    BeforeExistingString = 2,
    AfterExistingString = 3,
    BetweenTwoStrings = 4,
};

vb::Compare insertComparison(int16_t matchCase)
{
    return matchCase == 1 ? vb::Compare::Binary : vb::Compare::Text;
}

// The number of base-name characters that stay in front of the inserted text, or -1 when the
// mode makes no insertion for this name.
int splitPoint(const RenameSettings &settings, const QString &base, int position)
{
    const int length = chars::Len(base);
    switch (settings.InsertMode) {
    case AtPositionFromStart:
        return position >= 1 ? position - 1 : -1;
    case AtPositionFromEnd:
        return position >= 1 ? length - position + 1 : -1;
    case BeforeExistingString: {
        const QString &search = settings.InsertSearchText;
        if (search.isEmpty())
            return -1;
        // An occurrence at the very start puts the text in front of the base name.
        const int i = chars::InStr(base, search, insertComparison(settings.InsertSearchMatchCase));
        return i >= 1 ? i - 1 : -1;
    }
    case AfterExistingString: {
        const QString &search = settings.InsertSearchText;
        if (search.isEmpty())
            return -1;
        const int i = chars::InStr(base, search, insertComparison(settings.InsertSearchMatchCase));
        return i >= 1 ? i + chars::Len(search) - 1 : -1;
    }
    case BetweenTwoStrings: {
        const QString joined = settings.InsertFirstText + settings.InsertSecondText;
        const int i = chars::InStr(base, joined, insertComparison(settings.InsertBetweenMatchCase));
        return i >= 1 ? i + chars::Len(settings.InsertFirstText) - 1 : -1;
    }
    default:
        return -1;
    }
}

} // namespace

QString ApplyInsert(ActionCall &call, const QString &name)
{
    return applyGuarded(name, [&]() -> QString {
        const RenameSettings &settings = call.settings;
        const QString base = GetFName(name, call.row.Type, false);
        call.engine.run.CurrentBaseName = base;

        // The position is read in every mode, so a position that does not convert leaves the
        // name (and the counters) alone whatever the mode.
        int position = vb::CInt(settings.InsertPosition).value();
        if (chars::Len(base) < position)
            position = chars::Len(base) + 1;

        const TokenValue value =
            ExpandToken(call, {settings.InsertSource, QString(), TokenAction::Insert,
                               tokenGroupsOf(TokenAction::Insert), settings.InsertRandomMask});
        if (!value)
            return name;

        const int k = splitPoint(settings, base, position);
        if (k < 0)
            return name;
        return chars::Left(base, k) + *value + chars::Mid(base, k + 1)
               + GetFName(name, call.row.Type, true);
    });
}

} // namespace engine
