#pragma once
// Conditions CI does not meet by itself: a user without root's permission override, and a disk
// that fills up (a file-size limit).
#include <linux/capability.h>
#include <sys/resource.h>

namespace testfiles {

/** While alive, the calling thread has no capability that overrides file permissions, so a
 *  test run as root meets permission errors as any user does. */
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride();
    ~WithoutPermissionOverride();
    WithoutPermissionOverride(const WithoutPermissionOverride &) = delete;
    WithoutPermissionOverride &operator=(const WithoutPermissionOverride &) = delete;
    /** False when the override could not be given up (the test should be skipped). */
    bool ok() const { return m_ok; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
    bool m_ok = false;
};

/** While alive, no file of this process grows beyond `bytes`: a write past it fails with EFBIG
 *  (SIGXFSZ is ignored meanwhile), as on a full disk. */
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

} // namespace testfiles
