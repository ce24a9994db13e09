#pragma once
// A condition CI does not meet by itself: a disk that fills up (a file-size limit). The user
// without root's permission override is in WithoutPermissionOverride.h.
#include <sys/resource.h>

namespace testfiles {

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
