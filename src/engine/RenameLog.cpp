#include "RenameLog.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "FileIdentity.h"
#include "PathCodec.h"
#include "VbFormat.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {

namespace {

bool sameFile(int a, int b)
{
    struct stat first {};
    struct stat second {};
    return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && fileidentity::sameFile(first, second);
}

// Whether `path` is still the file open as `fd` (not a file that took its name since).
bool nameIsFile(const QString &path, int fd)
{
    struct stat open {};
    struct stat named {};
    return fd >= 0 && ::fstat(fd, &open) == 0 && ::lstat(pathcodec::encode(path).constData(), &named) == 0
           && fileidentity::sameFile(open, named);
}

} // namespace

QString RenameLog::fileName()
{
    return AppFile(QStringLiteral("templog.log"));
}

QString RenameLog::datedFileName(const QDateTime &at, int number)
{
    const QString suffix = number > 1 ? QStringLiteral("_%1.txt").arg(number) : QStringLiteral(".txt");
    return AppFile(QStringLiteral("Rename_Log") + vb::Format(at, QStringLiteral("mm_dd_yyyy"))
                   + vb::Format(at, QStringLiteral("hh_mm_ss_AM/PM")) + suffix);
}

QString RenameLog::line(const QString &path, const QString &original, const QString &preview,
                        const QString &result)
{
    const QString separator = QStringLiteral(" : ");
    return path + separator + original + separator + preview + separator + result;
}

RenameLog::RenameLog(const QDateTime &start, QString path) : m_path(std::move(path)), m_start(start) {}

RenameLog::~RenameLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_readFd >= 0)
        ::close(m_readFd);
}

