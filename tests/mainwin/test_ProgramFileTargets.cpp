// The settings file and a saved file list as the user's folder may hold them: a link to a
// regular file is written through and stays a link; a link to a device or a FIFO, a dangling
// link or a folder in the file's place is refused with the reason, and nothing is written.
#include "AppState.h"
#include "MessageService.h"
#include "SavedFileList.h"
#include "SettingsFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace mainwin;

namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

struct Writer {
    const char *name;
    const char *fileName;
    std::function<vb::Status(const QString &)> write;
};

const Writer writers[] = {
    {"settings file", "Trevalle.ini",
     [](const QString &path) { return WriteSettingsFile(path, AppState{}, SettingsFileControls{}, SettingsFileWindow{}); }},
    {"file list", "photos.lst",
     [](const QString &path) {
         return SavedFileList::save(path, {{QStringLiteral("/data/"), QStringLiteral("a.jpg")}});
     }},
};

} // namespace

TEST(ProgramFileTargets, LinkToARegularFileIsWrittenThrough)
{
    for (const Writer &w : writers) {
        SCOPED_TRACE(w.name);
        QTemporaryDir tmp;
        ASSERT_TRUE(QDir().mkpath(tmp.filePath("real")));
        const QString path = tmp.filePath(QLatin1String(w.fileName));
        testfiles::writeFile(tmp.filePath("real/file"), "old");
        ASSERT_EQ(::symlink("real/file", native(path).constData()), 0);

        ASSERT_TRUE(w.write(path));

        EXPECT_TRUE(QFileInfo(path).isSymLink());
        const QByteArray written = testfiles::readFile(tmp.filePath("real/file"));
        EXPECT_NE(written, "old");
        EXPECT_TRUE(written.endsWith("\r\n"));
        EXPECT_EQ(QDir(tmp.filePath("real")).entryList(QDir::Files | QDir::Hidden), QStringList{"file"});
    }
}

TEST(ProgramFileTargets, AnythingElseIsRefusedAndStaysAsItWas)
{
    const auto fifo = [](const QString &p) { return ::mkfifo(native(p).constData(), 0600) == 0; };
    const auto device = [](const QString &p) {
        return ::mknod(native(p).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    };
    const auto folder = [](const QString &p) { return QDir().mkdir(p); };
    const struct Case {
        const char *what;
        std::function<bool(const QString &)> make;
        bool link;
        const char *reason;
    } cases[] = {
        {"a link to a FIFO", fifo, true, "a FIFO"},
        {"a dangling link", nullptr, true, "does not exist"},
        {"a folder in its place", folder, false, "a folder"},
        {"a link to a device", device, true, "a character device"},
        {"a device in its place", device, false, "a character device"},
    };
    bool deviceMade = true;
    for (const Writer &w : writers) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(w.name) + ", " + c.what);
            QTemporaryDir tmp;
            const QString path = tmp.filePath(QLatin1String(w.fileName));
            const QString target = tmp.filePath("target");
            if (c.make && !c.make(c.link ? target : path)) {
                deviceMade = false;
                continue;
            }
            if (c.link) {
                ASSERT_EQ(::symlink("target", native(path).constData()), 0);
            }
            struct stat before {};
            ::lstat(native(c.link && c.make ? target : path).constData(), &before);

            const vb::Status st = w.write(path);

            EXPECT_EQ(st.number, vb::PathFileAccessError);
            EXPECT_TRUE(st.description.contains(QLatin1String(c.reason))) << st.description.toStdString();
            struct stat after {};
            ::lstat(native(c.link && c.make ? target : path).constData(), &after);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_rdev, before.st_rdev);
            if (!c.make) {
                EXPECT_FALSE(QFileInfo::exists(target));
            }
            EXPECT_EQ(QDir(tmp.path()).entryList({"*.tmp"}, QDir::AllEntries | QDir::Hidden | QDir::System),
                      QStringList{});
        }
    }
    if (!deviceMade)
        GTEST_SKIP() << "this process may not make device nodes; the other cases ran";
}

// With windows, an unreadable settings file is told in one box naming it and the reason; it is
// kept aside and the defaults are read in its place. A readable one, or none, is left alone.
TEST(ProgramFileTargets, UnreadableSettingsFileIsToldInABoxAndKeptAside)
{
    QTemporaryDir tmp;
    const QString ini = tmp.filePath("Trevalle.ini");
    RecordingMessageService messages;
    AppState state;
    state.services.messages = &messages;

    EXPECT_TRUE(SetAsideUnreadableSettingsFile(state, ini));
    testfiles::writeFile(ini, "blank\r\nblank\r\n");
    EXPECT_TRUE(SetAsideUnreadableSettingsFile(state, ini));
    EXPECT_TRUE(messages.shown.empty());

    const QByteArray garbage("\x7f" "ELF\x02\x01\x01\x00\x00\x00", 10);
    testfiles::writeFile(ini, garbage);
    EXPECT_FALSE(SetAsideUnreadableSettingsFile(state, ini));
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString prompt = messages.shown[0].prompt;
    EXPECT_TRUE(prompt.contains(ini) && prompt.contains(QStringLiteral("Invalid File"))) << prompt.toStdString();
    EXPECT_TRUE(prompt.contains(QStringLiteral("Trevalle.ini.bad"))) << prompt.toStdString();
    EXPECT_EQ(testfiles::readFile(ini + QStringLiteral(".bad")), garbage);
    EXPECT_FALSE(QFileInfo::exists(ini));

    AppState read;
    SettingsFileControls controls;
    EXPECT_FALSE(ReadSettingsFile(ini, read, false, controls));
    EXPECT_EQ(read.CurrentFileSpec, AppState{}.CurrentFileSpec);
}
