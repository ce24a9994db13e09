#include "RenameSettingsBody.h"

#include "Actions.h"
#include "TextFile.h"
#include "VbConvert.h"

#include <type_traits>
#include <utility>

namespace settingsfiles {

namespace {

using engine::CounterSettings;
using engine::RenameSettings;
using SFV = SubFrameVisibility;
using RS = RenameSettings;
using WS = RenameWindowState;

constexpr int ActionCount = int(engine::ActionTable.size());

/** The values a body line reads and writes: a working copy of both parts. */
struct Values {
    RenameSettings settings;
    RenameWindowState state;
};

// How a line reaches its value. Text lines use the text pair, the other forms the number pair
// (a Boolean as 0/1). A setter returns false for a value its control cannot take.
using TextGet = QString (*)(const Values &, int element);
using TextSet = bool (*)(Values &, int element, const QString &text);
using IntGet = int (*)(const Values &, int element);
using IntSet = bool (*)(Values &, int element, int value);

struct Access {
    TextGet getText = nullptr;
    TextSet setText = nullptr;
    IntGet getInt = nullptr;
    IntSet setInt = nullptr;
};

template <QString RS::*M>
constexpr Access text()
{
    return {.getText = [](const Values &v, int) { return v.settings.*M; },
            .setText = [](Values &v, int, const QString &s) {
                v.settings.*M = s;
                return true;
            }};
}

template <QString WS::*M>
constexpr Access windowText()
{
    return {.getText = [](const Values &v, int) { return v.state.*M; },
            .setText = [](Values &v, int, const QString &s) {
                v.state.*M = s;
                return true;
            }};
}

// A one-character box: it keeps only the first character of what it is given.
template <QString RS::*M>
constexpr Access firstCharacter()
{
    return {.getText = [](const Values &v, int) { return v.settings.*M; },
            .setText = [](Values &v, int, const QString &s) {
                v.settings.*M = s.left(1);
                return true;
            }};
}

template <CounterSettings RS::*C>
constexpr Access counterBoxes()
{
    return {.getText = [](const Values &v, int e) { return (v.settings.*C).counterBox(e); },
            .setText = [](Values &v, int e, const QString &s) {
                (v.settings.*C).counterBox(e) = s;
                return true;
            }};
}

template <CounterSettings RS::*C>
constexpr Access alphaBoxes()
{
    return {.getText = [](const Values &v, int e) { return (v.settings.*C).alphaBox(e); },
            .setText = [](Values &v, int e, const QString &s) {
                (v.settings.*C).alphaBox(e) = s;
                return true;
            }};
}

// Element 0 ("Uppercase") of a case pair; false selects element 1 ("Lowercase").
template <CounterSettings RS::*C>
constexpr Access alphaCase()
{
    using engine::AlphaCaseOption;
    return {.getInt = [](const Values &v, int) {
                return int((v.settings.*C).AlphaCase == AlphaCaseOption::Uppercase);
            },
            .setInt = [](Values &v, int, int on) {
                (v.settings.*C).AlphaCase = on ? AlphaCaseOption::Uppercase
                                               : AlphaCaseOption::Lowercase;
                return true;
            }};
}

// One option button of a group held as an enum: true selects it, false clears it when it is
// the selected one (the group then has none selected).
template <auto M, auto Option>
constexpr Access option()
{
    return {.getInt = [](const Values &v, int) { return int(v.settings.*M == Option); },
            .setInt = [](Values &v, int, int on) {
                if (on)
                    v.settings.*M = Option;
                else if (v.settings.*M == Option)
                    v.settings.*M = decltype(Option)::None;
                return true;
            }};
}

template <SFV WS::*Panel, bool SFV::*Frame>
constexpr Access visible()
{
    return {.getInt = [](const Values &v, int) { return int((v.state.*Panel).*Frame); },
            .setInt = [](Values &v, int, int on) {
                (v.state.*Panel).*Frame = on != 0;
                return true;
            }};
}

// A check box held as a bool or a 0/1 number; it takes 0 and 1 only.
template <auto M>
constexpr Access checkBox()
{
    return {.getInt = [](const Values &v, int) { return int(v.settings.*M); },
            .setInt = [](Values &v, int, int n) {
                if (n != 0 && n != 1)
                    return false;
                v.settings.*M = std::remove_reference_t<decltype(v.settings.*M)>(n);
                return true;
            }};
}

// A check box of an array of check boxes, addressed by the line's element.
template <auto M>
constexpr Access checkBoxOf()
{
    return {.getInt = [](const Values &v, int e) { return int((v.settings.*M)[size_t(e)]); },
            .setInt = [](Values &v, int e, int n) {
                if (n != 0 && n != 1)
                    return false;
                (v.settings.*M)[size_t(e)] = n == 1;
                return true;
            }};
}

constexpr Access actionName()
{
    return {.getText = [](const Values &v, int e) {
                return size_t(e) < v.settings.ActionList.size()
                           ? v.settings.ActionList[size_t(e)].Name
                           : QString();
            },
            .setText = [](Values &v, int e, const QString &s) {
                if (!engine::findAction(s))
                    return false;
                v.settings.ActionList[size_t(e)].Name = s;
                return true;
            }};
}

constexpr Access actionChecked()
{
    return {.getInt = [](const Values &v, int e) {
                return int(size_t(e) < v.settings.ActionList.size() &&
                           v.settings.ActionList[size_t(e)].Checked);
            },
            .setInt = [](Values &v, int e, int on) {
                v.settings.ActionList[size_t(e)].Checked = on != 0;
                return true;
            }};
}

constexpr Access currentAction()
{
    return {.getInt = [](const Values &v, int) { return int(v.state.CurrentAction); },
            .setInt = [](Values &v, int, int n) {
                if (n < -1 || n >= ActionCount)
                    return false;
                v.state.CurrentAction = int16_t(n);
                return true;
            }};
}

QStringView insertModeItem(int index)
{
    const std::u16string_view item = InsertModeItems[size_t(index)];
    return QStringView(item.data(), qsizetype(item.size()));
}

// The Insert mode list holds its item's text; an empty line means no item is chosen.
constexpr Access insertMode()
{
    return {.getText = [](const Values &v, int) {
                const int mode = v.settings.InsertMode;
                return mode >= 0 && mode < int(InsertModeItems.size())
                           ? insertModeItem(mode).toString()
                           : QString();
            },
            .setText = [](Values &v, int, const QString &s) {
                if (s.isEmpty()) {
                    v.settings.InsertMode = -1;
                    return true;
                }
                for (int i = 0; i < int(InsertModeItems.size()); ++i) {
                    if (s == insertModeItem(i)) {
                        v.settings.InsertMode = int16_t(i);
                        return true;
                    }
                }
                return false;
            }};
}

/** Consecutive lines of one control group: `count` lines from `firstLine`, `stride` apart,
 *  for the elements from `firstElement` on. */
struct Run {
    int firstLine;
    const char *field;
    ValueForm form;
    Access access;
    int count = 1;
    int stride = 1;
    int firstElement = 0;
};

using enum ValueForm;
using engine::CaseOption;
using engine::CleanReplaceOption;
using engine::ExtensionOption;
using engine::LengthPadOption;
using engine::LengthTakeOption;

// The body, line by line. The panels follow the design order of the actions whatever order
// the action list has.
constexpr Run BodyRuns[] = {
    // Action list
    {1, "List3.List", Text, actionName(), ActionCount, 2},
    {2, "List3.Selected", Bool, actionChecked(), ActionCount, 2},
    {27, "List3.ListIndex", Number, currentAction()},
    // Replace
    {28, "txtReplaceC", Text, counterBoxes<&RS::ReplaceCounter>(), 5, 1, 1},
    {33, "txtReplaceA", Text, alphaBoxes<&RS::ReplaceCounter>(), 5, 1, 1},
    // Replace First
    {38, "Text1", Text, text<&RS::FirstCount>()},
    {39, "cmbFirst", Text, text<&RS::FirstSource>()},
    {40, "frmFirstA", Bool, visible<&WS::First, &SFV::Alpha>()},
    {41, "frmFirstC", Bool, visible<&WS::First, &SFV::Counter>()},
    {42, "frmFirstR", Bool, visible<&WS::First, &SFV::Random>()},
    {43, "txtFirstC", Text, counterBoxes<&RS::FirstCounter>(), 5, 1, 1},
    {48, "Text50", Text, text<&RS::FirstRandomMask>()},
    {49, "txtFirstA", Text, alphaBoxes<&RS::FirstCounter>(), 5, 1, 1},
    {54, "OptFACase(0)", Bool, alphaCase<&RS::FirstCounter>()},
    // Replace Mid
    {55, "Text12", Text, text<&RS::MidCount>()},
    {56, "Text13", Text, text<&RS::MidPosition>()},
    {57, "cmbMid", Text, text<&RS::MidSource>()},
    {58, "frmMidA", Bool, visible<&WS::Mid, &SFV::Alpha>()},
    {59, "frmMidC", Bool, visible<&WS::Mid, &SFV::Counter>()},
    {60, "frmMidR", Bool, visible<&WS::Mid, &SFV::Random>()},
    {61, "txtMidC", Text, counterBoxes<&RS::MidCounter>(), 5, 1, 1},
    {66, "Text53", Text, text<&RS::MidRandomMask>()},
    {67, "txtMidA", Text, alphaBoxes<&RS::MidCounter>(), 5, 1, 1},
    {72, "OptMACase(0)", Bool, alphaCase<&RS::MidCounter>()},
    // Replace Last
    {73, "Text14", Text, text<&RS::LastCount>()},
    {74, "cmbLast", Text, text<&RS::LastSource>()},
    {75, "frmLastA", Bool, visible<&WS::Last, &SFV::Alpha>()},
    {76, "frmLastC", Bool, visible<&WS::Last, &SFV::Counter>()},
    {77, "frmLastR", Bool, visible<&WS::Last, &SFV::Random>()},
    {78, "txtLastC", Text, counterBoxes<&RS::LastCounter>(), 5, 1, 1},
    {83, "Text55", Text, text<&RS::LastRandomMask>()},
    {84, "txtLastA", Text, alphaBoxes<&RS::LastCounter>(), 5, 1, 1},
    {89, "OptLACase(0)", Bool, alphaCase<&RS::LastCounter>()},
    // Replace All
    {90, "cmbAll", Text, text<&RS::AllSource>()},
    {91, "frmReplaceAllA", Bool, visible<&WS::All, &SFV::Alpha>()},
    {92, "frmReplaceAllC", Bool, visible<&WS::All, &SFV::Counter>()},
    {93, "frmReplaceAllR", Bool, visible<&WS::All, &SFV::Random>()},
    {94, "txtAllC", Text, counterBoxes<&RS::AllCounter>(), 5, 1, 1},
    {99, "Text56", Text, text<&RS::AllRandomMask>()},
    {100, "txtAllA", Text, alphaBoxes<&RS::AllCounter>(), 5, 1, 1},
    {105, "OptAACase(0)", Bool, alphaCase<&RS::AllCounter>()},
    // Insert
    {106, "cmbInsert", Text, insertMode()},
    {107, "Text38", Text, text<&RS::InsertPosition>()},
    {108, "Text43", Text, text<&RS::InsertSearchText>()},
    {109, "Check2", Check, checkBox<&RS::InsertSearchMatchCase>()},
    {110, "Text44", Text, text<&RS::InsertFirstText>()},
    {111, "Text45", Text, text<&RS::InsertSecondText>()},
    {112, "Check1", Check, checkBox<&RS::InsertBetweenMatchCase>()},
    {113, "cmbInsertS", Text, text<&RS::InsertSource>()},
    {114, "frmInsertA", Bool, visible<&WS::Insert, &SFV::Alpha>()},
    {115, "frmInsertC", Bool, visible<&WS::Insert, &SFV::Counter>()},
    {116, "frmInsertR", Bool, visible<&WS::Insert, &SFV::Random>()},
    {117, "txtInsertC", Text, counterBoxes<&RS::InsertCounter>(), 5, 1, 1},
    {122, "Text59", Text, text<&RS::InsertRandomMask>()},
    {123, "txtInsertA", Text, alphaBoxes<&RS::InsertCounter>(), 5, 1, 1},
    {128, "OptIACase(0)", Bool, alphaCase<&RS::InsertCounter>()},
    // Suffix
    {129, "cmbSuffix", Text, text<&RS::SuffixSource>()},
    {130, "frmSuffixA", Bool, visible<&WS::Suffix, &SFV::Alpha>()},
    {131, "frmSuffixC", Bool, visible<&WS::Suffix, &SFV::Counter>()},
    {132, "frmSuffixR", Bool, visible<&WS::Suffix, &SFV::Random>()},
    {133, "txtSuffixC", Text, counterBoxes<&RS::SuffixCounter>(), 5, 1, 1},
    {138, "Text61", Text, text<&RS::SuffixRandomMask>()},
    {139, "txtSuffixA", Text, alphaBoxes<&RS::SuffixCounter>(), 5, 1, 1},
    {144, "OptSACase(0)", Bool, alphaCase<&RS::SuffixCounter>()},
    // Prefix
    {145, "cmbPrefix", Text, text<&RS::PrefixSource>()},
    {146, "frmPrefixA", Bool, visible<&WS::Prefix, &SFV::Alpha>()},
    {147, "frmPrefixC", Bool, visible<&WS::Prefix, &SFV::Counter>()},
    {148, "frmPrefixR", Bool, visible<&WS::Prefix, &SFV::Random>()},
    {149, "txtPrefixC", Text, counterBoxes<&RS::PrefixCounter>(), 5, 1, 1},
    {154, "Text62", Text, text<&RS::PrefixRandomMask>()},
    {155, "txtPrefixA", Text, alphaBoxes<&RS::PrefixCounter>(), 5, 1, 1},
    {160, "OptPACase(0)", Bool, alphaCase<&RS::PrefixCounter>()},
    // Length. Text37 has two lines; the pad character Text18 has none.
    {161, "cmbLength", Text, text<&RS::LengthTarget>()},
    {162, "Option1", Bool, option<&RS::LengthTakeMode, LengthTakeOption::Beginning>()},
    {163, "Option2", Bool, option<&RS::LengthTakeMode, LengthTakeOption::End>()},
    {164, "Option3", Bool, option<&RS::LengthTakeMode, LengthTakeOption::Position>()},
    {165, "Text37", Text, text<&RS::LengthStartPosition>()},
    {166, "Option19", Bool, option<&RS::LengthPadMode, LengthPadOption::Beginning>()},
    {167, "Text37", Text, text<&RS::LengthStartPosition>()},
    {168, "Option20", Bool, option<&RS::LengthPadMode, LengthPadOption::End>()},
    {169, "Text19", Text, firstCharacter<&RS::LengthPadEndChar>()},
    // Change Case
    {170, "Option37", Bool, option<&RS::CaseMode, CaseOption::Upper>()},
    {171, "Option38", Bool, option<&RS::CaseMode, CaseOption::Lower>()},
    {172, "Option39", Bool, option<&RS::CaseMode, CaseOption::Invert>()},
    // Extension
    {173, "Option42", Bool, option<&RS::ExtensionMode, ExtensionOption::Upper>()},
    {174, "Option41", Bool, option<&RS::ExtensionMode, ExtensionOption::Lower>()},
    {175, "Option40", Bool, option<&RS::ExtensionMode, ExtensionOption::Invert>()},
    {176, "Option43", Bool, option<&RS::ExtensionMode, ExtensionOption::Replace>()},
    {177, "txtExtC", Text, counterBoxes<&RS::ExtensionCounter>(), 5, 1, 1},
    {182, "txtExtA", Text, alphaBoxes<&RS::ExtensionCounter>(), 5, 1, 1},
    {187, "OptEACase(0)", Bool, alphaCase<&RS::ExtensionCounter>()},
    // Clean
    {188, "chkCAlpha", Check, checkBoxOf<&RS::CleanClasses>(), 1, 1, engine::CapitalLetters},
    {189, "chkSAlpha", Check, checkBoxOf<&RS::CleanClasses>(), 1, 1, engine::SmallLetters},
    {190, "chkVowel", Check, checkBoxOf<&RS::CleanClasses>(), 1, 1, engine::Vowels},
    {191, "chkDigit", Check, checkBoxOf<&RS::CleanClasses>(), 1, 1, engine::Digits},
    {192, "Check3", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 0},
    {193, "Check4", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 1},
    {194, "Check5", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 2},
    {195, "Check6", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 3},
    {196, "Check7", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 4},
    {197, "Check8", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 5},
    {198, "Check9", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 6},
    {199, "Check10", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 7},
    {200, "Check11", Check, checkBoxOf<&RS::CleanKeepChars>(), 1, 1, 8},
    {201, "Check12", Check, checkBox<&RS::CleanRemoveSpecial>()},
    {202, "Text48", Text, text<&RS::CleanKeepOther>()},
    {203, "Option4", Bool, option<&RS::CleanReplaceMode, CleanReplaceOption::Blank>()},
    {204, "Option5", Bool, option<&RS::CleanReplaceMode, CleanReplaceOption::OwnCharacter>()},
    {205, "Text49", Text, text<&RS::CleanReplaceChar>()},
    // Compose (its element list is not stored)
    {206, "cmbCompose", Text, windowText<&WS::ComposeToken>()},
    {207, "frmComposeA", Bool, visible<&WS::Compose, &SFV::Alpha>()},
    {208, "frmComposeC", Bool, visible<&WS::Compose, &SFV::Counter>()},
    {209, "frmComposeR", Bool, visible<&WS::Compose, &SFV::Random>()},
    {210, "txtComposeC", Text, counterBoxes<&RS::ComposeCounter>(), 5, 1, 1},
    {215, "Text3", Text, text<&RS::ComposeElementMask>()},
    {216, "txtComposeA", Text, alphaBoxes<&RS::ComposeCounter>(), 5, 1, 1},
    {221, "OptComACase(0)", Bool, alphaCase<&RS::ComposeCounter>()},
};

/** One line of the body with the element of its group. */
struct Line {
    int line = 0;
    const char *field = nullptr;
    ValueForm form = ValueForm::Text;
    Access access;
    int element = 0;
    bool numbered = false;  ///< the field is a group shown with its element number
};

// Spreads the runs over the 221 lines; any line stated twice or left out, or a form without
// its accessors, stops the build.
template <size_t N>
consteval std::array<Line, BodyLineCount> spreadRuns(const Run (&runs)[N])
{
    std::array<Line, BodyLineCount> lines{};
    for (const Run &run : runs) {
        const bool textForm = run.form == ValueForm::Text;
        if (textForm ? !(run.access.getText && run.access.setText)
                     : !(run.access.getInt && run.access.setInt))
            throw "a body line lacks the accessors of its form";
        for (int i = 0; i < run.count; ++i) {
            const int n = run.firstLine + i * run.stride;
            if (n < 1 || n > BodyLineCount || lines[size_t(n - 1)].line != 0)
                throw "a body line is out of range or stated twice";
            lines[size_t(n - 1)] = {n, run.field, run.form, run.access, run.firstElement + i,
                                    run.count > 1};
        }
    }
    for (const Line &line : lines) {
        if (line.line == 0)
            throw "a body line is missing";
    }
    return lines;
}

constexpr std::array<Line, BodyLineCount> Body = spreadRuns(BodyRuns);

QString fieldName(const Line &line)
{
    const QString field = QString::fromLatin1(line.field);
    return line.numbered ? QStringLiteral("%1(%2)").arg(field).arg(line.element) : field;
}

// Converts the line's text by its form and hands it to its control.
bool applyLine(const Line &line, const QString &text, Values &values)
{
    switch (line.form) {
    case ValueForm::Text:
        return line.access.setText(values, line.element, text);
    case ValueForm::Bool: {
        const vb::Converted<bool> b = vb::CBool(text);
        return b.ok() && line.access.setInt(values, line.element, b.value() ? 1 : 0);
    }
    case ValueForm::Check:
    case ValueForm::Number: {
        const vb::Converted<int16_t> n = vb::CInt(text);
        return n.ok() && line.access.setInt(values, line.element, n.value());
    }
    }
    return false;
}

QString lineText(const Line &line, const Values &values)
{
    switch (line.form) {
    case ValueForm::Text:
        return line.access.getText(values, line.element);
    case ValueForm::Bool:
        return vb::boolText(line.access.getInt(values, line.element) != 0);
    case ValueForm::Check:
    case ValueForm::Number:
        return QString::number(line.access.getInt(values, line.element));
    }
    return {};
}

} // namespace

std::vector<BodyLine> RenameSettingsBodyLayout()
{
    std::vector<BodyLine> layout;
    layout.reserve(Body.size());
    for (const Line &line : Body)
        layout.push_back({line.line, fieldName(line), line.form});
    return layout;
}

vb::Status WriteRenameSettingsBody(const RenameSettings &settings, const RenameWindowState &state,
                                   QStringList &lines)
{
    const Values values{settings, state};
    QStringList out;
    out.reserve(BodyLineCount);
    for (const Line &line : Body) {
        QString value = lineText(line, values);
        if (value.contains(u'\r') || value.contains(u'\n')) {
            return vb::Status::fail(
                vb::InvalidProcedureCall,
                QStringLiteral("%1 holds a line break, which a settings file cannot keep.")
                    .arg(fieldName(line)));
        }
        out.append(std::move(value));
    }
    lines = std::move(out);
    return vb::Status::ok();
}

LoadResult ReadRenameSettingsBody(const QStringList &lines, qsizetype first,
                                  RenameSettings &settings, RenameWindowState &state)
{
    first = qMax<qsizetype>(first, 0);
    const qsizetype available = qMax<qsizetype>(lines.size() - first, 0);
    if (available < BodyLineCount) {
        return LoadResult::invalid(QStringLiteral("the settings have %1 of their %2 lines")
                                       .arg(available)
                                       .arg(BodyLineCount));
    }

    Values work{settings, state};
    work.settings.ActionList.assign(size_t(ActionCount), engine::ActionListItem{});
    for (const Line &line : Body) {
        const qsizetype index = first + line.line - 1;
        if (!applyLine(line, lines[index], work)) {
            return LoadResult::invalid(QStringLiteral("line %1 (%2): \"%3\" is not a value of it")
                                           .arg(index + 1)
                                           .arg(fieldName(line), textfile::quoted(lines[index])),
                                       int(index + 1));
        }
    }

    // Each name line holds an action; thirteen different ones make the whole set.
    const auto &actions = work.settings.ActionList;
    for (int k = 1; k < ActionCount; ++k) {
        for (int j = 0; j < k; ++j) {
            if (actions[size_t(j)].Name == actions[size_t(k)].Name) {
                const qsizetype index = first + 2 * k;
                return LoadResult::invalid(
                    QStringLiteral("line %1: the action \"%2\" is listed twice")
                        .arg(index + 1)
                        .arg(textfile::quoted(actions[size_t(k)].Name)),
                    int(index + 1));
            }
        }
    }

    settings = std::move(work.settings);
    state = std::move(work.state);
    return LoadResult::ok();
}

} // namespace settingsfiles
