// The one writer of whole files: only regular files are replaced (a link to one is written
// through), and every failure carries the system's own reason.
#include "AtomicFile.h"
#include "FileStatus.h"
#include "ProcessLimits.h"
#include "TestFiles.h"
#include "TextFile.h"
#include "UserSettings.h"
#include "WithoutPermissionOverride.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using testfiles::lstatOf;

QByteArray native(const QString &path) { return QFile::encodeName(path); }

// While alive, creating a file for writing fails with `err` (a full disk, a quota, ...).
class FailingOpen {
public:
    explicit FailingOpen(int err)
    {
        s_err = err;
        m_previous = textfile::setOpenCall([](const char *, int, mode_t) {
            errno = s_err;
            return -1;
        });
    }
    ~FailingOpen() { textfile::setOpenCall(m_previous); }

private:
    static inline int s_err = 0;
    textfile::OpenCall m_previous;
};

} // namespace

TEST(AtomicFile, LinkToARegularFileIsWrittenThroughAndStaysALink)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("elsewhere")));
    testfiles::writeFile(tmp.filePath("elsewhere/real.ini"), "old\r\n");
    ::chmod(native(tmp.filePath("elsewhere/real.ini")).constData(), 0640);
    ASSERT_EQ(::symlink("elsewhere/real.ini", native(tmp.filePath("Trevalle.ini")).constData()), 0);

    ASSERT_TRUE(textfile::writeLines(tmp.filePath("Trevalle.ini"), {QStringLiteral("new")}));

    EXPECT_TRUE(S_ISLNK(lstatOf(tmp.filePath("Trevalle.ini")).st_mode));
    EXPECT_EQ(testfiles::readFile(tmp.filePath("elsewhere/real.ini")), "new\r\n");
    EXPECT_EQ(lstatOf(tmp.filePath("elsewhere/real.ini")).st_mode & 07777, 0640u);
    // The temporary file was made beside the target, and is gone.
    EXPECT_EQ(QDir(tmp.filePath("elsewhere")).entryList(QDir::Files | QDir::Hidden), QStringList{"real.ini"});
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Trevalle.ini"});
}

// Whatever stands in the file's place that is not a regular file, or a link to one, is refused
// with its path's kind, and stays exactly as it was.
TEST(AtomicFile, AnythingButARegularFileIsRefusedAndLeftAsItIs)
{
    const auto fifo = [](const QString &p) { return ::mkfifo(native(p).constData(), 0600) == 0; };
    const auto folder = [](const QString &p) { return QDir().mkdir(p); };
    const auto socket = [](const QString &p) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = native(p);
        if (fd < 0 || size_t(name.size()) >= sizeof(address.sun_path))
            return false;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        const bool made = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
        ::close(fd);
        return made;
    };
    const struct Case {
        const char *what;
        bool (*make)(const QString &);
        bool throughLink;
        const char *reason;
    } cases[] = {
        {"a FIFO", fifo, false, "it is a FIFO, not a regular file"},
        {"a link to a FIFO", fifo, true, "a FIFO, not to a regular file"},
        {"a folder", folder, false, "it is a folder, not a regular file"},
        {"a link to a folder", folder, true, "a folder, not to a regular file"},
        {"a socket", socket, false, "it is a socket, not a regular file"},
        {"a dangling link", nullptr, true, "which does not exist"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir case_;
        const QString file = case_.filePath("templog.log");
        const QString target = case_.filePath("target");
        if (c.make) {
            ASSERT_TRUE(c.make(c.throughLink ? target : file));
        }
        if (c.throughLink) {
            ASSERT_EQ(::symlink(native(target).constData(), native(file).constData()), 0);
        }
        const struct stat before = lstatOf(file);

        const vb::Status st = textfile::writeLines(file, {QStringLiteral("a line")});
        textfile::AtomicFile direct(file);
        const vb::Status opened = direct.open();

        EXPECT_EQ(st.number, vb::PathFileAccessError);
        EXPECT_TRUE(st.description.contains(QLatin1String(c.reason))) << st.description.toStdString();
        EXPECT_EQ(opened.number, vb::PathFileAccessError);
        const struct stat after = lstatOf(file);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_FALSE(QFileInfo::exists(target) && !c.make) << "a dangling link's target was created";
        EXPECT_EQ(QDir(case_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).filter(".tmp"),
                  QStringList{});
    }
}

