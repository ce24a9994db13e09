#include "BodyFixture.h"
#include "RenameDropFile.h"
#include "RenameSettingsBody.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settingsfiles;
using engine::RenameSettings;

namespace {

QStringList changedBody(RenameSettings &s, RenameWindowState &w)
{
    bodyfixture::changeEverything(s, w);
    QStringList lines;
    EXPECT_TRUE(WriteRenameSettingsBody(s, w, lines).isOk());
    return lines;
}

} // namespace

TEST(RenameDropFile, DefaultSettingsGiveTheGoldenFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("default.rnp");
    ASSERT_TRUE(WriteRenameDropFile(path, RenameSettings(), RenameWindowState()).isOk());

    const QByteArray bytes = testfiles::readFile(path);
    EXPECT_EQ(bytes, bodyfixture::fileBytes(bodyfixture::defaultBodyLines()));
    EXPECT_EQ(bytes.count("\r\n"), 221);
    EXPECT_EQ(bytes.count('\n'), 221);
    EXPECT_TRUE(bytes.startsWith("Replace\r\nFalse\r\nReplace First\r\n"));
    EXPECT_TRUE(bytes.endsWith("AAaa##\r\n1\r\n\r\n\r\n3\r\n0\r\nTrue\r\n"));
}

TEST(RenameDropFile, RoundTripBringsBackWhatTheFileHoldsAndKeepsTheRest)
{
    RenameSettings source;
    RenameWindowState sourceState;
    bodyfixture::changeEverything(source, sourceState);
    bodyfixture::changeUnstored(source, "source");

    QTemporaryDir dir;
    const QString path = dir.filePath("changed.rnp");
    ASSERT_TRUE(WriteRenameDropFile(path, source, sourceState).isOk());

    RenameSettings target;
    RenameWindowState targetState;
    bodyfixture::changeUnstored(target, "kept");
    const RenameSettings targetBefore = target;
    const LoadResult result = LoadRnp(path, target, targetState);
    ASSERT_TRUE(result) << result.reason.toStdString();

    RenameSettings expected = source;
    bodyfixture::copyUnstored(targetBefore, expected);
    EXPECT_TRUE(target == expected);
    EXPECT_TRUE(targetState == sourceState);
    EXPECT_EQ(target.FirstCounter.CounterStart, "kept");
    EXPECT_EQ(target.LengthPadStartChar, "kept");
    EXPECT_EQ(target.ComposeElements, (QStringList{"kept", "kept"}));
    EXPECT_EQ(target.ReplaceCounter.AlphaCase, engine::AlphaCaseOption::None);
    EXPECT_EQ(target.FirstCounter.AlphaCase, engine::AlphaCaseOption::Lowercase);
}

TEST(RenameDropFile, LineEndsAndExtraLinesLoadAlike)
{
    RenameSettings source;
    RenameWindowState sourceState;
    const QStringList body = changedBody(source, sourceState);
    RenameSettings expected = source;
    bodyfixture::copyUnstored(RenameSettings(), expected);
    QByteArray noFinalEnd = bodyfixture::fileBytes(body);
    noFinalEnd.chop(2);

    struct Case {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"CR LF", bodyfixture::fileBytes(body)},
        {"LF only", bodyfixture::fileBytes(body, "\n")},
        {"CR only", bodyfixture::fileBytes(body, "\r")},
        {"no end after the last line", noFinalEnd},
        {"lines after the body", bodyfixture::fileBytes(body + QStringList{"Replace", "True"})},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("case.rnp");
        testfiles::writeFile(path, c.bytes);
        RenameSettings s;
        RenameWindowState w;
        const LoadResult result = LoadRnp(path, s, w);
        ASSERT_TRUE(result) << result.reason.toStdString();
        EXPECT_TRUE(s == expected);
        EXPECT_TRUE(w == sourceState);
    }
}

TEST(RenameDropFile, UnusableFilesAreRefusedAndChangeNothing)
{
    QTemporaryDir dir;
    const QStringList body = bodyfixture::defaultBodyLines();
    testfiles::writeFile(dir.filePath("empty.rnp"), {});
    testfiles::writeFile(dir.filePath("short.rnp"), bodyfixture::fileBytes(body.first(220)));
    testfiles::writeFile(dir.filePath("config.rfg"),
                         bodyfixture::fileBytes(QStringList{"File Rename Settings"} + body));
    QDir(dir.path()).mkdir("folder.rnp");

    const char *files[] = {"missing.rnp", "empty.rnp", "short.rnp", "config.rfg", "folder.rnp"};
    for (const char *file : files) {
        SCOPED_TRACE(file);
        RenameSettings s;
        RenameWindowState w;
        bodyfixture::changeEverything(s, w);
        const RenameSettings before = s;
        const RenameWindowState stateBefore = w;
        const LoadResult result = LoadRnp(dir.filePath(file), s, w);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.message, "Invalid File");
        EXPECT_FALSE(result.reason.isEmpty());
        EXPECT_TRUE(s == before);
        EXPECT_TRUE(w == stateBefore);
    }
}

TEST(RenameDropFile, WritingReplacesTheWholeFileOrLeavesItAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("drop.rnp");
    const QByteArray old = QByteArray("old line\r\n").repeated(300);
    testfiles::writeFile(path, old);

    RenameSettings broken;
    broken.CleanKeepOther = "a\nb";
    const vb::Status refused = WriteRenameDropFile(path, broken, RenameWindowState());
    EXPECT_FALSE(refused.isOk());
    EXPECT_EQ(testfiles::readFile(path), old);

    ASSERT_TRUE(WriteRenameDropFile(path, RenameSettings(), RenameWindowState()).isOk());
    EXPECT_EQ(testfiles::readFile(path), bodyfixture::fileBytes(bodyfixture::defaultBodyLines()));

    const vb::Status noFolder =
        WriteRenameDropFile(dir.filePath("no/such/folder/x.rnp"), RenameSettings(), RenameWindowState());
    EXPECT_FALSE(noFolder.isOk());
    EXPECT_FALSE(noFolder.description.isEmpty());
}
