#pragma once
// Settings values and settings texts shared by the settings-file tests.
#include "RenameSettings.h"
#include "RenameWindowState.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace bodyfixture {

// The body of the rename window as it opens, written out line by line.
inline const char *const DefaultBody[] = {
    // 1-26: the action list in its opening order, nothing checked
    "Replace", "False", "Replace First", "False", "Replace Mid", "False", "Replace Last", "False",
    "Replace All", "False", "Insert", "False", "Suffix", "False", "Prefix", "False", "Length",
    "False", "Change Case", "False", "Extension", "False", "Clean", "False", "Compose", "False",
    "0",                                   // 27 current action: the first
    "1", "3", "0", "", "",                 // 28-32 txtReplaceC 1-5
    "1", "", "", "3", "0",                 // 33-37 txtReplaceA 1-5
    "3", "",                               // 38-39 Text1, cmbFirst
    "False", "False", "False",             // 40-42 frmFirstA, frmFirstC, frmFirstR
    "1", "3", "0", "", "",                 // 43-47 txtFirstC 1-5
    "AAaa##",                              // 48 Text50
    "1", "", "", "3", "0",                 // 49-53 txtFirstA 1-5
    "True",                                // 54 OptFACase(0)
    "3", "3", "",                          // 55-57 Text12, Text13, cmbMid
    "False", "False", "False",             // 58-60
    "1", "3", "0", "", "",                 // 61-65 txtMidC
    "AAaa##",                              // 66 Text53
    "1", "", "", "3", "0",                 // 67-71 txtMidA
    "True",                                // 72 OptMACase(0)
    "3", "",                               // 73-74 Text14, cmbLast
    "False", "False", "False",             // 75-77
    "1", "3", "0", "", "",                 // 78-82 txtLastC
    "AAaa##",                              // 83 Text55
    "1", "", "", "3", "0",                 // 84-88 txtLastA
    "True",                                // 89 OptLACase(0)
    "",                                    // 90 cmbAll
    "False", "False", "False",             // 91-93
    "1", "3", "0", "", "",                 // 94-98 txtAllC
    "AAaa##",                              // 99 Text56
    "1", "", "", "3", "0",                 // 100-104 txtAllA
    "True",                                // 105 OptAACase(0)
    "At Position From Start",              // 106 cmbInsert
    "1", "a", "0", "a", "a", "0",          // 107-112 Text38, Text43, Check2, Text44, Text45, Check1
    "",                                    // 113 cmbInsertS
    "False", "False", "False",             // 114-116
    "1", "3", "0", "", "",                 // 117-121 txtInsertC
    "AAaa##",                              // 122 Text59
    "1", "", "", "3", "0",                 // 123-127 txtInsertA
    "True",                                // 128 OptIACase(0)
    "",                                    // 129 cmbSuffix
    "False", "False", "False",             // 130-132
    "1", "3", "0", "", "",                 // 133-137 txtSuffixC
    "AAaa##",                              // 138 Text61
    "1", "", "", "3", "0",                 // 139-143 txtSuffixA
    "True",                                // 144 OptSACase(0)
    "",                                    // 145 cmbPrefix
    "False", "False", "False",             // 146-148
    "1", "3", "0", "", "",                 // 149-153 txtPrefixC
    "AAaa##",                              // 154 Text62
    "1", "", "", "3", "0",                 // 155-159 txtPrefixA
    "True",                                // 160 OptPACase(0)
    "Enter File Length",                   // 161 cmbLength
    "True", "False", "False",              // 162-164 Option1, Option2, Option3
    "1",                                   // 165 Text37
    "True",                                // 166 Option19
    "1",                                   // 167 Text37 again
    "False",                               // 168 Option20
    "0",                                   // 169 Text19
    "True", "False", "False",              // 170-172 Option37, Option38, Option39
    "False", "False", "False", "True",     // 173-176 Option42, Option41, Option40, Option43
    "1", "3", "0", "", "",                 // 177-181 txtExtC
    "1", "", "", "3", "0",                 // 182-186 txtExtA
    "True",                                // 187 OptEACase(0)
    "0", "0", "0", "0",                    // 188-191 chkCAlpha, chkSAlpha, chkVowel, chkDigit
    "0", "0", "0", "0", "0", "0", "0", "0", "0", // 192-200 Check3 to Check11
    "0",                                   // 201 Check12
    "",                                    // 202 Text48
    "True", "False",                       // 203-204 Option4, Option5
    "",                                    // 205 Text49
    "",                                    // 206 cmbCompose
    "False", "False", "False",             // 207-209
    "1", "3", "0", "", "",                 // 210-214 txtComposeC
    "AAaa##",                              // 215 Text3
    "1", "", "", "3", "0",                 // 216-220 txtComposeA
    "True",                                // 221 OptComACase(0)
};
static_assert(std::size(DefaultBody) == 221);

inline QStringList defaultBodyLines()
{
    QStringList lines;
    for (const char *line : DefaultBody)
        lines << QString::fromLatin1(line);
    return lines;
}

/** The lines as file bytes, each followed by `eol`. */
inline QByteArray fileBytes(const QStringList &lines, const char *eol = "\r\n")
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + eol;
    return bytes;
}