// A device node in the file's place, or behind a link, stays the device it was.
TEST(AtomicFile, DeviceStaysADevice)
{
    QTemporaryDir tmp;
    const QString device = tmp.filePath("null");
    if (::mknod(native(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "this process may not make device nodes (mknod: " << std::strerror(errno) << ")";
    ASSERT_EQ(::symlink("null", native(tmp.filePath("Trevalle.ini")).constData()), 0);
    for (const char *name : {"null", "Trevalle.ini"}) {
        SCOPED_TRACE(name);
        const vb::Status st = textfile::writeLines(tmp.filePath(name), {QStringLiteral("1"), QStringLiteral("2")});
        EXPECT_EQ(st.number, vb::PathFileAccessError);
        EXPECT_TRUE(st.description.contains(QLatin1String("a character device"))) << st.description.toStdString();
        EXPECT_TRUE(S_ISCHR(lstatOf(device).st_mode));
        EXPECT_EQ(lstatOf(device).st_rdev, makedev(1, 3));
        EXPECT_TRUE(S_ISLNK(lstatOf(tmp.filePath("Trevalle.ini")).st_mode));
    }
}

// The system's reason reaches the user: a full disk, a quota or a file-size limit (even as the
// temporary file is made) is "Disk full" and says which, never "Permission denied"; a read-only
// file system, a missing folder and a name too long say so.
TEST(AtomicFile, FailuresCarryTheSystemsReason)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("bookmarks.bks");
    testfiles::writeFile(path, "old\r\n");
    const struct {
        int err;
        int number;
        QString text;
    } injected[] = {
        {ENOSPC, vb::DiskFull, "Disk full"},
        {EDQUOT, vb::DiskFull, "Disk full (quota exceeded)"},
        {EFBIG, vb::DiskFull, "Disk full (file size limit)"},
        {EROFS, vb::PermissionDenied, "Permission denied (read-only file system)"},
        {EACCES, vb::PermissionDenied, "Permission denied"},
        {ENAMETOOLONG, vb::BadFileNameOrNumber, "Bad file name or number (name too long)"},
        // The system's own words for the rest, in the user's language.
        {EIO, vb::PathFileAccessError, "Path/File access error (" + QString::fromLocal8Bit(std::strerror(EIO)) + ")"},
    };
    for (const auto &c : injected) {
        SCOPED_TRACE(c.text.toStdString());
        vb::Status st;
        {
            FailingOpen failing(c.err);
            st = textfile::writeLines(path, {QStringLiteral("new")});
        }
        EXPECT_EQ(st.number, c.number);
        EXPECT_EQ(st.description, c.text);
        EXPECT_EQ(testfiles::readFile(path), "old\r\n");
    }

    SCOPED_TRACE("real failures");
    EXPECT_EQ(textfile::writeLines(tmp.filePath("missing/x.lst"), {QStringLiteral("x")}).description,
              QStringLiteral("Path not found"));
    const vb::Status tooLong = textfile::writeLines(tmp.filePath(QString(300, u'n')), {QStringLiteral("x")});
    EXPECT_TRUE(tooLong.description.contains(QLatin1String("name too long"))) << tooLong.description.toStdString();
    {
        testfiles::FileSizeLimit limit(3);
        EXPECT_EQ(textfile::writeLines(path, {QStringLiteral("a longer line")}).description,
                  QStringLiteral("Disk full (file size limit)"));
    }
    EXPECT_EQ(testfiles::readFile(path), "old\r\n");
    ::chmod(native(tmp.path()).constData(), 0500);
    vb::Status readOnly;
    bool restricted = false;
    {
        WithoutPermissionOverride user;
        restricted = user.ok();
        if (restricted)
            readOnly = textfile::writeLines(path, {QStringLiteral("new")});
    }
    ::chmod(native(tmp.path()).constData(), 0700);
    if (!restricted)
        GTEST_SKIP() << "cannot give up the permission override of root";
    EXPECT_EQ(readOnly.description, QStringLiteral("Permission denied"));
    EXPECT_EQ(testfiles::readFile(path), "old\r\n");
}

// The new contents are readable by the owner alone until the commit, whatever the umask and the
// file's own permissions: a private file's are never open to others, not even while they are
// written. At the commit the file keeps its permissions; a new file gets 0666 less the umask.
TEST(AtomicFile, TemporaryIsPrivateUntilTheCommitGivesTheFilesPermissions)
{
    const struct {
        mode_t umask;
        mode_t old;  ///< 0: there is no file yet
        mode_t committed;
    } cases[] = {
        {022, 0600, 0600}, {022, 0640, 0640}, {022, 0644, 0644}, {022, 0, 0644},
        {0, 0600, 0600},   {0, 0640, 0640},   {0, 0666, 0666},   {0, 0, 0666},
        {027, 0, 0640},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "umask " << std::oct << c.umask << ", old file " << c.old);
        QTemporaryDir tmp;
        const QString path = tmp.filePath("Trevalle.ini");
        if (c.old != 0) {
            testfiles::writeFile(path, "old\r\n");
            ASSERT_EQ(::chmod(native(path).constData(), c.old), 0);
        }
        const mode_t previous = ::umask(c.umask);
        EXPECT_EQ(textfile::newFileMode(), 0666 & ~c.umask);
        textfile::AtomicFile file(path);
        const vb::Status opened = file.open();
        const vb::Status written = opened ? file.write("secret\r\n") : opened;
        // The temporary as others see it in the folder, between the write and the commit.
        const QStringList temporaries = QDir(tmp.path()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden);
        const mode_t whileWritten = temporaries.size() == 1 ? lstatOf(tmp.filePath(temporaries[0])).st_mode & 07777 : 0;
        const vb::Status committed = written ? file.commit() : written;
        ::umask(previous);

        ASSERT_TRUE(committed) << committed.description.toStdString();
        EXPECT_EQ(temporaries.size(), 1);
        EXPECT_EQ(whileWritten, 0600u);
        EXPECT_EQ(lstatOf(path).st_mode & 07777, c.committed);
        EXPECT_EQ(testfiles::readFile(path), "secret\r\n");
    }
}

// The new file keeps the old one's owner and group when the process may give them (as root).
TEST(AtomicFile, OwnerAndGroupAreKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    QTemporaryDir tmp;
    const QString path = tmp.filePath("song.mp3");
    testfiles::writeFile(path, "old");
    ASSERT_EQ(::chown(native(path).constData(), 4321, 4322), 0);
    textfile::AtomicFile file(path);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write("new"));
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(lstatOf(path).st_uid, 4321u);
    EXPECT_EQ(lstatOf(path).st_gid, 4322u);
    EXPECT_EQ(testfiles::readFile(path), "new");
}

