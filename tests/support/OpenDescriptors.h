#pragma once
// How many descriptors a process holds open, counted as the kernel lists them in /proc, and a
// watch that keeps the highest count seen while work goes on.
#include <QByteArray>

#include <atomic>
#include <chrono>
#include <cstring>
#include <dirent.h>
#include <sys/types.h>
#include <thread>

namespace testfiles {

/** The descriptors process `pid` (0: this one) has open; -1 when they cannot be listed. The
 *  descriptor of the listing itself is not counted. */
inline int openDescriptors(pid_t pid = 0)
{
    const QByteArray folder = pid == 0 ? QByteArray("/proc/self/fd") : "/proc/" + QByteArray::number(pid) + "/fd";
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return -1;
    int count = 0;
    while (const dirent *entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            ++count;
    ::closedir(dir);
    return pid == 0 ? count - 1 : count;
}

/** While alive, counts the descriptors of process `pid` (0: this one) from a thread of its own
 *  every fraction of a millisecond and keeps the highest count: work that holds descriptors
 *  for a while shows in peak(). The thread's own listing is not counted. */
class DescriptorWatch {
public:
    explicit DescriptorWatch(pid_t pid = 0) : m_pid(pid)
    {
        m_peak = openDescriptors(pid);
        m_thread = std::thread([this] {
            while (!m_stop.load()) {
                const int now = openDescriptors(m_pid);
                if (now > m_peak.load())
                    m_peak = now;
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    ~DescriptorWatch() { stop(); }
    DescriptorWatch(const DescriptorWatch &) = delete;
    DescriptorWatch &operator=(const DescriptorWatch &) = delete;

    /** Stops watching (the peak stays). */
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    /** The highest count seen so far. */
    int peak() const { return m_peak.load(); }

private:
    pid_t m_pid;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_peak{0};
    std::thread m_thread;
};

} // namespace testfiles
