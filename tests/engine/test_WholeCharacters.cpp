// Names with characters outside the basic plane (two UTF-16 units each) and with bytes that are
// not UTF-8 (one lone surrogate each): every action counts them as one character, so no action
// ever puts half a character into a name.
#include "CodePoints.h"
#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace engine;
using enginetest::EngineFixture;

namespace {

const QString Smile = QString::fromUcs4(U"\U0001F600");
const QString RawByte = QString(QChar(char16_t(0xDCFF)));

// "@" stands for the smiling face, "%" for a byte that is not UTF-8.
QString t(const char *text)
{
    return QString::fromUtf8(text).replace(u'@', Smile).replace(u'%', RawByte);
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *text : texts)
        out.append(t(text));
    return out;
}

// True when a surrogate stands without its other half (a raw byte's U+DC80..U+DCFF aside).
bool holdsHalfCharacter(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= name.size() || !QChar::isLowSurrogate(name[i + 1].unicode()))
                return true;
            ++i;
        } else if (QChar::isLowSurrogate(u) && !(u >= 0xDC80 && u <= 0xDCFF)) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(WholeCharacters, EveryActionCountsWholeCharacters)
{
    struct Case {
        const char *name;
        QString action;
        std::function<void(RenameSettings &)> set;
        QStringList originals;
        QStringList expected;
        QString type = QStringLiteral("TXT File");
    };
    const QString plain = QStringLiteral("File");
    const Case cases[] = {
        {"Replace First 1", "Replace First",
         [](RenameSettings &s) { s.FirstCount = "1"; s.FirstSource = "X"; }, list({"@bc.txt"}), list({"Xbc.txt"})},
        {"Replace First 2 over a raw byte", "Replace First",
         [](RenameSettings &s) { s.FirstCount = "2"; s.FirstSource = "X"; }, list({"%@c.txt"}), list({"Xc.txt"})},
        {"Replace Last 1", "Replace Last",
         [](RenameSettings &s) { s.LastCount = "1"; s.LastSource = "X"; }, list({"ab@"}), list({"abX"}), plain},
        {"Replace Mid at 2, 1", "Replace Mid",
         [](RenameSettings &s) { s.MidPosition = "2"; s.MidCount = "1"; s.MidSource = "X"; }, list({"a@b"}),
         list({"aXb"}), plain},
        {"Replace Mid past the end", "Replace Mid",
         [](RenameSettings &s) { s.MidPosition = "3"; s.MidCount = "5"; s.MidSource = "X"; }, list({"@@@@.txt"}),
         list({"@@X.txt"})},
        {"Insert at position 2", "Insert",
         [](RenameSettings &s) { s.InsertMode = 0; s.InsertPosition = "2"; s.InsertSource = "X"; }, list({"@b"}),
         list({"@Xb"}), plain},
        {"Insert at 2 from the end", "Insert",
         [](RenameSettings &s) { s.InsertMode = 1; s.InsertPosition = "2"; s.InsertSource = "X"; }, list({"b@"}),
         list({"bX@"}), plain},
        {"Insert past the end", "Insert",
         [](RenameSettings &s) { s.InsertMode = 0; s.InsertPosition = "3"; s.InsertSource = "X"; }, list({"@@.txt"}),
         list({"@@X.txt"})},
        {"Insert after a string", "Insert",
         [](RenameSettings &s) { s.InsertMode = 3; s.InsertSearchText = t("@"); s.InsertSource = "X"; },
         list({"a@@b.txt"}), list({"a@X@b.txt"})},
        {"Insert between two strings", "Insert",
         [](RenameSettings &s) {
             s.InsertMode = 4;
             s.InsertFirstText = t("@");
             s.InsertSecondText = "b";
             s.InsertSource = "X";
         },
         list({"@a@b.txt"}), list({"@a@Xb.txt"})},
        {"Length 3", "Length",
         [](RenameSettings &s) { s.LengthTarget = "3"; s.LengthTakeMode = LengthTakeOption::Beginning; },
         list({"@@@@"}), list({"@@@"}), plain},
        {"Length 1 from the end", "Length",
         [](RenameSettings &s) { s.LengthTarget = "1"; s.LengthTakeMode = LengthTakeOption::End; }, list({"ab@"}),
         list({"@"}), plain},
        {"Length 2", "Length",
         [](RenameSettings &s) { s.LengthTarget = "2"; s.LengthTakeMode = LengthTakeOption::Beginning; },
         list({"a@b.txt"}), list({"a@.txt"})},
        {"Length 2 from position 2", "Length",
         [](RenameSettings &s) {
             s.LengthTarget = "2";
             s.LengthTakeMode = LengthTakeOption::Position;
             s.LengthStartPosition = "2";
         },
         list({"%@@a.txt"}), list({"@@.txt"})},
        {"Length padded with a smile", "Length",
         [](RenameSettings &s) {
             s.LengthTarget = "4";
             s.LengthTakeMode = LengthTakeOption::Beginning;
             s.LengthPadMode = LengthPadOption::End;
             s.LengthPadEndChar = t("@x");
         },
         list({"a@.txt"}), list({"a@@@.txt"})},
        {"=Longest Original Filename Length", "Length",
         [](RenameSettings &s) {
             s.LengthTarget = "=Longest Original Filename Length";
             s.LengthPadMode = LengthPadOption::End;
             s.LengthPadEndChar = "x";
         },
         list({"@@.txt", "abc.txt", "%.txt"}), list({"@@x.txt", "abc.txt", "%xx.txt"})},
        {"=Shortest Original Filename Length", "Length",
         [](RenameSettings &s) {
             s.LengthTarget = "=Shortest Original Filename Length";
             s.LengthTakeMode = LengthTakeOption::Beginning;
         },
         list({"@@@.txt", "abcd.txt", "@@.txt"}), list({"@@.txt", "ab.txt", "@@.txt"})},
        {"Clean, special characters to blanks", "Clean",
         [](RenameSettings &s) {
             s.CleanRemoveSpecial = true;
             s.CleanReplaceMode = CleanReplaceOption::Blank;
         },
         list({"a@b"}), list({"a b"}), plain},
        {"Clean keeps a smile it is told to keep", "Clean",
         [](RenameSettings &s) {
             s.CleanRemoveSpecial = true;
             s.CleanReplaceMode = CleanReplaceOption::OwnCharacter;
             s.CleanReplaceChar = "_";
             s.CleanKeepOther = t("@");
         },
         list({"a@b%c.txt"}), list({"a@b_c.txt"})},
        {"Clean, digits to an own smile", "Clean",
         [](RenameSettings &s) {
             s.CleanClasses[Digits] = true;
             s.CleanReplaceMode = CleanReplaceOption::OwnCharacter;
             s.CleanReplaceChar = t("@x");
         },
         list({"a1b2.txt"}), list({"a@b@.txt"})},
        {"counter pad character", "Suffix",
         [](RenameSettings &s) {
             s.SuffixSource = "$Counter$";
             s.SuffixCounter.CounterPadWidth = "3";
             s.SuffixCounter.CounterPadChar = t("@");
         },
         list({"a.txt"}), list({"a@@1.txt"})},
        {"letter counter pad character", "Prefix",
         [](RenameSettings &s) {
             s.PrefixSource = "$AlphaCounter$";
             s.PrefixCounter.AlphaPadWidth = "3";
             s.PrefixCounter.AlphaPadChar = t("@");
         },
         list({"a.txt", "b.txt"}), list({"@@Aa.txt", "@@Bb.txt"})},
        {"letter counter started from a smile", "Suffix",
         [](RenameSettings &s) {
             s.SuffixSource = "$AlphaCounter$";
             s.SuffixCounter.AlphaStart = t("@");
             s.SuffixCounter.AlphaPadWidth = "0";
         },
         list({"a.txt", "b.txt"}), list({"aA.txt", "bB.txt"})},
        {"Change Case upper", "Change Case", [](RenameSettings &s) { s.CaseMode = CaseOption::Upper; },
         list({"a@b%.txt"}), list({"A@B%.txt"})},
        {"Change Case lower", "Change Case", [](RenameSettings &s) { s.CaseMode = CaseOption::Lower; },
         list({"A%@B.TXT"}), list({"a%@b.TXT"})},
        {"Change Case invert", "Change Case", [](RenameSettings &s) { s.CaseMode = CaseOption::Invert; },
         list({"a@B.txt"}), list({"A@b.txt"})},
        {"Compose", "Compose",
         [](RenameSettings &s) { s.ComposeElements = QStringList{t("@"), "$Counter$", t("%")}; },
         list({"x.txt"}), list({"@001%.txt"})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        c.set(f.settings);
        for (const QString &original : c.originals)
            f.addRow(original, c.type);
        const QStringList got = f.preview({c.action});
        EXPECT_EQ(got, c.expected) << got.join(u'|').toStdString();
        for (const QString &name : got)
            EXPECT_FALSE(holdsHalfCharacter(name)) << name.toStdString();
    }
}

TEST(WholeCharacters, StringFunctions)
{
    // Positions past the end, empty texts and the refused arguments as the classic functions.
    const QString s = t("a@%b");
    EXPECT_EQ(chars::Len(s), 4);
    EXPECT_EQ(chars::Left(s, 2), t("a@"));
    EXPECT_EQ(chars::Right(s, 3), t("@%b"));
    EXPECT_EQ(chars::Mid(s, 2, 2), t("@%"));
    EXPECT_EQ(chars::Mid(s, 3), t("%b"));
    EXPECT_EQ(chars::Mid(s, 9), QString());
    EXPECT_EQ(chars::Left(s, 9), s);
    EXPECT_EQ(chars::Right(s, 9), s);
    EXPECT_EQ(chars::InStr(s, t("b")), 4);
    EXPECT_EQ(chars::InStr(s, QString()), 1);
    EXPECT_EQ(chars::InStr(QString(), t("b")), 0);
    EXPECT_EQ(chars::First(t("@x")), Smile);
    EXPECT_EQ(chars::String(2, Smile), t("@@"));
    EXPECT_THROW(chars::Left(s, -1), vb::Error);
    EXPECT_THROW(chars::Mid(s, 0), vb::Error);
    EXPECT_THROW(chars::Mid(s, 1, -1), vb::Error);
    // A half of a pair is never found on its own.
    EXPECT_EQ(chars::InStr(s, QString(Smile[1])), 0);
    EXPECT_EQ(chars::InStr(s, QString(Smile[0])), 0);
    // Combining marks are characters of their own.
    EXPECT_EQ(chars::Len(QStringLiteral("e\u0301")), 2);
}
