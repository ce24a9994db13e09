#pragma once
/**
 * The settings of the thirteen rename actions as the rename window's controls hold them: texts
 * exactly as typed (numbers are converted at each use, so a value that does not convert fails
 * only that use), check-box values, list indexes and option-button choices. The rename window
 * fills one value from its controls, the engine reads it, the settings files store it.
 *
 * Every member starts at the value the rename window shows when it opens.
 */
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace engine {

/** The ten actions whose fields take tokens, in the order of their letter-counter frames. Each
 *  has its own `CounterSettings` and its own running counters. */
enum class TokenAction : int {
    ReplaceFirst = 0,
    ReplaceMid,
    ReplaceLast,
    ReplaceAll,
    Insert,
    Suffix,
    Prefix,
    Extension,
    Replace,
    Compose,
};
inline constexpr int TokenActionCount = 10;

/** `Opt<X>ACase`: which letters the "$AlphaCounter$" of an action uses. */
enum class AlphaCaseOption : int16_t {
    None = -1,      ///< neither option selected (acts as Uppercase)
    Uppercase = 0,  ///< item 0, "Uppercase": letters "A" to "Z"
    Lowercase = 1,  ///< item 1, "Lowercase": letters "a" to "z"
};

/**
 * The "$Counter$" and "$AlphaCounter$" settings of one token action: the text boxes of its
 * numeric group `txt<Action>C` (items 0 to 5) and letter group `txt<Action>A` (items 0 to 5)
 * and its case option pair. Note the different item order of the two groups.
 */
struct CounterSettings {
    QString CounterStart = QStringLiteral("1");     ///< txt<Action>C(0) "Start from"
    QString CounterStep = QStringLiteral("1");      ///< txt<Action>C(1) "with step"
    QString CounterPadWidth = QStringLiteral("3");  ///< txt<Action>C(2) "Pad to"
    QString CounterPadChar = QStringLiteral("0");   ///< txt<Action>C(3) "characters with"
    QString CounterPrefix;                          ///< txt<Action>C(4) "Prefix:"
    QString CounterSuffix;                          ///< txt<Action>C(5) "Suffix:"

    QString AlphaStart = QStringLiteral("A");       ///< txt<Action>A(0) "Start from"
    QString AlphaStep = QStringLiteral("1");        ///< txt<Action>A(1) "with step"
    QString AlphaPrefix;                            ///< txt<Action>A(2) "Prefix:"
    QString AlphaSuffix;                            ///< txt<Action>A(3) "Suffix:"
    QString AlphaPadWidth = QStringLiteral("3");    ///< txt<Action>A(4) "Pad to"
    QString AlphaPadChar = QStringLiteral("0");     ///< txt<Action>A(5) "characters with"

    AlphaCaseOption AlphaCase = AlphaCaseOption::Uppercase;          ///< Opt<X>ACase

    /** Box `item` (0 to 5) of the numeric group `txt<Action>C`. */
    QString &counterBox(int item);
    const QString &counterBox(int item) const;
    /** Box `item` (0 to 5) of the letter group `txt<Action>A`. */
    QString &alphaBox(int item);
    const QString &alphaBox(int item) const;

    bool operator==(const CounterSettings &) const = default;
};

/** One item of the action list `List3`: an action name and its check mark. */
struct ActionListItem {
    QString Name;
    bool Checked = false;

    bool operator==(const ActionListItem &) const = default;
};

/** "Change Case": `Option37`, `Option38`, `Option39`. */
enum class CaseOption : int16_t { None = -1, Upper = 0, Lower = 1, Invert = 2 };

/** "Extension": `Option42`, `Option41`, `Option40`, `Option43` (replace through the extension
 *  replace table or its replace-all mode). */
enum class ExtensionOption : int16_t { None = -1, Upper = 0, Lower = 1, Invert = 2, Replace = 3 };

/** "Clean", what a removed character becomes: `Option4` (a blank) or `Option5` (the first
 *  character of `Text49`). */
enum class CleanReplaceOption : int16_t { None = -1, Blank = 0, OwnCharacter = 1 };

/** "Length", which characters a longer name keeps: `Option1`, `Option2`, `Option3`. */
enum class LengthTakeOption : int16_t { None = -1, Beginning = 0, End = 1, Position = 2 };

/** "Length", where a shorter name is padded: `Option19`, `Option20`. */
enum class LengthPadOption : int16_t { None = -1, Beginning = 0, End = 1 };

/** The Clean class check boxes, in their order in `CleanClasses`. */
enum CleanClass : int { CapitalLetters = 0, SmallLetters, Vowels, Digits };

/** The rename settings as a whole. */
struct RenameSettings {
    RenameSettings();

    /** `List3`: the thirteen action names in the user's order, each with its check mark. */
    std::vector<ActionListItem> ActionList;

    // "Replace First"
    QString FirstCount = QStringLiteral("3");        ///< Text1
    QString FirstSource;                             ///< cmbFirst
    CounterSettings FirstCounter;                    ///< txtFirstC, txtFirstA, OptFACase
    QString FirstRandomMask = QStringLiteral("AAaa##"); ///< Text50

    // "Replace Mid"
    QString MidCount = QStringLiteral("3");          ///< Text12
    QString MidPosition = QStringLiteral("3");       ///< Text13
    QString MidSource;                               ///< cmbMid
    CounterSettings MidCounter;                      ///< txtMidC, txtMidA, OptMACase
    QString MidRandomMask = QStringLiteral("AAaa##");   ///< Text53

    // "Replace Last"
    QString LastCount = QStringLiteral("3");         ///< Text14
    QString LastSource;                              ///< cmbLast
    CounterSettings LastCounter;                     ///< txtLastC, txtLastA, OptLACase
    QString LastRandomMask = QStringLiteral("AAaa##");  ///< Text55

    // "Replace All"
    QString AllSource;                               ///< cmbAll
    CounterSettings AllCounter;                      ///< txtAllC, txtAllA, OptAACase
    QString AllRandomMask = QStringLiteral("AAaa##");   ///< Text56

    // "Insert"
    /** `cmbInsert` list index: 0 "At Position From Start", 1 "At Position From End",
     *  2 "Before Existing String", 3 "After Existing String", 4 "Between Two Strings";
     *  -1 when nothing is selected. */
    int16_t InsertMode = 0;
    QString InsertPosition = QStringLiteral("1");    ///< Text38
    QString InsertSearchText = QStringLiteral("a");  ///< Text43
    int16_t InsertSearchMatchCase = 0;               ///< Check2 "Match Case" (0 or 1)
    QString InsertFirstText = QStringLiteral("a");   ///< Text44 "First:"
    QString InsertSecondText = QStringLiteral("a");  ///< Text45 ",Second:"
    int16_t InsertBetweenMatchCase = 0;              ///< Check1 "Match Case" (0 or 1)
    QString InsertSource;                            ///< cmbInsertS
    CounterSettings InsertCounter;                   ///< txtInsertC, txtInsertA, OptIACase
    QString InsertRandomMask = QStringLiteral("AAaa##"); ///< Text59

    // "Suffix" and "Prefix"
    QString SuffixSource;                            ///< cmbSuffix
    CounterSettings SuffixCounter;                   ///< txtSuffixC, txtSuffixA, OptSACase
    QString SuffixRandomMask = QStringLiteral("AAaa##"); ///< Text61
    QString PrefixSource;                            ///< cmbPrefix
    CounterSettings PrefixCounter;                   ///< txtPrefixC, txtPrefixA, OptPACase
    QString PrefixRandomMask = QStringLiteral("AAaa##"); ///< Text62

    // "Compose"
    QStringList ComposeElements;                     ///< lstCompose
    CounterSettings ComposeCounter;                  ///< txtComposeC, txtComposeA, OptComACase
    QString ComposeElementMask = QStringLiteral("AAaa##"); ///< Text3 (read by the "Add" button only)

    // "Replace" (its table is the program-wide ReplaceList)
    CounterSettings ReplaceCounter;                  ///< txtReplaceC, txtReplaceA, OptRACase

    // "Extension" (its tables are ExtReplaceList, ReplaceAllExt, ReplaceAllExtTo)
    ExtensionOption ExtensionMode = ExtensionOption::Replace;
    CounterSettings ExtensionCounter;                ///< txtExtC, txtExtA, OptEACase

    // "Change Case"
    CaseOption CaseMode = CaseOption::Upper;

    // "Clean"
    /** chkCAlpha "Capital Letters", chkSAlpha "Small Letters", chkVowel "Vowels", chkDigit
     *  "Digits" (index by `CleanClass`). */
    std::array<bool, 4> CleanClasses{};
    /** Check3 to Check11: "_", "-", "(", ")", "$", ",", "#", " ", "." kept when checked. */
    std::array<bool, 9> CleanKeepChars{};
    QString CleanKeepOther;                          ///< Text48, separated by ","
    bool CleanRemoveSpecial = false;                 ///< Check12
    CleanReplaceOption CleanReplaceMode = CleanReplaceOption::Blank;
    QString CleanReplaceChar;                        ///< Text49

    // "Length"
    QString LengthTarget = QStringLiteral("Enter File Length"); ///< cmbLength text
    LengthTakeOption LengthTakeMode = LengthTakeOption::Beginning;
    QString LengthStartPosition = QStringLiteral("1"); ///< Text37
    LengthPadOption LengthPadMode = LengthPadOption::Beginning;
    QString LengthPadStartChar = QStringLiteral("0"); ///< Text18
    QString LengthPadEndChar = QStringLiteral("0");   ///< Text19

    /** The counter settings of a token action. */
    CounterSettings &counter(TokenAction action);
    const CounterSettings &counter(TokenAction action) const;

    /** Checks or unchecks the list item named `name` (no effect for an unknown name). */
    void setChecked(const QString &name, bool checked);
    /** Checks exactly the named actions, in the list's current order. */
    void checkOnly(const QStringList &names);

    bool operator==(const RenameSettings &) const = default;
};

} // namespace engine