// The per-user store of window places: a FIFO in its place is never replaced; the values are
// kept for the run only. A link to a regular file is a store like any other.
TEST(UserSettingsStore, StoreInThePlaceOfSomethingElseIsNeverReplaced)
{
    QTemporaryDir tmp;
    const QByteArray oldHome = qgetenv("VEXLO_HOME");
    qputenv("VEXLO_HOME", native(tmp.path()));
    const QString fifo = tmp.filePath("Places.ini");
    ASSERT_EQ(::mkfifo(native(fifo).constData(), 0600), 0);
    testfiles::writeFile(tmp.filePath("real.ini"), "");
    ASSERT_EQ(::symlink("real.ini", native(tmp.filePath("Linked.ini")).constData()), 0);
    {
        auto refused = OpenUserSettings(QStringLiteral("Places"));
        refused->setValue(QStringLiteral("frmMain/Pos"), QStringLiteral("10|20"));
        refused->sync();
        EXPECT_EQ(refused->value(QStringLiteral("frmMain/Pos")).toString(), QStringLiteral("10|20"));
        auto linked = OpenUserSettings(QStringLiteral("Linked"));
        linked->setValue(QStringLiteral("frmMain/Pos"), QStringLiteral("30|40"));
    }
    if (oldHome.isEmpty())
        qunsetenv("VEXLO_HOME");
    else
        qputenv("VEXLO_HOME", oldHome);
    EXPECT_TRUE(S_ISFIFO(lstatOf(fifo).st_mode));
    EXPECT_TRUE(S_ISLNK(lstatOf(tmp.filePath("Linked.ini")).st_mode));
    EXPECT_TRUE(testfiles::readFile(tmp.filePath("real.ini")).contains("30|40"));
}
