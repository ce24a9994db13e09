#pragma once
/**
 * Reading folders for the scan: the entries of one folder in name order, and what the list
 * shows of one path (size, last-write time, folder or not).
 */
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace filelist {

/** What a lookup of one path found. */
struct FileStat {
    bool found = false;
    bool isDir = false;
    qint64 size = 0;
    /** Last-write time, seconds since the epoch. */
    qint64 mtime = 0;

    /** Looks up a path (links followed; a dangling link describes the link itself). */
    static FileStat Read(const QByteArray &path);
    static FileStat Read(const QString &path);
};

/** An open folder whose entries are looked up by name, without walking the path each time. */
class FolderHandle {
public:
    explicit FolderHandle(const QString &folder);
    ~FolderHandle();
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    /** Looks up an entry as FileStat::Read does. */
    FileStat stat(const char *rawName) const;

private:
    int m_fd = -1;
    QByteArray m_folder;
};

/** The one folder a thread keeps open while it looks up the entries of several folders in turn:
 *  asked for another folder, it closes the one it holds first, so that a thread never holds
 *  more than one open folder, however many folders it goes through. */
class OpenFolder {
public:
    /** A handle of `folder` (ending in "/"), opened unless it is the one open already. */
    const FolderHandle &handle(const QString &folder);

private:
    QString m_folder;
    std::unique_ptr<FolderHandle> m_handle;
};

/** One entry of a folder ("." and ".." are never listed). */
struct DirEntry {
    QString name;
    /** The name as the file system holds it, NUL-terminated; owned by its listing. */
    const char *rawName = nullptr;
    /** A real folder; links to folders are not, so the scan does not follow them. */
    bool isDir = false;
};

/** The entries of one folder, sorted by name without regard to case (ties by exact name),
 *  hidden entries included. */
class DirectoryListing {
public:
    /** Reads `folder` (ending in "/"); false when it cannot be opened. A large folder calls
     *  `pause` (when given) every few thousand entries, so that a window can answer meanwhile. */
    bool Read(const QString &folder, const std::function<void()> &pause = {});

    const std::vector<DirEntry> &entries() const { return m_entries; }

private:
    std::vector<DirEntry> m_entries;
    /** The raw names (and the sort keys of ASCII ones), in blocks that never move once written. */
    std::vector<std::unique_ptr<char[]>> m_blocks;
};

} // namespace filelist
