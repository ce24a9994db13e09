#include "AppFolder.h"
#include "PathCodec.h"
#include "UserSettings.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <ftw.h>
#include <optional>
#include <sys/stat.h>

namespace {

QByteArray raw(const QString &path) { return pathcodec::encode(path); }

bool isFolder(const QByteArray &path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QByteArray readRaw(const QByteArray &path)
{
    QFile f;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return f.readAll();
}

// Sets (or, given nothing, unsets) an environment variable until the end of the scope.
class ScopedVariable {
public:
    ScopedVariable(const char *name, std::optional<QByteArray> value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

// A temporary folder whose tree may hold names that are not UTF-8 (QTemporaryDir cannot remove
// those): removed byte for byte.
struct RawTree {
    QTemporaryDir tmp;
    QByteArray path() const { return QFile::encodeName(tmp.path()); }
    ~RawTree()
    {
        ::nftw(path().constData(), [](const char *p, const struct stat *, int, FTW *) { return ::remove(p); }, 16,
               FTW_DEPTH | FTW_PHYS);
    }
};

} // namespace

TEST(AppFolder, HonoursVexloHomeAndCreatesIt)
{
    QTemporaryDir tmp;
    const QString home = tmp.path() + QStringLiteral("/home/");
    qputenv("VEXLO_HOME", home.toUtf8());
    EXPECT_EQ(AppFolder(), tmp.path() + QStringLiteral("/home"));
    EXPECT_TRUE(QDir(AppFolder()).exists());
    EXPECT_EQ(AppFile(QStringLiteral("templog.log")), tmp.path() + QStringLiteral("/home/templog.log"));
    EXPECT_TRUE(FindAsset(QStringLiteral("no-such-asset")).isEmpty());
    qunsetenv("VEXLO_HOME");
}

// A $VEXLO_HOME or a $HOME whose name is not UTF-8 names that very folder: it is the one made and
// used, never a look-alike with U+FFFD in its place.
TEST(AppFolder, AFolderNamedByBytesThatAreNotUtf8IsThatFolder)
{
    RawTree tree;
    const struct {
        const char *what;
        std::optional<QByteArray> vexloHome;
        QByteArray home;
        QByteArray expectedStart;  // the program folder's bytes begin so
    } cases[] = {
        {"$VEXLO_HOME", tree.path() + "/home\xE9", tree.path() + "/user", tree.path() + "/home\xE9"},
        {"$VEXLO_HOME with a slash at its end", tree.path() + "/h\xFF\xFE/", tree.path() + "/user",
         tree.path() + "/h\xFF\xFE"},
        {"$HOME", std::nullopt, tree.path() + "/us\xE9r", tree.path() + "/us\xE9r/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariable vexloHome("VEXLO_HOME", c.vexloHome);
        ScopedVariable home("HOME", c.home);
        ScopedVariable dataHome("XDG_DATA_HOME", std::nullopt);
        ScopedVariable configHome("XDG_CONFIG_HOME", std::nullopt);

        const QByteArray folder = raw(AppFolder());
        EXPECT_TRUE(folder.startsWith(c.expectedStart)) << folder.constData();
        EXPECT_FALSE(folder.endsWith('/')) << folder.constData();
        EXPECT_TRUE(isFolder(folder)) << folder.constData();
        EXPECT_EQ(raw(AppFile(QStringLiteral("Trevalle.ini"))), folder + "/Trevalle.ini");
        EXPECT_TRUE(raw(UserFolder(QStandardPaths::GenericConfigLocation)).startsWith(c.home + '/'));

        // The per-user stores land in the same folders, written and read back through the toolkit.
        {
            auto settings = OpenUserSettings(QStringLiteral("Places"));
            settings->setValue(QStringLiteral("frmMain/Pos"), QStringLiteral("10|20"));
            auto store = OpenUserStore(QStringLiteral("Morvane"), QStringLiteral("Vexlo Controls"));
            store->setValue(QStringLiteral("List/Width"), 345);
        }
        const QByteArray config = raw(UserFolder(QStandardPaths::GenericConfigLocation));
        const QByteArray settingsFile = c.vexloHome ? folder + "/Places.ini" : config + "/Morvane/Places.ini";
        const QByteArray storeFile = (c.vexloHome ? folder : config) + "/Morvane/Vexlo Controls.ini";
        EXPECT_TRUE(readRaw(settingsFile).contains("10|20")) << settingsFile.constData();
        EXPECT_TRUE(readRaw(storeFile).contains("345")) << storeFile.constData();
        EXPECT_EQ(OpenUserSettings(QStringLiteral("Places"))->value(QStringLiteral("frmMain/Pos")).toString(),
                  QStringLiteral("10|20"));
    }
    // Nothing was made under a look-alike name (U+FFFD as UTF-8) anywhere in the tree.
    static QByteArray found;
    found.clear();
    ::nftw(tree.path().constData(),
           [](const char *p, const struct stat *, int, FTW *) {
               if (QByteArray(p).contains("\xEF\xBF\xBD"))
                   found = p;
               return 0;
           },
           16, FTW_PHYS);
    EXPECT_TRUE(found.isEmpty()) << found.constData();
}

// The program folder that cannot be one is told as such, naming the part of its path that is in
// the way; a folder, or one that can be made, is no problem.
TEST(AppFolder, AProgramFolderThatCannotBeOneIsToldAsSuch)
{
    RawTree tree;
    const QByteArray plain = tree.path() + "/pl\xE9in";
    const int fd = ::open(plain.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const QString shown = pathcodec::printable(pathcodec::decode(plain));
    const struct {
        const char *what;
        QByteArray vexloHome;
        QString told;  ///< the problem begins so; empty: none
    } cases[] = {
        {"a folder there", tree.path(), {}},
        {"a folder made on the way", tree.path() + "/new/deeper", {}},
        {"a file", plain, QStringLiteral("The program folder \"%1\" (VEXLO_HOME) is not a folder; ").arg(shown)},
        {"a path under a file", plain + "/sub/deeper",
         QStringLiteral("The program folder \"%1/sub/deeper\" (VEXLO_HOME) cannot be made: \"%1\" on its way is "
                        "not a folder; ")
             .arg(shown)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScopedVariable vexloHome("VEXLO_HOME", c.vexloHome);
        const QString problem = AppFolderProblem();
        if (c.told.isEmpty()) {
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
            EXPECT_TRUE(isFolder(c.vexloHome));
        } else {
            EXPECT_TRUE(problem.startsWith(c.told)) << problem.toStdString();
            EXPECT_TRUE(problem.endsWith(QStringLiteral("the default settings are used."))) << problem.toStdString();
        }
    }
    // The file in the way is left as it was.
    struct stat st;
    ASSERT_EQ(::stat(plain.constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_size, 0);
}
