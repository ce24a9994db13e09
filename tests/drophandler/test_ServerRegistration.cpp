// Registering and unregistering the library in the registry file, as an installer would.
#include "BoundedChild.h"
#include "ShellHost.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace shellhost;

namespace {

const std::string ClassKey =
    "[HKEY_CLASSES_ROOT\\CLSID\\{45E1DEAB-ECD1-407F-B06D-E550DB8A5E93}]\n";
const std::string ServerKey =
    "[HKEY_CLASSES_ROOT\\CLSID\\{45E1DEAB-ECD1-407F-B06D-E550DB8A5E93}\\InprocServer32]\n";
const std::string FileType = "[HKEY_CLASSES_ROOT\\.rnp]\n@=\"Morvane.RenameDrop\"\n";

std::string libraryPath()
{
    char *resolved = realpath(TAMSEL_LIBRARY, nullptr);
    std::string path = resolved ? resolved : "";
    std::free(resolved);
    return path;
}

std::string registrationText()
{
    return ClassKey + "@=\"Wyncourt\"\n\n" + ServerKey + "@=" + regString(libraryPath())
           + "\n\"ThreadingModel\"=\"Apartment\"\n\n";
}

class ServerRegistrationTest : public ShellTest {
protected:
    HRESULT registerServer() const { return TamselLibrary::instance().registerServer(); }
    HRESULT unregisterServer() const { return TamselLibrary::instance().unregisterServer(); }

    void writeRegistry(const std::string &text) const
    {
        QFile file(QString::fromStdString(path("registry.reg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
};

TEST_F(ServerRegistrationTest, WritesTheClassKeysAndRewritesThemWhenRegisteredAgain)
{
    // SetUp registered into an empty registry.
    EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + registrationText());

    // Keys spelled in another case are the same keys; values are rewritten, others kept.
    addToRegistry(FileType + "\n[hkcr\\clsid\\{45e1deab-ecd1-407f-b06d-e550db8a5e93}\\INPROCSERVER32]\n"
                             "\"threadingmodel\"=\"Free\"\n@=\"/old/path\"\n");
    EXPECT_EQ(registerServer(), S_OK);
    EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + FileType + "\n"
                                  + registrationText());
    const QDir folder(QString::fromStdString(path("")));
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{"registry.reg"}) << "temporary file left";
}

TEST_F(ServerRegistrationTest, UnregisteringRemovesOnlyTheClassKeys)
{
    addToRegistry(FileType);
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + FileType + "\n");
    EXPECT_EQ(unregisterServer(), E_UNEXPECTED);

    // A key the library did not write below the class key stops the class key's deletion.
    EXPECT_EQ(registerServer(), S_OK);
    addToRegistry("[HKEY_CLASSES_ROOT\\CLSID\\{45E1DEAB-ECD1-407F-B06D-E550DB8A5E93}\\DefaultIcon]\n");
    EXPECT_EQ(unregisterServer(), E_UNEXPECTED);
    EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + FileType + "\n" + ClassKey
                                  + "@=\"Wyncourt\"\n\n"
                                  + "[HKEY_CLASSES_ROOT\\CLSID\\{45E1DEAB-ECD1-407F-B06D-E550DB8A5E93}"
                                    "\\DefaultIcon]\n\n");
}

TEST_F(ServerRegistrationTest, UnregisteringWithoutARegistrationFails)
{
    std::remove(path("registry.reg").c_str());
    EXPECT_EQ(unregisterServer(), E_UNEXPECTED);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("registry.reg"))));
}