using engine::CounterSettings;
using engine::RenameSettings;

struct CounterName {
    CounterSettings RenameSettings::*counter;
    const char *boxes;  // the box arrays are this + "C" and this + "A"
};
inline const CounterName CounterNames[] = {
    {&RenameSettings::ReplaceCounter, "txtReplace"}, {&RenameSettings::FirstCounter, "txtFirst"},
    {&RenameSettings::MidCounter, "txtMid"},         {&RenameSettings::LastCounter, "txtLast"},
    {&RenameSettings::AllCounter, "txtAll"},         {&RenameSettings::InsertCounter, "txtInsert"},
    {&RenameSettings::SuffixCounter, "txtSuffix"},   {&RenameSettings::PrefixCounter, "txtPrefix"},
    {&RenameSettings::ExtensionCounter, "txtExt"},   {&RenameSettings::ComposeCounter, "txtCompose"},
};

/**
 * Changes every value the body holds away from the window's opening value. Each text box holds
 * its own control's name ("Text1", "txtFirstC(2)"), so a line that carries the wrong control
 * shows at once. The action list is rotated by one and every action checked.
 */
inline void changeEverything(RenameSettings &s, settingsfiles::RenameWindowState &w)
{
    std::rotate(s.ActionList.begin(), s.ActionList.begin() + 1, s.ActionList.end());
    for (engine::ActionListItem &item : s.ActionList)
        item.Checked = true;
    w.CurrentAction = 12;
    for (const CounterName &c : CounterNames) {
        CounterSettings &counter = s.*c.counter;
        for (int e = 1; e <= 5; ++e) {
            counter.counterBox(e) = QStringLiteral("%1C(%2)").arg(c.boxes).arg(e);
            counter.alphaBox(e) = QStringLiteral("%1A(%2)").arg(c.boxes).arg(e);
        }
        counter.AlphaCase = engine::AlphaCaseOption::Lowercase;
    }
    for (settingsfiles::SubFrameVisibility *frames :
         {&w.First, &w.Mid, &w.Last, &w.All, &w.Insert, &w.Suffix, &w.Prefix, &w.Compose})
        *frames = {true, true, true};

    s.FirstCount = "Text1";
    s.FirstSource = "cmbFirst";
    s.FirstRandomMask = "Text50";
    s.MidCount = "Text12";
    s.MidPosition = "Text13";
    s.MidSource = "cmbMid";
    s.MidRandomMask = "Text53";
    s.LastCount = "Text14";
    s.LastSource = "cmbLast";
    s.LastRandomMask = "Text55";
    s.AllSource = "cmbAll";
    s.AllRandomMask = "Text56";
    s.InsertMode = 4;
    s.InsertPosition = "Text38";
    s.InsertSearchText = "Text43";
    s.InsertSearchMatchCase = 1;
    s.InsertFirstText = "Text44";
    s.InsertSecondText = "Text45";
    s.InsertBetweenMatchCase = 1;
    s.InsertSource = "cmbInsertS";
    s.InsertRandomMask = "Text59";
    s.SuffixSource = "cmbSuffix";
    s.SuffixRandomMask = "Text61";
    s.PrefixSource = "cmbPrefix";
    s.PrefixRandomMask = "Text62";
    s.LengthTarget = "cmbLength";
    s.LengthTakeMode = engine::LengthTakeOption::Position;
    s.LengthStartPosition = "Text37";
    s.LengthPadMode = engine::LengthPadOption::End;
    s.LengthPadEndChar = "#";
    s.CaseMode = engine::CaseOption::Invert;
    s.ExtensionMode = engine::ExtensionOption::Lower;
    s.CleanClasses.fill(true);
    s.CleanKeepChars.fill(true);
    s.CleanRemoveSpecial = true;
    s.CleanKeepOther = "Text48";
    s.CleanReplaceMode = engine::CleanReplaceOption::OwnCharacter;
    s.CleanReplaceChar = "Text49";
    w.ComposeToken = "cmbCompose";
    s.ComposeElementMask = "Text3";
}

/** Gives every value the body does not hold the text `marker` (the Replace panel's alpha
 *  case becomes "none selected"). */
inline void changeUnstored(RenameSettings &s, const QString &marker)
{
    for (const CounterName &c : CounterNames) {
        (s.*c.counter).CounterStart = marker;
        (s.*c.counter).AlphaStart = marker;
    }
    s.LengthPadStartChar = marker;
    s.ReplaceCounter.AlphaCase = engine::AlphaCaseOption::None;
    s.ComposeElements = QStringList{marker, marker};
}

/** Copies the values the body does not hold. */
inline void copyUnstored(const RenameSettings &from, RenameSettings &to)
{
    for (const CounterName &c : CounterNames) {
        (to.*c.counter).CounterStart = (from.*c.counter).CounterStart;
        (to.*c.counter).AlphaStart = (from.*c.counter).AlphaStart;
    }
    to.LengthPadStartChar = from.LengthPadStartChar;
    to.ReplaceCounter.AlphaCase = from.ReplaceCounter.AlphaCase;
    to.ComposeElements = from.ComposeElements;
}

} // namespace bodyfixture
