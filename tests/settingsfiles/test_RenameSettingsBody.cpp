#include "BodyFixture.h"
#include "RenameSettingsBody.h"

#include <gtest/gtest.h>
#include <functional>
#include <utility>
#include <vector>

using namespace settingsfiles;
using engine::RenameSettings;

namespace {

QStringList written(const RenameSettings &s, const RenameWindowState &w)
{
    QStringList lines;
    const vb::Status st = WriteRenameSettingsBody(s, w, lines);
    EXPECT_TRUE(st.isOk()) << st.description.toStdString();
    return lines;
}

QStringList names(const RenameSettings &s)
{
    QStringList out;
    for (const engine::ActionListItem &item : s.ActionList)
        out << item.Name;
    return out;
}

} // namespace

TEST(RenameSettingsBody, OpeningWindowWritesTheDefaultBody)
{
    EXPECT_EQ(written(RenameSettings(), RenameWindowState()), bodyfixture::defaultBodyLines());
}

TEST(RenameSettingsBody, EveryValueTravelsOnTheLineOfItsControl)
{
    RenameSettings s;
    RenameWindowState w;
    bodyfixture::changeEverything(s, w);
    const QStringList lines = written(s, w);
    const QStringList defaults = bodyfixture::defaultBodyLines();
    const std::vector<BodyLine> layout = RenameSettingsBodyLayout();
    ASSERT_EQ(lines.size(), 221);
    ASSERT_EQ(layout.size(), 221u);

    for (const BodyLine &line : layout) {
        SCOPED_TRACE(line.line);
        SCOPED_TRACE(line.field.toStdString());
        const QString &value = lines[line.line - 1];
        // Each text box holds its own name; the three exceptions hold other values below.
        const bool ownName = line.form == ValueForm::Text && !line.field.startsWith("List3") &&
                             line.field != "cmbInsert" && line.field != "Text19";
        if (ownName) {
            EXPECT_EQ(value, line.field);
        }
        // Only an option group keeps some lines as they were ("False" for options not chosen).
        if (!line.field.startsWith("Option")) {
            EXPECT_NE(value, defaults[line.line - 1]);
        }
    }
    EXPECT_EQ(lines[0], "Replace First");
    EXPECT_EQ(lines[24], "Replace");
    EXPECT_EQ(lines[26], "12");
    EXPECT_EQ(lines[105], "Between Two Strings");
    EXPECT_EQ(lines[108], "1");
    EXPECT_EQ(lines[168], "#");
    EXPECT_EQ(lines.mid(161, 3), (QStringList{"False", "False", "True"}));   // Option1-3
    EXPECT_EQ(lines.mid(169, 3), (QStringList{"False", "False", "True"}));   // Option37-39
    EXPECT_EQ(lines.mid(172, 4), (QStringList{"False", "True", "False", "False"}));
    EXPECT_EQ(lines.mid(202, 2), (QStringList{"False", "True"}));            // Option4, 5
}

TEST(RenameSettingsBody, ReorderedActionsGoFirstPanelsStayInDesignOrder)
{
    RenameSettings s;
    std::swap(s.ActionList[0], s.ActionList[12]);
    s.ActionList[0].Checked = true;
    s.ActionList[6].Checked = true;
    const QStringList lines = written(s, RenameWindowState());

    QStringList expected = bodyfixture::defaultBodyLines();
    expected[0] = "Compose";
    expected[1] = "True";
    expected[13] = "True";
    expected[24] = "Replace";
    EXPECT_EQ(lines, expected);

    RenameSettings back;
    RenameWindowState state;
    ASSERT_TRUE(ReadRenameSettingsBody(lines, 0, back, state));
    EXPECT_EQ(back.ActionList, s.ActionList);
    EXPECT_EQ(names(back).first(2), (QStringList{"Compose", "Replace First"}));
}

