#include "VbConvert.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(VbConvert, CIntRoundsHalfToEvenAndChecksRange)
{
    struct Case {
        const char *text;
        bool ok;
        int value;
        int error;
    } cases[] = {
        {"2.5", true, 2, 0},        {"3.5", true, 4, 0},         {"-0.5", true, 0, 0},
        {"-1.5", true, -2, 0},      {"0.4999", true, 0, 0},      {"32767", true, 32767, 0},
        {"-32768", true, -32768, 0}, {"32768", false, 0, Overflow}, {"-32769", false, 0, Overflow},
        {"32767.5", false, 0, Overflow}, {"  12  ", true, 12, 0}, {"1,000", true, 1000, 0},
        {"1e3", true, 1000, 0},     {"&HFF", true, 255, 0},      {"&HFFFF", true, -1, 0},
        {"abc", false, 0, TypeMismatch}, {"", false, 0, TypeMismatch}, {"12abc", false, 0, TypeMismatch},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        auto r = CInt(QString::fromLatin1(c.text));
        EXPECT_EQ(r.ok(), c.ok);
        if (c.ok) {
            EXPECT_EQ(r.value(), c.value);
        } else {
            EXPECT_EQ(r.error(), c.error);
        }
    }
}

TEST(VbConvert, CLngUses32BitRange)
{
    EXPECT_EQ(CLng(QStringLiteral("40000")).value(), 40000);
    EXPECT_EQ(CLng(QStringLiteral("2147483647")).value(), 2147483647);
    EXPECT_EQ(CLng(QStringLiteral("2147483648")).error(), Overflow);
    EXPECT_EQ(CLng(QStringLiteral("4.5")).value(), 4);
    EXPECT_EQ(CLng(QStringLiteral("x")).error(), TypeMismatch);
}

TEST(VbConvert, FailedValueThrowsItsError)
{
    auto r = CInt(QStringLiteral("40000"));
    try {
        (void)r.value();
        FAIL() << "no error raised";
    } catch (const Error &e) {
        EXPECT_EQ(e.number(), Overflow);
        EXPECT_EQ(e.description(), QStringLiteral("Overflow"));
    }
    EXPECT_EQ(r.valueOr(7), 7);
}

TEST(VbConvert, CSngCBoolCDbl)
{
    EXPECT_FLOAT_EQ(CSng(QStringLiteral("1.25")).value(), 1.25f);
    EXPECT_EQ(CSng(QStringLiteral("1e39")).error(), Overflow);
    EXPECT_EQ(CSng(QStringLiteral("-")).error(), TypeMismatch);
    EXPECT_DOUBLE_EQ(CDbl(QStringLiteral("-3.75")).value(), -3.75);

    struct Case {
        const char *text;
        bool ok;
        bool value;
    } bools[] = {{"True", true, true}, {"false", true, false}, {"TRUE", true, true}, {"0", true, false},
                 {"-1", true, true},   {"2", true, true},      {"yes", false, false}, {"", false, false}};
    for (const Case &c : bools) {
        SCOPED_TRACE(c.text);
        auto r = CBool(QString::fromLatin1(c.text));
        ASSERT_EQ(r.ok(), c.ok);
        if (c.ok) {
            EXPECT_EQ(r.value(), c.value);
        }
    }
}

TEST(VbConvert, ValReadsTheLeadingNumberAndNeverFails)
{
    struct Case {
        const char *text;
        double value;
    } cases[] = {{"", 0},          {"abc", 0},        {"12abc", 12},    {" 1 2 3", 123},
                 {"-4.5x", -4.5},  {"1e2", 100},      {"2.5.6", 2.5},   {"&H10", 16},
                 {".5", 0.5},      {"1e", 1},         {"+7", 7},        {"--1", 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(VbConvert, CDateReadsCommonForms)
{
    // A date text is a wall-clock time: its date and time are those written, in any time zone.
    EXPECT_EQ(CDate(QStringLiteral("2024/03/05 14:07:09")).value(),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC));
    EXPECT_EQ(CDate(QStringLiteral("3/5/2024 2:07:09 PM")).value(),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC));
    // An hour that a daylight-saving change skips in North America reads as any other.
    EXPECT_EQ(CDate(QStringLiteral("2024/03/10 02:30:00")).value(),
              QDateTime(QDate(2024, 3, 10), QTime(2, 30), Qt::UTC));
    EXPECT_EQ(CDate(QStringLiteral("2024-03-05")).value().date(), QDate(2024, 3, 5));
    EXPECT_FALSE(CDate(QStringLiteral("not a date")).ok());
    EXPECT_FALSE(CDate(QString()).ok());
}
