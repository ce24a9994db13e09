#pragma once
// Small fixtures for the file list tests: files with chosen sizes and times in a temporary folder.
#include "TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fixtures {

/** Sets a path's last-write time (local time). */
inline void setModified(const QString &path, const QDateTime &local)
{
    struct timespec times[2];
    times[0].tv_sec = local.toSecsSinceEpoch();
    times[0].tv_nsec = 0;
    times[1] = times[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0)
        << path.toStdString();
}

/** A file of `size` bytes under `root` (relative path, parents created). */
inline QString makeFile(const QString &root, const QString &relative, qint64 size = 0)
{
    const QString path = root + u'/' + relative;
    testfiles::writeFile(path, QByteArray(size, 'x'));
    return path;
}

inline QString makeFolder(const QString &root, const QString &relative)
{
    const QString path = root + u'/' + relative;
    QDir().mkpath(path);
    return path;
}

} // namespace fixtures
