#include "FileAttributes.h"

#include "Fso.h"
#include "PathCodec.h"

#include <QFile>
#include <cerrno>
#include <sys/stat.h>

namespace fileattr {

int GetAttr(const QString &path)
{
    struct stat st;
    if (::stat(pathcodec::encode(path).constData(), &st) != 0)
        return -1;
    int a = Normal;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        a |= ReadOnly;
    if (fso::ItemName(path).startsWith(u'.'))
        a |= Hidden;
    if (S_ISDIR(st.st_mode))
        a |= Directory;
    return a;
}

vb::Status SetAttr(const QString &path, int attributes)
{
    struct stat st;
    const QByteArray native = pathcodec::encode(path);
    if (::stat(native.constData(), &st) != 0)
        return vb::Status::fail(vb::FileNotFound);
    const int current = GetAttr(path);
    if ((attributes & Hidden) != (current & Hidden) || (attributes & (System | Archive)))
        return vb::Status::fail(vb::PermissionDenied);
    mode_t mode = st.st_mode & 07777;
    if (attributes & ReadOnly)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(native.constData(), mode) != 0)
        return vb::Status::fail(fso::errorNumberFromErrno(errno));
    return vb::Status::ok();
}

} // namespace fileattr
