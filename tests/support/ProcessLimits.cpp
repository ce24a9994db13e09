#include "ProcessLimits.h"

#include <csignal>
#include <initializer_list>
#include <sys/syscall.h>
#include <unistd.h>

namespace testfiles {

WithoutPermissionOverride::WithoutPermissionOverride()
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
    m_dropped = ::syscall(SYS_capset, &m_header, reduced) == 0;
    m_ok = m_dropped;
}

WithoutPermissionOverride::~WithoutPermissionOverride()
{
    if (m_dropped)
        ::syscall(SYS_capset, &m_header, m_saved);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    rlimit limited = m_saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
}

} // namespace testfiles
