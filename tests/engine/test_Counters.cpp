#include "EngineFixture.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(NextAlphaCounter, StepsLikeAnOdometer)
{
    struct Case {
        const char *text;
        int limit;
        int steps;
        const char *expected;
    } cases[] = {
        {"A", 90, 1, "B"},   {"AZ", 90, 1, "BA"}, {"Z", 90, 1, "AA"},  {"ZZ", 90, 1, "AAA"},
        {"z", 122, 1, "aa"}, {"az", 122, 1, "ba"}, {"Z", 90, 2, "AB"}, {"Y", 90, 2, "AA"},
        {"", 90, 1, "A"},    {"", 122, 1, "a"},   {"B", 90, 0, "B"},   {"B", 90, -3, "B"},
        {"A", 90, 27, "AB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 +%2").arg(c.text).arg(c.steps).toStdString());
        EXPECT_EQ(NextAlphaCounter(QString::fromLatin1(c.text), c.limit, c.steps),
                  QString::fromLatin1(c.expected));
    }
}

namespace {

struct CounterCase {
    const char *name;
    void (*setup)(CounterSettings &);
    QStringList expected;
};

QStringList numbers(const CounterSettings &settings, int count)
{
    CounterState state;
    resetCounter(settings, state);
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(nextCounterValue(settings, state));
    return out;
}

QStringList letters(const CounterSettings &settings, int count)
{
    CounterState state;
    resetCounter(settings, state);
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(nextAlphaCounterValue(settings, state));
    return out;
}

} // namespace

TEST(Counter, NumericSequences)
{
    const CounterCase cases[] = {
        {"defaults", [](CounterSettings &) {}, {"001", "002", "003"}},
        {"no cutting", [](CounterSettings &s) { s.CounterStart = "1000"; }, {"1000", "1001"}},
        {"step 0", [](CounterSettings &s) { s.CounterStep = "0"; }, {"001", "001", "001"}},
        {"step -1: pad before the minus", [](CounterSettings &s) { s.CounterStep = "-1"; },
         {"001", "000", "0-1", "0-2"}},
        {"first pad character only", [](CounterSettings &s) { s.CounterPadChar = "xy"; },
         {"xx1", "xx2"}},
        {"prefix and suffix", [](CounterSettings &s) { s.CounterPrefix = "<"; s.CounterSuffix = ">"; },
         {"<001>", "<002>"}},
        {"pad width 0", [](CounterSettings &s) { s.CounterPadWidth = "0"; }, {"1", "2"}},
        {"empty pad character: no padding", [](CounterSettings &s) { s.CounterPadChar = ""; },
         {"1", "2"}},
        {"start rounds half to even", [](CounterSettings &s) { s.CounterStart = "2.5"; s.CounterStep = "1.5"; },
         {"002", "004"}},
        {"negative start", [](CounterSettings &s) { s.CounterStart = "-5"; s.CounterStep = "5"; },
         {"0-5", "000", "005"}},
    };
    for (const CounterCase &c : cases) {
        SCOPED_TRACE(c.name);
        CounterSettings settings;
        c.setup(settings);
        EXPECT_EQ(numbers(settings, int(c.expected.size())), c.expected);
    }
}

TEST(Counter, LetterSequences)
{
    const CounterCase cases[] = {
        {"defaults", [](CounterSettings &) {}, {"00A", "00B", "00C"}},
        {"rolls over", [](CounterSettings &s) { s.AlphaStart = "Z"; }, {"00Z", "0AA", "0AB"}},
        {"lower case",
         [](CounterSettings &s) {
             s.AlphaStart = "z";
             s.AlphaCase = AlphaCaseOption::Lowercase;
         },
         {"00z", "0aa"}},
        {"step 2, no padding",
         [](CounterSettings &s) {
             s.AlphaStart = "Y";
             s.AlphaStep = "2";
             s.AlphaPadWidth = "0";
         },
         {"Y", "AA", "AC"}},
        {"first pad character only", [](CounterSettings &s) { s.AlphaPadChar = "-+"; }, {"--A", "--B"}},
        {"prefix and suffix", [](CounterSettings &s) { s.AlphaPrefix = "["; s.AlphaSuffix = "]"; },
         {"[00A]", "[00B]"}},
        {"empty start stays empty once", [](CounterSettings &s) { s.AlphaStart = ""; },
         {"000", "00A", "00B"}},
        {"step 0", [](CounterSettings &s) { s.AlphaStep = "0"; }, {"00A", "00A"}},
        {"negative step", [](CounterSettings &s) { s.AlphaStep = "-2"; }, {"00A", "00A"}},
    };
    for (const CounterCase &c : cases) {
        SCOPED_TRACE(c.name);
        CounterSettings settings;
        c.setup(settings);
        EXPECT_EQ(letters(settings, int(c.expected.size())), c.expected);
    }
}

