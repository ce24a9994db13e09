// Registering and unregistering the library in the registry file, as an installer would.
#include "ShellHost.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <sys/stat.h>

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

} // namespace
