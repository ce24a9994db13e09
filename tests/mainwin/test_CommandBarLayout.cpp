#include "CommandBarLayout.h"
#include "SkinFile.h"

#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainwin;

TEST(CommandBarLayout, RoundTripThroughTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KVX.xcb"));
    CommandBarLayout layout;
    layout.bars = {{QStringLiteral("Standard"), QStringLiteral("Top"), true, false},
                   {QStringLiteral("View"), QStringLiteral("Left"), false, true},
                   {QStringLiteral("Help"), QStringLiteral("Bottom"), true, false}};
    ASSERT_TRUE(layout.save(path));
    EXPECT_TRUE(testfiles::readFile(path).startsWith("Morvane Command Bars\r\nBar=Standard|Area=Top|Visible=1|Break=0\r\n"));
    const auto back = CommandBarLayout::load(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, layout);
}

TEST(CommandBarLayout, RefusesAnythingElse)
{
    const QString head = CommandBarLayout::Header();
    const QString good = QStringLiteral("Bar=View|Area=Top|Visible=1|Break=0");
    QStringList tooMany{head};
    for (int i = 0; i < 40; ++i)
        tooMany << QStringLiteral("Bar=B%1|Area=Top|Visible=1|Break=0").arg(i);
    struct Case {
        const char *what;
        QStringList lines;
    };
    const Case cases[] = {
        {"empty", {}},
        {"other header", {QStringLiteral("Other Command Bars"), good}},
        {"bad area", {head, QStringLiteral("Bar=View|Area=Middle|Visible=1|Break=0")}},
        {"bad flag", {head, QStringLiteral("Bar=View|Area=Top|Visible=yes|Break=0")}},
        {"missing pair", {head, QStringLiteral("Bar=View|Area=Top|Visible=1")}},
        {"pairs out of order", {head, QStringLiteral("Area=Top|Bar=View|Visible=1|Break=0")}},
        {"no name", {head, QStringLiteral("Bar=|Area=Top|Visible=1|Break=0")}},
        {"repeated bar", {head, good, good}},
        {"too many bars", tooMany},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(CommandBarLayout::parse(c.lines));
    }
    EXPECT_TRUE(CommandBarLayout::parse({head, QString(), good}));
    EXPECT_FALSE(CommandBarLayout::load(QStringLiteral("/nonexistent/KVX.xcb")));
}

TEST(SkinFile, WellFormedSheets)
{
    struct Case {
        const char *sheet;
        bool ok;
    };
    const Case cases[] = {
        {"QWidget { color: red; }", true},
        {"/* c { */ QLabel#a { qproperty-text: \"}\"; } QPushButton:hover {}", true},
        {"", false},
        {"   \n", false},
        {"QWidget { color: red; ", false},
        {"QWidget color: red; }", false},
        {"{ color: red; }", false},
        {"A { B { } }", false},
        {"A { } trailing", false},
        {"/* open comment", false},
        {"A { x: \"open }", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sheet);
        EXPECT_EQ(SkinFile::wellFormed(QString::fromUtf8(c.sheet)), c.ok);
    }
}

TEST(SkinFile, LoadRefusesBrokenFilesAndTakesTheShippedSkin)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(SkinFile::FileName());
    EXPECT_FALSE(SkinFile::load(path));
    testfiles::writeFile(path, QByteArray("QWidget { color: \xff\xfe; }"));
    EXPECT_FALSE(SkinFile::load(path));
    testfiles::writeFile(path, QByteArray(600 * 1024, ' ') + "A {}");
    EXPECT_FALSE(SkinFile::load(path));
    testfiles::writeFile(path, "QWidget { color: red; }");
    EXPECT_EQ(SkinFile::load(path).value_or(QString()), QStringLiteral("QWidget { color: red; }"));

    const QString shipped = qEnvironmentVariable("MORVANE_SOURCE_DIR") + QStringLiteral("/src/mainwin/assets/Royale.cjstyles");
    EXPECT_TRUE(SkinFile::load(shipped));
}
