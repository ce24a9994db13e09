#include "BodyFixture.h"
#include "RenameConfigFile.h"
#include "RenameDropFile.h"
#include "RenameSettingsBody.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace settingsfiles;
using engine::RenameSettings;

TEST(RenameConfigFile, IsTheHeaderFollowedByTheRenameDropFileOfTheSameSettings)
{
    RenameSettings settings;
    RenameWindowState state;
    bodyfixture::changeEverything(settings, state);

    QTemporaryDir dir;
    ASSERT_TRUE(WriteRenameConfigFile(dir.filePath("Holiday.rfg"), settings, state).isOk());
    ASSERT_TRUE(WriteRenameDropFile(dir.filePath("Holiday.rnp"), settings, state).isOk());

    const QByteArray config = testfiles::readFile(dir.filePath("Holiday.rfg"));
    const QByteArray drop = testfiles::readFile(dir.filePath("Holiday.rnp"));
    ASSERT_FALSE(drop.isEmpty());
    EXPECT_EQ(config, "File Rename Settings\r\n" + drop);
    EXPECT_EQ(config.count("\r\n"), 222);
}

TEST(RenameConfigFile, LoadBringsBackTheSavedSettingsAndKeepsWhatTheFileDoesNotHold)
{
    RenameSettings source;
    RenameWindowState sourceState;
    bodyfixture::changeEverything(source, sourceState);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.rfg");
    ASSERT_TRUE(WriteRenameConfigFile(path, source, sourceState).isOk());

    RenameSettings target;
    RenameWindowState targetState;
    bodyfixture::changeUnstored(target, "kept");
    RenameSettings expected = source;
    bodyfixture::copyUnstored(target, expected);

    const LoadResult result = LoadRenameConfigFile(path, target, targetState);
    ASSERT_TRUE(result) << result.reason.toStdString();
    EXPECT_TRUE(target == expected);
    EXPECT_TRUE(targetState == sourceState);
}

TEST(RenameConfigFile, AFileThatIsNotAWholeConfigurationChangesNothing)
{
    RenameSettings other;
    RenameWindowState otherState;
    bodyfixture::changeEverything(other, otherState);
    QStringList body;
    ASSERT_TRUE(WriteRenameSettingsBody(other, otherState, body).isOk());
    const QByteArray bodyBytes = bodyfixture::fileBytes(body);

    struct Case {
        const char *what;
        QByteArray bytes;  // empty with `missing`: no file at all
        bool missing = false;
    };
    const Case cases[] = {
        {"header in lower case", "file rename settings\r\n" + bodyBytes},
        {"header with a trailing blank", "File Rename Settings \r\n" + bodyBytes},
        {"the old header", "Corvisk File Rename Settings\r\n" + bodyBytes},
        {"a rename-drop file", bodyBytes},
        {"the header alone", "File Rename Settings\r\n"},
        {"an empty file", ""},
        {"a body one line short",
         "File Rename Settings\r\n" + bodyfixture::fileBytes(body.mid(0, body.size() - 1))},
        {"no file", "", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.rfg");
        if (!c.missing)
            testfiles::writeFile(path, c.bytes);

        RenameSettings settings;
        RenameWindowState state;
        state.CurrentAction = 5;
        const LoadResult result = LoadRenameConfigFile(path, settings, state);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.message, "Invalid File");
        EXPECT_TRUE(settings == RenameSettings());
        EXPECT_EQ(state.CurrentAction, 5);
    }
}

TEST(RenameConfigFile, AFailedWriteLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Holiday.rfg");
    ASSERT_TRUE(WriteRenameConfigFile(path, RenameSettings(), RenameWindowState()).isOk());
    const QByteArray before = testfiles::readFile(path);

    RenameSettings settings;
    settings.FirstCount = "two\nlines";
    const vb::Status st = WriteRenameConfigFile(path, settings, RenameWindowState());
    EXPECT_FALSE(st);
    EXPECT_FALSE(st.description.isEmpty());
    EXPECT_EQ(testfiles::readFile(path), before);
}
