#include "VbFormat.h"

#include <gtest/gtest.h>

using namespace vb;

TEST(VbFormat, DatePatternsAgainstAFixedMoment)
{
    const QDateTime pm(QDate(2026, 3, 7), QTime(14, 5, 9));
    const QDateTime am(QDate(2026, 12, 25), QTime(0, 30, 0));
    struct Case {
        const QDateTime *at;
        const char *pattern;
        const char *expected;
    } cases[] = {
        {&pm, "mm_dd_yyyy", "03_07_2026"},      {&pm, "dd.mm.yyyy", "07.03.2026"},
        {&pm, "mmddyy", "030726"},              {&pm, "yyyymmdd", "20260307"},
        {&pm, "yy_mm_dd", "26_03_07"},          {&pm, "hhmmss", "140509"},
        {&pm, "hh_mm_ss", "14_05_09"},          {&pm, "hhmm", "1405"},
        {&pm, "hhmmss_AM/PM", "020509_PM"},     {&pm, "hh_mm_ss AM/PM", "02_05_09 PM"},
        {&am, "hhmmss_AM/PM", "123000_AM"},     {&am, "hh:mm am/pm", "12:30 am"},
        {&pm, "YYYYMMDDHhNnSs", "20260307140509"}, {&pm, "MMM DD, YYYY", "Mar 07, 2026"},
        {&pm, "mmmm", "March"},                 {&pm, "dddd", "Saturday"},
        {&pm, "ddd", "Sat"},                    {&pm, "d/m/yy", "7/3/26"},
        {&pm, "\\h\"at\"hh", "hat14"},          {&pm, "long date", "Saturday, March 7, 2026"},
        {&pm, "Long Time", "2:05:09 PM"},       {&pm, "Short Date", "3/7/2026"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(Format(*c.at, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.expected));
    }
    EXPECT_EQ(Weekday(QDate(2026, 3, 8)), 1); // Sunday
    EXPECT_EQ(Weekday(QDate(2026, 3, 7)), 7);
}

TEST(VbFormat, NumberPatterns)
{
    struct Case {
        double value;
        const char *pattern;
        const char *expected;
    } cases[] = {
        {1234567, "#,###,###", "1,234,567"}, {0, "#,###,###", ""},          {1.5, "#,###,###", "2"},
        {2.5, "#,###,###", "3"},             {999.5, "#,###,###", "1,000"}, {1234, "#,###,###", "1,234"},
        {0.25, "0.0", "0.3"},                {2.675, "0.00", "2.68"},       {-1.25, "0.0", "-1.3"},
        {5, "00", "05"},                     {123, "00", "123"},            {7, "0000", "0007"},
        {0.125, "######.####", ".125"},      {0.0104166, "#.#####", ".01042"}, {5, "#.##", "5."},
        {3, "000000", "000003"},              {0.5, "0%", "50%"},
        {12.5, "", "12.5"},
        // Sections for negative and zero values, and a negative that rounds to nothing.
        {-1.5, "0.0;(0.0)", "(1.5)"},         {-1.5, "0.0;", "-1.5"},         {0, "0;-0;zero", "zero"},
        {0, "0;-0;", "0"},                    {-0.0001, "0.00", "0.00"},      {7, "abc", "abc"},
        // Grouping counts the padding zeros; a carry runs through the whole number; the
        // digits are the 15 significant ones.
        {5, "000,000", "000,005"},            {1234567.891, "#,##0.00", "1,234,567.89"},
        {99999.96, "0.0", "100000.0"},        {1e-20, "0.000", "0.000"},
        {123456789012345678.0, "0", "123456789012346000"}, {0.5, "x0.0y", "x0.5y"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.value));
        EXPECT_EQ(Format(c.value, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.expected));
    }
    const QString key = QString(20, u'0') + u'.' + QString(10, u'0');
    EXPECT_EQ(Format(42.5, key), QStringLiteral("00000000000000000042.5000000000"));
}
