#include "MessageSink.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace drophandler {

namespace {

void writeAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(put));
    }
}

} // namespace

void MessageSink::show(std::string_view caption, std::string_view text)
{
    std::string line(caption);
    line += ": ";
    line += text;
    line += '\n';
    if (const char *path = std::getenv(FileVariable); path && *path) {
        const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd >= 0) {
            writeAll(fd, line);
            close(fd);
            return;
        }
    }
    writeAll(STDERR_FILENO, line);
}

} // namespace drophandler
