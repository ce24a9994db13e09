#include "VbError.h"
#include "VbString.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {
int errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.number();
    }
    return 0;
}
} // namespace

TEST(VbString, InStrAtItsEdges)
{
    struct Case {
        int start;
        const char *text;
        const char *find;
        Compare cmp;
        int expected;
    } cases[] = {
        {1, "abcabc", "bc", Compare::Binary, 2}, {3, "abcabc", "bc", Compare::Binary, 5},
        {6, "abcabc", "bc", Compare::Binary, 0}, {7, "abcabc", "a", Compare::Binary, 0},
        {1, "abc", "", Compare::Binary, 1},      {3, "abc", "", Compare::Binary, 3},
        {4, "abc", "", Compare::Binary, 0},      {1, "", "", Compare::Binary, 0},
        {1, "", "a", Compare::Binary, 0},        {1, "ABC", "b", Compare::Binary, 0},
        {1, "ABC", "b", Compare::Text, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.start).arg(c.text, c.find).toStdString());
        EXPECT_EQ(InStr(c.start, QString::fromLatin1(c.text), QString::fromLatin1(c.find), c.cmp), c.expected);
    }
    EXPECT_EQ(errorOf([] { (void)InStr(0, QStringLiteral("a"), QStringLiteral("a")); }), InvalidProcedureCall);
}

TEST(VbString, InStrRevFindsTheLastMatchEndingBeforeStart)
{
    const QString s = QStringLiteral("a.b.c");
    EXPECT_EQ(InStrRev(s, QStringLiteral(".")), 4);
    EXPECT_EQ(InStrRev(s, QStringLiteral("."), 3), 2);
    EXPECT_EQ(InStrRev(s, QStringLiteral("x")), 0);
    EXPECT_EQ(InStrRev(s, QString()), 5);
    EXPECT_EQ(InStrRev(s, QStringLiteral("."), 9), 0);
    EXPECT_EQ(InStrRev(QStringLiteral("A.B"), QStringLiteral("b"), -1, Compare::Text), 3);
    EXPECT_EQ(errorOf([&] { (void)InStrRev(s, QStringLiteral("."), 0); }), InvalidProcedureCall);
}

TEST(VbString, LeftRightMid)
{
    const QString s = QStringLiteral("abcdef");
    EXPECT_EQ(Left(s, 2), QStringLiteral("ab"));
    EXPECT_EQ(Left(s, 99), s);
    EXPECT_EQ(Right(s, 2), QStringLiteral("ef"));
    EXPECT_EQ(Right(s, 0), QString());
    EXPECT_EQ(Mid(s, 3), QStringLiteral("cdef"));
    EXPECT_EQ(Mid(s, 3, 2), QStringLiteral("cd"));
    EXPECT_EQ(Mid(s, 7), QString());
    EXPECT_EQ(Mid(s, 5, 10), QStringLiteral("ef"));
    EXPECT_EQ(errorOf([&] { (void)Left(s, -1); }), InvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { (void)Right(s, -1); }), InvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { (void)Mid(s, 0); }), InvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { (void)Mid(s, 2, -1); }), InvalidProcedureCall);

    QString t = QStringLiteral("abcdef");
    MidAssign(t, 2, 3, QStringLiteral("XYZW"));
    EXPECT_EQ(t, QStringLiteral("aXYZef"));
    MidAssign(t, 5, 9, QStringLiteral("1234"));
    EXPECT_EQ(t, QStringLiteral("aXYZ12"));
    EXPECT_EQ(errorOf([&] { MidAssign(t, 7, 1, QStringLiteral("x")); }), InvalidProcedureCall);
}

TEST(VbString, ReplaceLikeTheRuntime)
{
    struct Case {
        const char *text, *find, *with;
        int start, count;
        Compare cmp;
        const char *expected;
    } cases[] = {
        {"aXbXc", "X", "-", 1, -1, Compare::Binary, "a-b-c"},
        {"aXbXc", "x", "-", 1, -1, Compare::Binary, "aXbXc"},
        {"aXbXc", "x", "-", 1, -1, Compare::Text, "a-b-c"},
        {"aXbXc", "X", "-", 1, 1, Compare::Binary, "a-bXc"},
        {"aXbXc", "X", "-", 3, -1, Compare::Binary, "b-c"}, // the result starts at `start`
        {"aXbXc", "X", "-", 9, -1, Compare::Binary, ""},
        {"abc", "", "-", 1, -1, Compare::Binary, "abc"},
        {"abc", "b", "", 1, -1, Compare::Binary, "ac"},
        {"aaa", "aa", "b", 1, -1, Compare::Binary, "ba"},
        {"abc", "b", "x", 1, 0, Compare::Binary, "abc"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Replace(QString::fromLatin1(c.text), QString::fromLatin1(c.find), QString::fromLatin1(c.with),
                          c.start, c.count, c.cmp),
                  QString::fromLatin1(c.expected));
    }
    EXPECT_EQ(errorOf([] { (void)Replace(QStringLiteral("a"), QStringLiteral("a"), {}, 0); }), InvalidProcedureCall);
}

TEST(VbString, CaseAndTrim)
{
    EXPECT_EQ(ProperCase(QStringLiteral("hELLO wORLD-foo\tbar")), QStringLiteral("Hello World-foo\tBar"));
    EXPECT_EQ(UCase(QStringLiteral("éa")), QStringLiteral("ÉA"));
    EXPECT_EQ(Trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
    EXPECT_EQ(LTrim(QStringLiteral("\ta ")), QStringLiteral("\ta "));
}

TEST(VbString, LikeMatchesFileMasks)
{
    struct Case {
        const char *text, *pattern;
        Compare cmp;
        bool expected;
    } cases[] = {
        {"photo.JPG", "*.jpg", Compare::Text, true}, {"photo.JPG", "*.jpg", Compare::Binary, false},
        {"a.txt", "*.*", Compare::Text, true},       {"README", "*.*", Compare::Text, false},
        {"a1.txt", "a#.txt", Compare::Text, true},   {"ab.txt", "a#.txt", Compare::Text, false},
        {"abc", "a?c", Compare::Text, true},         {"b", "[a-c]", Compare::Text, true},
        {"d", "[!a-c]", Compare::Text, true},        {"", "*", Compare::Text, true},
        {"x.tar.gz", "*.gz", Compare::Text, true},   {"abc", "a*c*", Compare::Text, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " like " + c.pattern);
        EXPECT_EQ(Like(QString::fromLatin1(c.text), QString::fromLatin1(c.pattern), c.cmp), c.expected);
    }
}
