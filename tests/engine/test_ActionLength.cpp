#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

namespace {

constexpr auto Beginning = LengthTakeOption::Beginning;
constexpr auto End = LengthTakeOption::End;
constexpr auto Position = LengthTakeOption::Position;
constexpr auto PadStart = LengthPadOption::Beginning;
constexpr auto PadEnd = LengthPadOption::End;

} // namespace

TEST(Length, TypedLength)
{
    struct Case {
        const char *target;
        LengthTakeOption take;
        const char *start;
        LengthPadOption pad;
        const char *padStart;
        const char *padEnd;
        const char *original;
        QString type;
        const char *expected;
    } cases[] = {
        {"5", Beginning, "1", PadEnd, "0", "0", "ab.txt", "TXT File", "ab000.txt"},
        {"5", Beginning, "1", PadEnd, "0", "0", "abcdefg.txt", "TXT File", "abcde.txt"},
        {"5", End, "1", PadStart, "x", "0", "abcdefg", "File", "cdefg"},
        {"5", End, "1", PadStart, "x", "0", "ab", "File", "xxxab"},
        {"5", End, "1", LengthPadOption::None, "x", "y", "ab", "File", "abyyy"},
        {"3", Position, "2", PadStart, "0", "0", "abcdef", "File", "bcd"},
        {"3", Position, "9", PadStart, "0", "0", "abc", "File", "000"},
        {"4", Position, "3", PadEnd, "0", "-", "abcd", "File", "cd--"},
        {"3", LengthTakeOption::None, "2", PadStart, "0", "0", "abcdef", "File", "bcd"},
        {"0", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", ".txt"},
        {"0", Beginning, "1", PadStart, "0", "0", "abc", "File", "abc"},
        {"2.5", Beginning, "1", PadStart, "0", "0", "abcdef", "File", "ab"},
        {"2", Beginning, "1", PadStart, "0", "0", "my.dir", "File Folder", "my"},
        {"Enter File Length", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", "abc.txt"},
        {"abc", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", "abc.txt"},
        {"", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", "abc.txt"},
        {"-1", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", "abc.txt"},
        {"40000", Beginning, "1", PadStart, "0", "0", "abc.txt", "TXT File", "abc.txt"},
        {"3", Position, "0", PadStart, "0", "0", "abcdef", "File", "abcdef"},
        {"3", Position, "x", PadStart, "0", "0", "abcdef", "File", "abcdef"},
        // An empty pad box fails only rows that need padding.
        {"5", Beginning, "1", PadStart, "", "0", "ab", "File", "ab"},
        {"2", Beginning, "1", PadStart, "", "", "abcdef", "File", "ab"},
        {"=longest original filename length", Beginning, "1", PadStart, "0", "0", "ab", "File",
         "ab"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 start=%2 on %3").arg(c.target, c.start, c.original)
                         .toStdString());
        EngineFixture f;
        RenameSettings &s = f.settings;
        s.LengthTarget = QString::fromLatin1(c.target);
        s.LengthTakeMode = c.take;
        s.LengthStartPosition = QString::fromLatin1(c.start);
        s.LengthPadMode = c.pad;
        s.LengthPadStartChar = QString::fromLatin1(c.padStart);
        s.LengthPadEndChar = QString::fromLatin1(c.padEnd);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Length")}),
                  QStringList{QString::fromLatin1(c.expected)});
    }
}

TEST(Length, LengthsOfTheColumns)
{
    struct Case {
        const char *target;
        LengthTakeOption take;
        QStringList previewsBefore;  // the Preview column as an earlier run left it
        QStringList expected;
    } cases[] = {
        {"=Longest Original Filename Length", End, {"", "", ""},
         {"000a.txt", "00ab.txt", "abcd"}},
        {"=Shortest Original Filename Length", Beginning, {"", "", ""},
         {"a.txt", "a.txt", "a"}},
        {"=Shortest Original Filename Length", End, {"", "", ""}, {"a.txt", "b.txt", "d"}},
        {"=Shortest Original Filename Length", Position, {"", "", ""}, {"a.txt", "a.txt", "a"}},
        {"=Longest Modified Filename Length", Beginning, {"abcdef.txt", "x", "y.z"},
         {"00000a.txt", "0000ab.txt", "00abcd"}},
        {"=Shortest Modified Filename Length", End, {"abcdef.txt", "xy", "y.z"},
         {"a.txt", "ab.txt", "cd"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 take %2").arg(c.target).arg(int(c.take)).toStdString());
        EngineFixture f;
        f.settings.LengthTarget = QString::fromLatin1(c.target);
        f.settings.LengthTakeMode = c.take;
        f.settings.LengthPadMode = LengthPadOption::Beginning;
        f.addRow(QStringLiteral("a.txt"));
        f.addRow(QStringLiteral("ab.txt"));
        f.addRow(QStringLiteral("abcd"), QStringLiteral("File Folder"));
        for (size_t row = 1; row <= 3; ++row)
            f.grid.row(row).Preview = c.previewsBefore[qsizetype(row - 1)];
        EXPECT_EQ(f.preview({QStringLiteral("Length")}), c.expected);
    }
}

TEST(Length, LongestLengthNeverCuts)
{
    EngineFixture f;
    f.settings.LengthTarget = QStringLiteral("=Longest Original Filename Length");
    f.settings.SuffixSource = QStringLiteral("XYZ");
    f.addRow(QStringLiteral("abc.txt"));
    f.addRow(QStringLiteral("a.txt"));
    // "Suffix" comes before "Length" in the list: abcXYZ is longer than the longest original.
    EXPECT_EQ(f.preview({QStringLiteral("Suffix"), QStringLiteral("Length")}),
              (QStringList{"abcXYZ.txt", "aXYZ.txt"}));
}
