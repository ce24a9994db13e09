#include "DirectoryListing.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filelist {

namespace {

// Names compared without regard to case, as QString::compare does, without allocating: most
// names are ASCII, which is folded here directly.
int compareFolded(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        char32_t ca = pa[i];
        char32_t cb = pb[i];
        if (ca == cb)
            continue;
        if (ca < 128 && cb < 128) {
            ca = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            cb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        } else {
            ca = QChar::toCaseFolded(ca);
            cb = QChar::toCaseFolded(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

FileStat fromStat(const struct stat &st)
{
    FileStat f;
    f.found = true;
    f.isDir = S_ISDIR(st.st_mode);
    f.size = f.isDir ? 0 : qint64(st.st_size);
    f.mtime = qint64(st.st_mtim.tv_sec);
    return f;
}

} // namespace

FileStat FileStat::Read(const QByteArray &path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 || ::lstat(path.constData(), &st) == 0)
        return fromStat(st);
    return {};
}

FileStat FileStat::Read(const QString &path)
{
    return Read(QFile::encodeName(path));
}

FolderHandle::FolderHandle(const QString &folder) : m_folder(QFile::encodeName(folder))
{
    m_fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

FolderHandle::~FolderHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileStat FolderHandle::stat(const char *rawName) const
{
    if (m_fd < 0)
        return FileStat::Read(m_folder + rawName);
    struct stat st {};
    if (::fstatat(m_fd, rawName, &st, 0) == 0 || ::fstatat(m_fd, rawName, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return fromStat(st);
    return {};
}

bool DirectoryListing::Read(const QString &folder)
{
    m_entries.clear();
    m_blocks.clear();
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    constexpr size_t BlockSize = 64 * 1024;
    size_t used = BlockSize;
    while (const dirent *d = ::readdir(dir)) {
        const char *n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        const size_t length = std::strlen(n) + 1;
        if (used + length > BlockSize) {
            m_blocks.push_back(std::make_unique<char[]>(std::max(BlockSize, length)));
            used = 0;
        }
        char *raw = m_blocks.back().get() + used;
        std::memcpy(raw, n, length);
        used += length;
        DirEntry e;
        e.rawName = raw;
        e.name = QFile::decodeName(QByteArray::fromRawData(raw, qsizetype(length - 1)));
        if (d->d_type == DT_DIR) {
            e.isDir = true;
        } else if (d->d_type == DT_UNKNOWN) {
            struct stat st {};
            e.isDir = ::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        m_entries.push_back(std::move(e));
    }
    ::closedir(dir);
    std::sort(m_entries.begin(), m_entries.end(), [](const DirEntry &a, const DirEntry &b) {
        const int c = compareFolded(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return true;
}

} // namespace filelist
