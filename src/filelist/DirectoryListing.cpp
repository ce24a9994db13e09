#include "DirectoryListing.h"

#include "PathCodec.h"

#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
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

bool isAscii(const char *raw, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(raw[i]) >= 0x80)
            return false;
    return true;
}

// An entry's place in the sort. ASCII names (most of them) are compared through a lower-case
// copy, which orders them as compareFolded does; the others (folded null) by their text.
// Entries read between two pauses of a large folder.
constexpr size_t PauseEvery = 4096;

struct SortKey {
    const char *folded;
    size_t length;
    size_t index;
};

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
    return Read(pathcodec::encode(path));
}

FolderHandle::FolderHandle(const QString &folder) : m_folder(pathcodec::encode(folder))
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

const FolderHandle &OpenFolder::handle(const QString &folder)
{
    // Items of one folder come together and share its text: comparing where it lives is enough.
    const bool same = m_handle && ((m_folder.constData() == folder.constData() && m_folder.size() == folder.size())
                                   || m_folder == folder);
    if (!same) {
        m_handle.reset();
        m_handle = std::make_unique<FolderHandle>(folder);
        m_folder = folder;
    }
    return *m_handle;
}

bool DirectoryListing::Read(const QString &folder, const std::function<void()> &pause)
{
    m_entries.clear();
    m_blocks.clear();
    DIR *dir = ::opendir(pathcodec::encode(folder).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    constexpr size_t BlockSize = 64 * 1024;
    size_t used = BlockSize;
    std::vector<SortKey> keys;
    while (const dirent *d = ::readdir(dir)) {
        const char *n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        const size_t length = std::strlen(n);
        const bool ascii = isAscii(n, length);
        // The raw name with its NUL, then for an ASCII name its lower-case copy.
        const size_t needed = length + 1 + (ascii ? length : 0);
        if (used + needed > BlockSize) {
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(std::max(BlockSize, needed)));
            used = 0;
        }
        char *raw = m_blocks.back().get() + used;
        std::memcpy(raw, n, length + 1);
        char *folded = nullptr;
        if (ascii) {
            folded = raw + length + 1;
            for (size_t i = 0; i < length; ++i)
                folded[i] = (n[i] >= 'A' && n[i] <= 'Z') ? char(n[i] + 32) : n[i];
        }
        used += needed;
        DirEntry e;
        e.rawName = raw;
        e.name = ascii ? QString::fromLatin1(raw, qsizetype(length))
                       : pathcodec::decode(QByteArrayView(raw, qsizetype(length)));
        if (d->d_type == DT_DIR) {
            e.isDir = true;
        } else if (d->d_type == DT_UNKNOWN) {
            struct stat st {};
            e.isDir = ::fstatat(fd, n, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        keys.push_back({folded, length, m_entries.size()});
        m_entries.push_back(std::move(e));
        if (pause && m_entries.size() % PauseEvery == 0)
            pause();
    }
    ::closedir(dir);
    const auto less = [this](const SortKey &a, const SortKey &b) {
        const DirEntry &x = m_entries[a.index];
        const DirEntry &y = m_entries[b.index];
        if (a.folded && b.folded) {
            const int c = std::memcmp(a.folded, b.folded, std::min(a.length, b.length));
            if (c != 0)
                return c < 0;
            if (a.length != b.length)
                return a.length < b.length;
            return std::strcmp(x.rawName, y.rawName) < 0;
        }
        const int c = compareFolded(x.name, y.name);
        return c != 0 ? c < 0 : x.name < y.name;
    };
    if (pause && keys.size() > PauseEvery) {
        // A large folder takes a while to sort: it is sorted aside while the pauses go on.
        std::future<void> sorted = std::async(std::launch::async, [&] { std::sort(keys.begin(), keys.end(), less); });
        while (sorted.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready)
            pause();
        sorted.get();
    } else {
        std::sort(keys.begin(), keys.end(), less);
    }
    std::vector<DirEntry> sorted;
    sorted.reserve(keys.size());
    for (const SortKey &k : keys)
        sorted.push_back(std::move(m_entries[k.index]));
    m_entries = std::move(sorted);
    return true;
}

} // namespace filelist