TEST(Counter, ResetOfTheLetterStart)
{
    struct Case {
        const char *start;
        AlphaCaseOption alphaCase;
        const char *letters;
        int limit;
    } cases[] = {
        {"c", AlphaCaseOption::Lowercase, "c", 122},
        {"c", AlphaCaseOption::Uppercase, "C", 90},
        {"b2", AlphaCaseOption::Uppercase, "AA", 90},
        {"b2", AlphaCaseOption::Lowercase, "aa", 122},
        {"", AlphaCaseOption::Uppercase, "", 90},
        {"a b", AlphaCaseOption::Uppercase, "AAA", 90},
        {"\xc3\xa9", AlphaCaseOption::Uppercase, "A", 90},
        {"Ab", AlphaCaseOption::None, "AB", 90},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        CounterSettings settings;
        settings.AlphaStart = QString::fromUtf8(c.start);
        settings.AlphaCase = c.alphaCase;
        CounterState state;
        resetCounter(settings, state);
        EXPECT_EQ(state.AlphaCounterValue, QString::fromLatin1(c.letters));
        EXPECT_EQ(state.AlphaCounterLimit, c.limit);
    }
}

TEST(Counter, StartThatDoesNotConvertKeepsTheRunningValue)
{
    for (const char *start : {"abc", "", "40000", "-32769"}) {
        SCOPED_TRACE(start);
        CounterSettings settings;
        settings.CounterStart = QString::fromLatin1(start);
        CounterState state;
        state.CounterValue = 17;
        resetCounter(settings, state);
        EXPECT_EQ(state.CounterValue, 17);
    }
}

TEST(Counter, FailuresLeaveTheStateUntouched)
{
    struct Case {
        const char *name;
        void (*setup)(CounterSettings &);
        bool letters;
    } cases[] = {
        {"pad width not a number", [](CounterSettings &s) { s.CounterPadWidth = "abc"; }, false},
        {"pad width beyond 16 bits", [](CounterSettings &s) { s.CounterPadWidth = "40000"; }, false},
        {"empty step", [](CounterSettings &s) { s.CounterStep = ""; }, false},
        {"step beyond 16 bits", [](CounterSettings &s) { s.CounterStep = "32768"; }, false},
        {"letter pad width", [](CounterSettings &s) { s.AlphaPadWidth = "x"; }, true},
        {"letter step", [](CounterSettings &s) { s.AlphaStep = "99999"; }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CounterSettings settings;
        c.setup(settings);
        CounterState state;
        state.CounterValue = 7;
        state.AlphaCounterValue = QStringLiteral("C");
        state.AlphaCounterLimit = 90;
        if (c.letters)
            EXPECT_THROW(nextAlphaCounterValue(settings, state), vb::Error);
        else
            EXPECT_THROW(nextCounterValue(settings, state), vb::Error);
        EXPECT_EQ(state.CounterValue, 7);
        EXPECT_EQ(state.AlphaCounterValue, QStringLiteral("C"));
    }
}

TEST(Counter, LeavingThe32BitRangeIsAFailure)
{
    CounterSettings settings;
    settings.CounterStep = "2";
    CounterState state;
    state.CounterValue = INT32_MAX - 1;
    EXPECT_THROW(nextCounterValue(settings, state), vb::Error);
    EXPECT_EQ(state.CounterValue, INT32_MAX - 1);

    settings.CounterStep = "1";
    EXPECT_EQ(nextCounterValue(settings, state), QString::number(INT32_MAX - 1));
    EXPECT_EQ(state.CounterValue, INT32_MAX);
}