TEST_F(ServerRegistrationTest, AnUnreadableOrUnwritableRegistryIsLeftAlone)
{
    const std::string malformed = "Windows Registry Editor Version 5.00\n\n[HKEY_CLASSES_ROOT\\.rnp]\n"
                                  "@=\"Morvane.RenameDrop\n";
    writeRegistry(malformed);
    EXPECT_EQ(registerServer(), E_UNEXPECTED);
    EXPECT_EQ(unregisterServer(), E_UNEXPECTED);
    EXPECT_EQ(registryText(), malformed);

    writeRegistry("");
    const std::string places[] = {path("registry.reg/inside a file.reg"), "/proc/no such folder/registry.reg"};
    for (const std::string &place : places) {
        SCOPED_TRACE(place);
        setenv("TAMSEL_REGISTRY", place.c_str(), 1);
        EXPECT_EQ(registerServer(), E_UNEXPECTED);
    }
}

TEST_F(ServerRegistrationTest, WithoutTheVariableTheRegistryLivesInTheUsersConfigFolder)
{
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", path("home").c_str(), 1);
    unsetenv("TAMSEL_REGISTRY");
    EXPECT_EQ(registerServer(), S_OK);
    QFile file(QString::fromStdString(path("home/.config/tamsel/registry.reg")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "Windows Registry Editor Version 5.00\n\n" + registrationText());
    setenv("HOME", oldHome.c_str(), 1);
}

// The registry file keeps its own permissions when it is rewritten (a private one stays private);
// a new one gets what any new file of the process gets, the umask taken off 0666.
TEST_F(ServerRegistrationTest, TheRegistryKeepsItsPermissionsAndANewOneFollowsTheUmask)
{
    const auto modeOf = [this] {
        struct stat st {};
        return ::stat(path("registry.reg").c_str(), &st) == 0 ? (st.st_mode & 07777) : mode_t(-1);
    };
    const struct {
        mode_t umask;
        mode_t old;  ///< 0: there is no registry file yet
        mode_t expected;
    } cases[] = {
        {022, 0600, 0600}, {022, 0640, 0640}, {0, 0600, 0600}, {0, 0640, 0640},
        {022, 0, 0644},    {0, 0, 0666},      {077, 0, 0600},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "umask " << std::oct << c.umask << ", old file " << c.old);
        std::remove(path("registry.reg").c_str());
        if (c.old != 0) {
            writeRegistry("Windows Registry Editor Version 5.00\n\n");
            ASSERT_EQ(::chmod(path("registry.reg").c_str(), c.old), 0);
        }
        const mode_t previous = ::umask(c.umask);
        const HRESULT registered = registerServer();
        ::umask(previous);
        EXPECT_EQ(registered, S_OK);
        EXPECT_EQ(modeOf(), c.expected);
        EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + registrationText());
    }
}

struct stat lstatOf(const std::string &path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

std::string linkText(const std::string &path)
{
    char text[4096];
    const ssize_t n = ::readlink(path.c_str(), text, sizeof text);
    return n < 0 ? std::string() : std::string(text, static_cast<std::size_t>(n));
}

// Registering and unregistering rewrite the registry as it is: a file another user owns keeps
// that owner, its group and its permissions, and a link to it stays a link to the rewritten file.
// Giving a file to another user takes root (as in CI); anyone else checks links and permissions.
TEST_F(ServerRegistrationTest, TheRegistryKeepsItsOwnerGroupAndPermissionsAndALinkStaysALink)
{
    const bool root = ::geteuid() == 0;
    const struct {
        const char *what;
        bool link;
    } cases[] = {{"the file itself", false}, {"a link to a file in another folder", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string named = path("registry.reg");
        const std::string real = c.link ? path("elsewhere/real.reg") : named;
        std::remove(named.c_str());
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path("elsewhere"))));
        std::remove(real.c_str());
        if (c.link) {
            ASSERT_EQ(::symlink("elsewhere/real.reg", named.c_str()), 0);
        }
        writeRegistry("Windows Registry Editor Version 5.00\n\n" + FileType);
        ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
        if (root) {
            ASSERT_EQ(::chown(real.c_str(), 12345, 12346), 0);
        }
        const std::pair<const char *, std::function<HRESULT()>> steps[] = {
            {"register", [this] { return registerServer(); }},
            {"unregister", [this] { return unregisterServer(); }},
        };
        for (const auto &[step, run] : steps) {
            SCOPED_TRACE(step);
            EXPECT_EQ(run(), S_OK);
            EXPECT_EQ(S_ISLNK(lstatOf(named).st_mode), c.link);
            if (c.link) {
                EXPECT_EQ(linkText(named), "elsewhere/real.reg");
            }
            const struct stat st = lstatOf(real);
            EXPECT_TRUE(S_ISREG(st.st_mode));
            EXPECT_EQ(st.st_mode & 07777, 0640u);
            if (root) {
                EXPECT_EQ(st.st_uid, 12345u);
                EXPECT_EQ(st.st_gid, 12346u);
            }
        }
        EXPECT_EQ(registryText(), "Windows Registry Editor Version 5.00\n\n" + FileType + "\n");
        const QStringList left = QDir(QString::fromStdString(path("elsewhere"))).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, c.link ? QStringList{"real.reg"} : QStringList{}) << "temporary file left";
    }
    if (!root)
        GTEST_SKIP() << "only root may give a file to another user: links and permissions were checked, owners not";
}

