#pragma once
/** Telling whether two looks at the file system saw the very same file. */
#include <sys/stat.h>

namespace fileidentity {

/** Whether `a` and `b` (results of stat, lstat or fstat) describe one and the same file: the
 *  same device and the same inode, whatever names led to it. */
inline bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace fileidentity
