#pragma once
// While alive, the calling thread has no capability that overrides file permissions, so a
// test run as root meets permission errors as any user does. Further capabilities can be given
// up with them (CAP_CHOWN: owners and groups set as any user may).
#include <initializer_list>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class WithoutPermissionOverride {
public:
    explicit WithoutPermissionOverride(std::initializer_list<int> alsoGivenUp = {})
    {
        if (::geteuid() != 0) {
            m_ok = true;
            return;
        }
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        for (const int cap : alsoGivenUp)
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        m_dropped = ::syscall(SYS_capset, &m_header, reduced) == 0;
        m_ok = m_dropped;
    }
    ~WithoutPermissionOverride()
    {
        if (m_dropped)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride &) = delete;
    WithoutPermissionOverride &operator=(const WithoutPermissionOverride &) = delete;
    bool ok() const { return m_ok; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
    bool m_ok = false;
};
