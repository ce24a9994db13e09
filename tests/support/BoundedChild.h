#pragma once
// A step that might wait for good (a FIFO opened for reading blocks until someone writes to it),
// run in a child process with a bounded wait: a fault makes its test fail, never hang the suite.
#include <chrono>
#include <functional>
#include <optional>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testfiles {

/** Runs `step` in a forked child, which exits with what it returns (0 to 255). Gives that exit
 *  code, or nothing when the child had not ended after `limit` (it is killed then) or could not
 *  be started. The child leaves through _exit: nothing of the test program is torn down there. */
inline std::optional<int> runInChild(const std::function<int()> &step,
                                     std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0)
        ::_exit(step());
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
        if (ended < 0 || std::chrono::steady_clock::now() >= until) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace testfiles