// A registry that is no regular file (nor a link to one) is refused at once, as a registry that
// cannot be read, and left as it is: registering and unregistering fail, and a drop target loads
// as with an empty registry. Nothing waits on a FIFO, in the host or in the installer. Each step
// runs in a child process that is given a few seconds.
TEST_F(ServerRegistrationTest, ARegistryThatIsNoRegularFileIsRefusedAtOnceAndLeftAlone)
{
    const auto fifo = [](const std::string &p) { return ::mkfifo(p.c_str(), 0600) == 0; };
    const auto folder = [](const std::string &p) { return ::mkdir(p.c_str(), 0700) == 0; };
    const struct {
        const char *what;
        std::function<bool(const std::string &)> make;  ///< null: nothing is made
        bool link;
    } cases[] = {
        {"a FIFO in its place", fifo, false},
        {"a link to a FIFO", fifo, true},
        {"a folder in its place", folder, false},
        {"a link to a folder", folder, true},
        {"a dangling link", nullptr, true},
    };
    const std::pair<const char *, std::function<int()>> steps[] = {
        {"register", [this] { return registerServer() == E_UNEXPECTED ? 0 : 1; }},
        {"unregister", [this] { return unregisterServer() == E_UNEXPECTED ? 0 : 1; }},
        {"drop target load",
         [this] {
             IPersistFile *object = createDropTarget();
             const HRESULT loaded = object ? object->Load(utf16(path("settings.rnp")).c_str(), 0) : E_FAIL;
             if (object)
                 object->Release();
             return loaded == S_OK ? 0 : 1;
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string named = path("registry.reg");
        const std::string target = path("target");
        std::remove(named.c_str());
        if (c.make) {
            ASSERT_TRUE(c.make(c.link ? target : named));
        }
        if (c.link) {
            ASSERT_EQ(::symlink("target", named.c_str()), 0);
        }
        const struct stat before = lstatOf(c.link && c.make ? target : named);
        for (const auto &[step, run] : steps) {
            SCOPED_TRACE(step);
            const std::optional<int> result = testfiles::runInChild(run);
            ASSERT_TRUE(result.has_value()) << "waited on the registry";
            EXPECT_EQ(*result, 0);
        }
        const struct stat after = lstatOf(c.link && c.make ? target : named);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        if (c.link) {
            EXPECT_TRUE(S_ISLNK(lstatOf(named).st_mode));
        }
        if (!c.make) {
            EXPECT_FALSE(QFile::exists(QString::fromStdString(target))) << "the link's target was made";
        }
        EXPECT_EQ(QDir(QString::fromStdString(path(""))).entryList({"registry.reg.*"}, QDir::AllEntries | QDir::Hidden),
                  QStringList{});
        std::remove(named.c_str());
        ::rmdir(target.c_str());
        std::remove(target.c_str());
    }
}

} // namespace
