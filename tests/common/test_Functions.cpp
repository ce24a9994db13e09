#include "Functions.h"
#include "RandomSource.h"
#include "TestFiles.h"
#include "VbError.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace common;

TEST(Functions, FixPathAppendsOneSeparatorToTheCallersVariable)
{
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {{"/home/a", "/home/a/"}, {"/home/a/", "/home/a/"}, {"", "/"}, {"desktop", "desktop/"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        QString path = QString::fromLatin1(c.in);
        EXPECT_EQ(FixPath(path), QString::fromLatin1(c.out));
        EXPECT_EQ(path, QString::fromLatin1(c.out));
    }
    QString word = QStringLiteral("Desktop");
    const QString desktop = FixPath(word);
    EXPECT_EQ(word, QStringLiteral("Desktop"));
    EXPECT_EQ(desktop, GetDesktopPath() + u'/');
    EXPECT_FALSE(GetDesktopPath().endsWith(u'/'));
}

TEST(Functions, ParentFolder)
{
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {{"/a/b/", "/a/"}, {"/a/b", "/a/"}, {"/a/", "/"}, {"/a", "/"},
                 {"/", "/"},       {"ab", "ab"},    {"", ""},     {"rel/x", "rel/"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ParentFolder(QString::fromLatin1(c.in)), QString::fromLatin1(c.out));
    }
}

TEST(Functions, RandomStringFromMaskDrawsFromEachSet)
{
    VbRandom random;
    for (int round = 0; round < 50; ++round) {
        const QString s = RandomStringFromMask(QStringLiteral("AA-##-aa NH"), random);
        ASSERT_EQ(s.size(), 11);
        EXPECT_TRUE(s[0].isUpper() && s[1].isUpper());
        EXPECT_EQ(s[2], u'-');
        EXPECT_TRUE(s[3].isDigit() && s[4].isDigit());
        EXPECT_TRUE(s[6].isLower() && s[7].isLower());
        EXPECT_TRUE(s[9].isLetterOrNumber());
        EXPECT_TRUE(QStringLiteral("0123456789ABCDEF").contains(s[10]));
    }
    EXPECT_EQ(RandomStringFromMask(QStringLiteral("nh ,.!"), random), QStringLiteral("nh ,.!"));
    EXPECT_EQ(RandomStringFromMask(QString(), random), QString());

    // The draw picks position Int(r * length) + 1 of the set.
    FixedRandom fixed({0.0f, 0.999f, 0.5f, 0.99f});
    EXPECT_EQ(RandomStringFromMask(QStringLiteral("AA#N"), fixed), QStringLiteral("AZ59"));
}

namespace {

// How many texts of `texts` equal an earlier one.
int repeats(const QStringList &texts)
{
    QSet<QString> seen;
    int count = 0;
    for (const QString &t : texts) {
        if (seen.contains(t))
            ++count;
        seen.insert(t);
    }
    return count;
}

} // namespace

TEST(Functions, RandomStringsWithinOneTimerTickDoNotRepeat)
{
    // "AAaa##" has 45,697,600 texts, but the generator's 24-bit state and the correlation of
    // its consecutive outputs make 10,000 draws repeat about three or four times, now and then
    // ten. The limit leaves room for chance and none for restarted sequences (which gave a few
    // hundred distinct texts in all, thousands of repeats).
    constexpr int Limit = 50;
    VbRandom random;
    random.randomize();
    QStringList drawn;
    for (int i = 0; i < 10000; ++i)
        drawn << RandomStringFromMask(QStringLiteral("AAaa##"), random);
    EXPECT_LE(repeats(drawn), Limit);

    // Re-seeding with one and the same timer reading between the draws, as runs started
    // within one tick do, continues the sequence instead of restarting it.
    drawn.clear();
    for (int i = 0; i < 10000; ++i) {
        random.randomize(45296.125);
        drawn << RandomStringFromMask(QStringLiteral("AAaa##"), random);
    }
    EXPECT_LE(repeats(drawn), Limit);
}

TEST(Functions, GetFileCountCountsOnlyFilesAndReportsMissingFolders)
{
    QTemporaryDir tmp;
    testfiles::writeFile(tmp.filePath("a.txt"), "a");
    testfiles::writeFile(tmp.filePath(".hidden"), "h");
    testfiles::writeFile(tmp.filePath("sub/b.txt"), "b");
    EXPECT_EQ(GetFileCount(tmp.path()), 2);
    try {
        (void)GetFileCount(tmp.filePath("missing"));
        FAIL() << "no error raised";
    } catch (const vb::Error &e) {
        EXPECT_EQ(e.number(), 1);
        EXPECT_EQ(e.description(), QStringLiteral("Error form Functions.GetFileCount Invalid path  given"));
    }
}

TEST(Functions, UnitConverters)
{
    EXPECT_FLOAT_EQ(CharactersPerPixel(), 0.125f);
    EXPECT_FLOAT_EQ(InchesPerPixel(), 0.01042f);
    EXPECT_FLOAT_EQ(PointsPerPixel(), 0.01042f * 72);
    EXPECT_FLOAT_EQ(CentimetresPerPixel(), 0.02646f);
    EXPECT_FLOAT_EQ(WidthInPixels(1500, 1), 100.0f);
    EXPECT_FLOAT_EQ(WidthInPixels(40, 3), 40.0f);
    EXPECT_FLOAT_EQ(WidthInPixels(40, 0), 0.0f);
    EXPECT_EQ(twipsToPixels(1440), 96);
}
