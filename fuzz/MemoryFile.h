#pragma once
// Fuzz input as a file the readers open by path: an anonymous in-memory file, reached through
// /proc/self/fd, so the readers run their whole path (open, checks, read) without disk traffic.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

class MemoryFile {
public:
    MemoryFile(const std::uint8_t *data, std::size_t size) : m_fd(::memfd_create("fuzz", MFD_CLOEXEC))
    {
        for (std::size_t done = 0; m_fd >= 0 && done < size;) {
            const ssize_t n = ::write(m_fd, data + done, size - done);
            if (n <= 0)
                break;
            done += std::size_t(n);
        }
    }
    ~MemoryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    MemoryFile(const MemoryFile &) = delete;
    MemoryFile &operator=(const MemoryFile &) = delete;

    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};