TEST(RenameSettingsBody, LinesConvertByTheirForm)
{
    using Expect = std::function<void(RenameSettings &, RenameWindowState &)>;
    struct Case {
        const char *what;
        std::vector<std::pair<int, const char *>> lines;  // body line, text
        Expect expect;
    };
    using namespace engine;
    const Case cases[] = {
        {"two True in the Length take group: the later wins",
         {{162, "True"}, {164, "True"}},
         [](RenameSettings &s, RenameWindowState &) { s.LengthTakeMode = LengthTakeOption::Position; }},
        {"two True in the Change Case group",
         {{170, "True"}, {171, "True"}},
         [](RenameSettings &s, RenameWindowState &) { s.CaseMode = CaseOption::Lower; }},
        {"two True in the Extension group, the stored one cleared",
         {{173, "True"}, {174, "True"}, {176, "False"}},
         [](RenameSettings &s, RenameWindowState &) { s.ExtensionMode = ExtensionOption::Lower; }},
        {"a group with no True selects none",
         {{203, "False"}},
         [](RenameSettings &s, RenameWindowState &) { s.CleanReplaceMode = CleanReplaceOption::None; }},
        {"Boolean spellings and numbers",
         {{2, "1"}, {40, "true"}, {41, "TRUE"}, {42, "-1"}, {207, "0"}},
         [](RenameSettings &s, RenameWindowState &w) {
             s.ActionList[0].Checked = true;
             w.First = {true, true, true};
         }},
        {"False for a case option selects Lowercase",
         {{54, "fAlSe"}, {221, "0"}},
         [](RenameSettings &s, RenameWindowState &) {
             s.FirstCounter.AlphaCase = AlphaCaseOption::Lowercase;
             s.ComposeCounter.AlphaCase = AlphaCaseOption::Lowercase;
         }},
        {"no current action",
         {{27, "-1"}},
         [](RenameSettings &, RenameWindowState &w) { w.CurrentAction = -1; }},
        {"Text37 has two lines: the later wins",
         {{165, "5"}, {167, "7"}},
         [](RenameSettings &s, RenameWindowState &) { s.LengthStartPosition = "7"; }},
        {"Text19 keeps its first character",
         {{169, "xyz"}},
         [](RenameSettings &s, RenameWindowState &) { s.LengthPadEndChar = "x"; }},
        {"Insert mode by item text",
         {{106, "After Existing String"}},
         [](RenameSettings &s, RenameWindowState &) { s.InsertMode = 3; }},
        {"Insert mode empty: none chosen",
         {{106, ""}},
         [](RenameSettings &s, RenameWindowState &) { s.InsertMode = -1; }},
        {"check boxes",
         {{109, "1"}, {188, "1"}, {192, "1"}, {200, "1"}, {201, "1"}},
         [](RenameSettings &s, RenameWindowState &) {
             s.InsertSearchMatchCase = 1;
             s.CleanClasses[CapitalLetters] = true;
             s.CleanKeepChars[0] = true;
             s.CleanKeepChars[8] = true;
             s.CleanRemoveSpecial = true;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList lines = bodyfixture::defaultBodyLines();
        for (const auto &[line, text] : c.lines)
            lines[line - 1] = QString::fromLatin1(text);

        RenameSettings s;
        RenameWindowState w;
        bodyfixture::changeEverything(s, w);
        RenameSettings expected;  // the opening values, but what the body does not hold stays
        bodyfixture::copyUnstored(s, expected);
        RenameWindowState expectedState;
        c.expect(expected, expectedState);

        const LoadResult result = ReadRenameSettingsBody(lines, 0, s, w);
        ASSERT_TRUE(result) << result.reason.toStdString();
        EXPECT_TRUE(s == expected);
        EXPECT_TRUE(w == expectedState);
    }
}

TEST(RenameSettingsBody, RefusedBodiesChangeNothing)
{
    struct Case {
        const char *what;
        std::function<void(QStringList &)> edit;
        int line;  // the line the refusal names, 0 for none
    };
    const Case cases[] = {
        {"empty", [](QStringList &l) { l.clear(); }, 0},
        {"one line short", [](QStringList &l) { l.removeLast(); }, 0},
        {"action name in other letter case", [](QStringList &l) { l[0] = "replace"; }, 1},
        {"unknown action", [](QStringList &l) { l[24] = "Rename"; }, 25},
        {"action listed twice", [](QStringList &l) { l[2] = "Replace"; }, 3},
        {"configuration header in front",
         [](QStringList &l) { l.prepend("File Rename Settings"); }, 1},
        {"Boolean word", [](QStringList &l) { l[39] = "yes"; }, 40},
        {"empty Boolean", [](QStringList &l) { l[220] = ""; }, 221},
        {"check box value 2", [](QStringList &l) { l[108] = "2"; }, 109},
        {"check box not a number", [](QStringList &l) { l[187] = "x"; }, 188},
        {"current action past the list", [](QStringList &l) { l[26] = "13"; }, 27},
        {"current action empty", [](QStringList &l) { l[26] = ""; }, 27},
        {"Insert mode not an item", [](QStringList &l) { l[105] = "At Position"; }, 106},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList lines = bodyfixture::defaultBodyLines();
        c.edit(lines);

        RenameSettings s;
        RenameWindowState w;
        bodyfixture::changeEverything(s, w);
        const RenameSettings before = s;
        const RenameWindowState stateBefore = w;
        const LoadResult result = ReadRenameSettingsBody(lines, 0, s, w);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.message, "Invalid File");
        EXPECT_EQ(result.line, c.line) << result.reason.toStdString();
        EXPECT_TRUE(s == before);
        EXPECT_TRUE(w == stateBefore);
    }
}

// A refusal quotes only a short part of an offending value, with its control characters escaped.
TEST(RenameSettingsBody, RefusalsQuoteAShortPartOfTheValue)
{
    const struct {
        const char *what;
        int index;
        QString value;
    } cases[] = {
        {"long Boolean", 39, QString(100000, u'y')},
        {"long action name", 0, QStringLiteral("Replace") + QString(100000, u'x')},
        {"control characters", 39, QStringLiteral("ye\x1bs\nRow 1")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QStringList lines = bodyfixture::defaultBodyLines();
        lines[c.index] = c.value;
        RenameSettings s;
        RenameWindowState w;
        const LoadResult result = ReadRenameSettingsBody(lines, 0, s, w);
        ASSERT_FALSE(result);
        EXPECT_LT(result.reason.size(), 200) << result.reason.left(300).toStdString();
        for (const QChar ch : result.reason)
            EXPECT_GE(ch.unicode(), 0x20) << result.reason.toStdString();
    }
}

TEST(RenameSettingsBody, BodyAfterAHeaderLineReportsFileLines)
{
    RenameSettings source;
    RenameWindowState sourceState;
    bodyfixture::changeEverything(source, sourceState);
    QStringList file = QStringList{"File Rename Settings"} + written(source, sourceState);
    file << "a line after the body";

    RenameSettings s;
    RenameWindowState w;
    ASSERT_TRUE(ReadRenameSettingsBody(file, 1, s, w));
    EXPECT_EQ(names(s), names(source));
    EXPECT_EQ(s.FirstCounter.CounterPrefix, "txtFirstC(4)");
    EXPECT_TRUE(w == sourceState);

    file[28] = "maybe";  // body line 28 is text: accepted; body line 40 is not
    file[40] = "maybe";
    const LoadResult bad = ReadRenameSettingsBody(file, 1, s, w);
    EXPECT_EQ(bad.line, 41);
}

TEST(RenameSettingsBody, ValueWithALineBreakIsNotWritten)
{
    RenameSettings s;
    s.FirstSource = "two\r\nlines";
    QStringList lines{"kept"};
    const vb::Status st = WriteRenameSettingsBody(s, RenameWindowState(), lines);
    EXPECT_FALSE(st.isOk());
    EXPECT_TRUE(st.description.contains("cmbFirst")) << st.description.toStdString();
    EXPECT_EQ(lines, QStringList{"kept"});
}
