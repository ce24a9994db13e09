#include "FileAttributes.h"

#include "Fso.h"
#include "PathCodec.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace fileattr {

QString LinkRefusal()
{
    return QStringLiteral("Attributes cannot be set on a link");
}

int GetAttr(const QString &path)
{
    // A link is an item of its own: its target's permissions are not its attributes.
    struct stat st;
    if (::lstat(pathcodec::encode(path).constData(), &st) != 0)
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
    if (::lstat(native.constData(), &st) != 0)
        return vb::Status::fail(fso::errorNumberFromErrno(errno));
    const int current = GetAttr(path);
    if ((attributes & Hidden) != (current & Hidden) || (attributes & (System | Archive)))
        return vb::Status::fail(vb::PermissionDenied);
    mode_t mode = st.st_mode & 07777;
    if (attributes & ReadOnly)
        mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    else if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        mode |= S_IWUSR;
    if (mode == (st.st_mode & 07777))
        return vb::Status::ok();
    // A link has no attributes of its own here; changing its target's would change another item.
    // The change itself never follows a link, should the item have become one since.
    if (S_ISLNK(st.st_mode))
        return vb::Status::fail(vb::PermissionDenied, LinkRefusal());
    if (::fchmodat(AT_FDCWD, native.constData(), mode, AT_SYMLINK_NOFOLLOW) != 0) {
        const int err = errno;
        if (err == EOPNOTSUPP)
            return vb::Status::fail(vb::PermissionDenied, LinkRefusal());
        return vb::Status::fail(fso::errorNumberFromErrno(err));
    }
    return vb::Status::ok();
}

} // namespace fileattr