vb::Status RenameLog::open()
{
    QString target;
    if (vb::Status st = textfile::resolveWriteTarget(m_path, target); !st) {
        m_failedPath = m_path;
        return st;
    }
    // The run's file is one this run creates: a name that is there already, whatever it is (the
    // file of another run that started in the same second, a link, a folder), belongs to someone
    // else and is left alone; the next number is tried.
    for (int number = 1; m_fd < 0; ++number) {
        if (number > MostRunFiles) {
            // The message names the first, the next and the last name: every one is taken.
            const auto nameOnly = [this](int n) {
                const QString path = datedFileName(m_start, n);
                return pathcodec::printable(path.mid(path.lastIndexOf(u'/') + 1));
            };
            m_failedPath = m_runFile = datedFileName(m_start);
            return vb::Status::fail(vb::FileAlreadyExists,
                                    QStringLiteral("File exists, and so do \"%1\" to \"%2\": all %3 names for "
                                                   "a log of this second are taken")
                                        .arg(nameOnly(2), nameOnly(MostRunFiles))
                                        .arg(MostRunFiles));
        }
        m_runFile = datedFileName(m_start, number);
        m_fd = textfile::openForWriting(pathcodec::encode(m_runFile).constData(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (m_fd < 0 && errno != EEXIST) {
            m_failedPath = m_runFile;
            return textfile::systemFailure(errno);
        }
    }
    // The copies at the end read the file back through a descriptor of their own, opened by name:
    // it must be the very file just created.
    m_readFd = ::open(pathcodec::encode(m_runFile).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int err = m_readFd < 0 ? errno : sameFile(m_fd, m_readFd) ? 0 : EEXIST;
    if (err != 0) {
        // The file this run created goes again; a file that took its name stays.
        if (nameIsFile(m_runFile, m_fd))
            ::unlink(pathcodec::encode(m_runFile).constData());
        if (m_readFd >= 0)
            ::close(m_readFd);
        m_readFd = -1;
        ::close(m_fd);
        m_fd = -1;
        m_failedPath = m_runFile;
        return textfile::systemFailure(err);
    }
    m_sinceSync.start();
    return vb::Status::ok();
}

bool RenameLog::begin(const QString &path, const QString &original, const QString &preview)
{
    m_begun = line(path, original, preview, QString());
    if (append(pathcodec::encode(m_begun)))
        return true;
    // The row is not moved, so it has no line.
    m_begun.clear();
    return false;
}

bool RenameLog::write(const QString &path, const QString &original, const QString &preview,
                      const QString &result)
{
    const QString whole = line(path, original, preview, result);
    const bool begun = !m_begun.isEmpty() && whole.startsWith(m_begun);
    // Names go out as their bytes, as every program file holds them.
    const QByteArray rest =
        pathcodec::encode(begun ? QStringView(whole).mid(m_begun.size()) : QStringView(whole)) + "\r\n";
    if (append(rest)) {
        m_wholeLineBytes = m_fileBytes;
    } else {
        // The file stopped taking lines (or was never open): the line waits here for the copies.
        m_unwritten += begun ? pathcodec::encode(m_begun) + rest : rest;
    }
    m_begun.clear();
    sync();
    return m_fd >= 0 && m_runFailure;
}

bool RenameLog::append(const QByteArray &bytes)
{
    if (m_fd < 0 || !m_runFailure)
        return false;
    // Each piece goes out in one call: the file holds it as soon as the call returns, whatever
    // becomes of the process then.
    for (qsizetype done = 0; m_runFailure && done < bytes.size();) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_runFailure = textfile::systemFailure(n < 0 ? errno : ENOSPC);
        else
            done += n;
    }
    if (!m_runFailure) {
        // A piece the file took in part is taken off again (shortening needs no room on the
        // disk), so that the file ends where it did before.
        (void)::ftruncate(m_fd, off_t(m_fileBytes));
        return false;
    }
    m_fileBytes += bytes.size();
    return true;
}

void RenameLog::sync()
{
    if (m_fd < 0 || !m_runFailure)
        return;
    if (!m_sinceSync.hasExpired(SyncMilliseconds))
        return;
    if (::fdatasync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        m_runFailure = textfile::systemFailure(errno);
    m_sinceSync.start();
}

vb::Status RenameLog::writeWhole(const QString &path) const
{
    textfile::AtomicFile file(path);
    if (vb::Status st = file.open(); !st)
        return st;
    // The run's file is copied in pieces, so that a long log never sits in memory whole.
    constexpr qint64 Piece = 1 << 18;
    QByteArray piece;
    for (qint64 done = 0; m_readFd >= 0 && done < m_wholeLineBytes;) {
        piece.resize(qsizetype(std::min(Piece, m_wholeLineBytes - done)));
        const ssize_t n = ::pread(m_readFd, piece.data(), size_t(piece.size()), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            file.cancel();
            return textfile::systemFailure(n < 0 ? errno : EIO);
        }
        piece.truncate(qsizetype(n));
        if (vb::Status st = file.write(piece); !st)
            return st;
        done += n;
    }
    if (vb::Status st = file.write(m_unwritten); !st)
        return st;
    return file.commit();
}

vb::Status RenameLog::close(bool keepRunFile)
{
    // (A file whose close failed may not hold on disk what it reads back: its copy is written
    // whole again.)
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_runFailure)
        m_runFailure = textfile::systemFailure(errno);
    m_fd = -1;

    vb::Status result = writeWhole(m_path);
    const bool logWritten = bool(result);
    if (!logWritten)
        m_failedPath = m_path;
    // The run's file is removed or rewritten by its name only while that name is still this
    // run's file: one that took its place since is someone else's.
    const bool ownName = nameIsFile(m_runFile, m_readFd);
    bool runFileWhole = ownName && m_runFailure;
    if (!keepRunFile && logWritten) {
        if (ownName)
            ::unlink(pathcodec::encode(m_runFile).constData());
    } else if (ownName && !runFileWhole) {
        // A kept file that missed lines (a write failed during the run) is written whole after
        // all.
        if (const vb::Status copied = writeWhole(m_runFile); copied) {
            runFileWhole = true;
        } else if (result) {
            m_failedPath = m_runFile;
            result = copied;
        }
    }
    if (keepRunFile && runFileWhole) {
        m_recordFile = m_runFile;
    } else if (logWritten) {
        m_recordFile = m_path;
    } else {
        m_recordFile = ownName ? m_runFile : QString();
    }
    m_recordWhole = m_recordFile == m_path || runFileWhole;
    if (m_readFd >= 0)
        ::close(m_readFd);
    m_readFd = -1;
    return result;
}

} // namespace engine
