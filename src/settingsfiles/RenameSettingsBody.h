#pragma once
/**
 * The rename settings body: the 221 lines, one value per line and without keys, that hold the
 * rename window's action list and the values of its thirteen action panels. The rename-drop
 * file is the body alone; a rename configuration file is a header line followed by it.
 *
 * Lines 1 to 26 are the action list in the user's order (name, then check mark, thirteen
 * times), line 27 the current action, then the panels in the design order of the actions.
 * The counter and alpha-counter start values, the pad character `Text18`, the Replace panel's
 * alpha-counter case and the Compose element list are not part of the body.
 */
#include "LoadResult.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "VbError.h"

#include <QString>
#include <QStringList>
#include <array>
#include <string_view>
#include <vector>

namespace settingsfiles {

/** The number of lines of a body. */
inline constexpr int BodyLineCount = 221;

/** How a value is written and read back. */
enum class ValueForm {
    Text,    ///< the text unchanged
    Bool,    ///< "True"/"False"; read also in any letter case, or as a number (0 is false)
    Check,   ///< a check box: "0" or "1"
    Number,  ///< a whole number in decimal ("-1" for no current action)
};

/** One line of the body as the layout states it. */
struct BodyLine {
    int line;       ///< 1 to 221
    QString field;  ///< the control, e.g. "txtFirstC(1)" or "Option37"
    ValueForm form;
};

/** The items of the Insert mode list `cmbInsert`, in list order; the body holds the item text. */
inline constexpr std::array<std::u16string_view, 5> InsertModeItems{{
    u"At Position From Start",
    u"At Position From End",
    u"Before Existing String",
    u"After Existing String",
    u"Between Two Strings",
}};

/** The 221 lines in order, as the writer and the reader use them. */
std::vector<BodyLine> RenameSettingsBodyLayout();

/**
 * The body of `settings` and `state`: exactly 221 lines. Fails (and leaves `lines` as it was)
 * when a value holds a line break, which the one-value-per-line layout cannot carry; the
 * description names the control.
 */
vb::Status WriteRenameSettingsBody(const engine::RenameSettings &settings,
                                   const RenameWindowState &state, QStringList &lines);

/**
 * Reads the body that starts at `lines[first]` (lines after the body are ignored). The whole
 * body is checked before anything is changed: it is refused, with "Invalid File" and with
 * `settings` and `state` untouched, when fewer than 221 lines remain, when its action lines are
 * not the thirteen action names (each once, in any order), or when a line does not convert to
 * its form or names a value its control cannot take. Otherwise the action list becomes the
 * body's, in its order, and every value the body holds replaces the current one; the values it
 * does not hold stay as they were.
 *
 * Option buttons of one group end with the last "True" of their lines selected (none when all
 * say "False"); an alpha-counter case line selects "Uppercase" for true and "Lowercase" for
 * false. `Text19` keeps only the first character of its line, and `Text37`, which has two
 * lines, takes the later one.
 */
LoadResult ReadRenameSettingsBody(const QStringList &lines, qsizetype first,
                                  engine::RenameSettings &settings, RenameWindowState &state);

} // namespace settingsfiles
