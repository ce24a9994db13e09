#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testfiles {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void writeRawFile(const QByteArray &path, const QByteArray &bytes)
{
    FILE *f = std::fopen(path.constData(), "wb");
    ASSERT_NE(f, nullptr) << path.toStdString();
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
    ASSERT_EQ(std::fclose(f), 0) << path.toStdString();
    ASSERT_EQ(written, size_t(bytes.size())) << path.toStdString();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

namespace {

// Empties the folder open as `folder` (the descriptor is closed): every entry is unlinked by its
// bytes, a folder emptied first. Returns whether every entry went.
bool emptyFolder(int folder)
{
    // A folder without write permission cannot lose its entries.
    (void)::fchmod(folder, 0700);
    DIR *listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return false;
    }
    bool emptied = true;
    while (const dirent *entry = ::readdir(listing)) {
        const char *name = entry->d_name;
        if (!std::strcmp(name, ".") || !std::strcmp(name, ".."))
            continue;
        if (::unlinkat(::dirfd(listing), name, 0) == 0)
            continue;
        if (errno != EISDIR) {
            emptied = false;
            continue;
        }
        int inner = ::openat(::dirfd(listing), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0 && errno == EACCES) {
            (void)::fchmodat(::dirfd(listing), name, 0700, 0);
            inner = ::openat(::dirfd(listing), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (inner < 0 || !emptyFolder(inner) || ::unlinkat(::dirfd(listing), name, AT_REMOVEDIR) != 0)
            emptied = false;
    }
    ::closedir(listing);
    return emptied;
}

} // namespace

bool removeTree(const QString &path)
{
    const QByteArray bytes = QFile::encodeName(path);
    int folder = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0 && errno == EACCES) {
        (void)::chmod(bytes.constData(), 0700);
        folder = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (folder < 0)
        return errno == ENOENT;
    emptyFolder(folder);
    return ::rmdir(bytes.constData()) == 0;
}

QString artifactFolder()
{
    QString dir = qEnvironmentVariable("MORVANE_BINARY_DIR", QDir::currentPath()) + "/screenshots";
    QDir().mkpath(dir);
    return dir;
}

} // namespace testfiles
