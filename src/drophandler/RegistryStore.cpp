#include "RegistryStore.h"

#include "RegFileText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace drophandler {

namespace {

unsigned char folded(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (folded(text[i]) != folded(prefix[i]))
            return false;
    }
    return true;
}

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 1024);
    passwd entry{};
    passwd *found = nullptr;
    int error = 0;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (error != 0 || !found || !found->pw_dir)
        return {};
    return found->pw_dir;
}

bool makeFolders(const std::string &folder)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// The permissions a new file gets: 0666 without the bits of the process's umask. The library runs
// inside other programs, on any of their threads, so the umask is read where reading it changes
// nothing ("/proc/self/status"); where the system does not show it there, the usual 022.
mode_t newFileMode()
{
    mode_t mask = 022;
    if (FILE *status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status)) {
            unsigned int value = 0;
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value & 0777);
                break;
            }
        }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

// The file a save replaces: the path itself when it is a regular file or not there yet (then
// `isNew`), the regular file a symbolic link leads to, so that the link stays a link. Anything
// else (a FIFO, a folder, a device, a dangling link or one to something other than a regular
// file) is never replaced.
bool writeTarget(const std::string &path, std::string &target, bool &isNew)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) {
        isNew = errno == ENOENT;
        target = path;
        return isNew;
    }
    if (S_ISREG(st.st_mode)) {
        target = path;
        return true;
    }
    if (!S_ISLNK(st.st_mode))
        return false;
    char *resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return false;
    target = resolved;
    std::free(resolved);
    return stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readWholeFile(int fd, std::string &text)
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

bool writeWholeFile(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

} // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const
{
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = folded(a[i]);
        const unsigned char y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

std::string RegistryValue::text() const
{
    return data.substr(0, data.find('\0'));
}

std::string RegistryStore::defaultFilePath()
{
    if (const char *path = std::getenv("TAMSEL_REGISTRY"); path && *path)
        return path;
    const std::string home = homeFolder();
    if (home.empty())
        return {};
    return home + "/.config/tamsel/registry.reg";
}

bool RegistryStore::isValidPath(std::string_view path)
{
    if (path.empty())
        return false;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find('\\', start);
        if (end == start || start == path.size())
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

bool RegistryStore::load(const std::string &filePath)
{
    clear();
    if (filePath.empty())
        return false;
    // Opened without waiting (a FIFO would hold the host until someone writes to it); only a
    // regular file is read, anything else is a registry that cannot be read.
    const int fd = open(filePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    struct stat st {};
    std::string text;
    const bool read = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && readWholeFile(fd, text);
    close(fd);
    if (!read || !RegFileText::parse(text, *this)) {
        clear();
        return false;
    }
    return true;
}

bool RegistryStore::save(const std::string &filePath) const
{
    if (filePath.empty())
        return false;
    const std::string text = RegFileText::format(*this);
    std::string target;
    bool isNew = false;
    if (!writeTarget(filePath, target, isNew))
        return false;
    const std::size_t slash = target.rfind('/');
    if (isNew && slash != std::string::npos && slash > 0 && !makeFolders(target.substr(0, slash)))
        return false;

    // The temporary file stays readable by the owner alone (mkstemp makes it 0600) until every
    // byte is written; only then does it take the file's own owner, group and permissions, or a
    // new file's permissions.
    std::string temporary = target + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    bool written = writeWholeFile(fd, text);
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // A process that may not give the file away keeps it as its own, with the old group
        // where it may. (The owner goes first: a change of owner clears the set-ID bits.)
        (void)fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : newFileMode();
    written = written && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    written = (close(fd) == 0) && written;
    if (!written || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

const RegistryKey *RegistryStore::findKey(std::string_view path) const
{
    const auto it = keys_.find(path);
    return it == keys_.end() ? nullptr : &it->second;
}

bool RegistryStore::hasSubkeys(std::string_view path) const
{
    const std::string prefix = std::string(path) + '\\';
    const auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && startsWithFolded(it->first, prefix);
}

bool RegistryStore::keyExists(std::string_view path) const
{
    return isValidPath(path) && (findKey(path) || hasSubkeys(path));
}

const RegistryValue *RegistryStore::findValue(std::string_view keyPath, std::string_view name) const
{
    const RegistryKey *key = findKey(keyPath);
    if (!key)
        return nullptr;
    const auto it = key->values.find(name);
    return it == key->values.end() ? nullptr : &it->second;
}

bool RegistryStore::createKey(std::string_view path)
{
    if (!isValidPath(path))
        return false;
    if (!findKey(path))
        keys_.emplace(std::string(path), RegistryKey{std::string(path), {}});
    return true;
}

bool RegistryStore::setValue(std::string_view keyPath, std::string_view name, DWORD type,
                             std::string data)
{
    if (!createKey(keyPath))
        return false;
    auto &values = keys_.find(keyPath)->second.values;
    auto it = values.find(name);
    if (it == values.end())
        it = values.emplace(std::string(name), RegistryValue{std::string(name), type, {}}).first;
    it->second.type = type;
    it->second.data = std::move(data);
    return true;
}

bool RegistryStore::setString(std::string_view keyPath, std::string_view name, std::string_view text)
{
    std::string data(text);
    data += '\0';
    return setValue(keyPath, name, REG_SZ, std::move(data));
}

bool RegistryStore::deleteValue(std::string_view keyPath, std::string_view name)
{
    const auto key = keys_.find(keyPath);
    if (key == keys_.end())
        return false;
    const auto it = key->second.values.find(name);
    if (it == key->second.values.end())
        return false;
    key->second.values.erase(it);
    return true;
}

bool RegistryStore::deleteKey(std::string_view path)
{
    const auto it = keys_.find(path);
    if (it == keys_.end() || hasSubkeys(path))
        return false;
    keys_.erase(it);
    return true;
}

void RegistryStore::deleteTree(std::string_view path)
{
    if (const auto it = keys_.find(path); it != keys_.end())
        keys_.erase(it);
    const std::string prefix = std::string(path) + '\\';
    auto it = keys_.lower_bound(prefix);
    while (it != keys_.end() && startsWithFolded(it->first, prefix))
        it = keys_.erase(it);
}

void RegistryStore::clear()
{
    keys_.clear();
}

} // namespace drophandler
