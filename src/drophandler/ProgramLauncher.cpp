#include "ProgramLauncher.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace drophandler {

namespace {

/** The kernel refuses to start a program with any one environment string of 128 KiB or more. */
constexpr std::size_t LongestEnvironmentString = 128 * 1024;

/** A list of strings kept alive for a null-terminated char* vector over them. */
class StringVector {
public:
    void add(std::string text) { strings_.push_back(std::move(text)); }
    char **pointers()
    {
        pointers_.clear();
        for (std::string &text : strings_)
            pointers_.push_back(text.data());
        pointers_.push_back(nullptr);
        return pointers_.data();
    }

private:
    std::vector<std::string> strings_;
    std::vector<char *> pointers_;
};

/** Spawn attributes and file actions that reset what the caller's process has set up. */
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes, &signals);
        sigfillset(&signals);
        posix_spawnattr_setsigdefault(&attributes, &signals);
        short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
        flags |= POSIX_SPAWN_SETSID;
#endif
        posix_spawnattr_setflags(&attributes, flags);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

bool readAll(int fd, void *buffer, std::size_t size)
{
    auto *bytes = static_cast<char *>(buffer);
    while (size > 0) {
        const ssize_t got = read(fd, bytes, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

int ProgramLauncher::start(const std::string &program, const std::vector<std::string> &arguments,
                           const std::string &commandLine)
{
    if (program.empty())
        return ENOENT;

    StringVector argv;
    argv.add(program);
    for (const std::string &argument : arguments)
        argv.add(argument);

    StringVector envp;
    const std::string variablePrefix = std::string(CommandLineVariable) + '=';
    for (char **entry = environ; entry && *entry; ++entry) {
        if (std::strncmp(*entry, variablePrefix.c_str(), variablePrefix.size()) != 0)
            envp.add(*entry);
    }
    if (variablePrefix.size() + commandLine.size() < LongestEnvironmentString)
        envp.add(variablePrefix + commandLine);

    SpawnSetup setup;
    char **argPointers = argv.pointers();
    char **envPointers = envp.pointers();
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;

    // A short-lived middle process starts the program and ends at once, so the program is
    // handed to the system's reaper instead of staying our child; it reports the spawn
    // result through the pipe. Everything it uses is prepared above.
    const pid_t middle = fork();
    if (middle < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    if (middle == 0) {
        close(report[0]);
        pid_t started = 0;
        const int result = posix_spawnp(&started, argPointers[0], &setup.actions, &setup.attributes,
                                        argPointers, envPointers);
        const ssize_t written = write(report[1], &result, sizeof result);
        _exit(written == static_cast<ssize_t>(sizeof result) ? 0 : 1);
    }
    close(report[1]);
    int result = 0;
    if (!readAll(report[0], &result, sizeof result))
        result = ECHILD;
    close(report[0]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    return result;
}

} // namespace drophandler
