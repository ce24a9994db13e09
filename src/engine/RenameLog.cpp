#include "RenameLog.h"

#include "AppFolder.h"
#include "AtomicFile.h"
#include "PathCodec.h"
#include "VbFormat.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace engine {

QString RenameLog::fileName()
{
    return AppFile(QStringLiteral("templog.log"));
}

QString RenameLog::datedFileName(const QDateTime &at)
{
    return AppFile(QStringLiteral("Rename_Log") + vb::Format(at, QStringLiteral("mm_dd_yyyy"))
                   + vb::Format(at, QStringLiteral("hh_mm_ss_AM/PM")) + QStringLiteral(".txt"));
}

QString RenameLog::line(const QString &path, const QString &original, const QString &preview,
                        const QString &result)
{
    const QString separator = QStringLiteral(" : ");
    return path + separator + original + separator + preview + separator + result;
}

RenameLog::RenameLog(QString runFile, QString path) : m_path(std::move(path)), m_runFile(std::move(runFile)) {}

RenameLog::~RenameLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

vb::Status RenameLog::open()
{
    QString target;
    if (vb::Status st = textfile::resolveWriteTarget(m_path, target); !st) {
        m_failedPath = m_path;
        return st;
    }
    // The run's file is appended to as it stands on disk, so it too must be a regular file (or
    // the regular file a link leads to); a dated file of the same name is replaced.
    if (vb::Status st = textfile::resolveWriteTarget(m_runFile, target); !st) {
        m_failedPath = m_runFile;
        return st;
    }
    m_fd = textfile::openForWriting(pathcodec::encode(target).constData(),
                                    O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (m_fd < 0) {
        m_failedPath = m_runFile;
        return textfile::systemFailure(errno);
    }
    m_runFile = target;
    m_sinceSync.start();
    return vb::Status::ok();
}

void RenameLog::begin(const QString &path, const QString &original, const QString &preview)
{
    m_begun = line(path, original, preview, QString());
    append(pathcodec::encode(m_begun));
}

void RenameLog::write(const QString &path, const QString &original, const QString &preview,
                      const QString &result)
{
    m_lines.append(line(path, original, preview, result));
    const QString &whole = m_lines.constLast();
    const bool begun = !m_begun.isEmpty() && whole.startsWith(m_begun);
    // Names go out as their bytes, as every program file holds them.
    append(pathcodec::encode(begun ? QStringView(whole).mid(m_begun.size()) : QStringView(whole)) + "\r\n");
    m_begun.clear();
    sync();
}

void RenameLog::append(const QByteArray &bytes)
{
    if (m_fd < 0)
        return;
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

vb::Status RenameLog::close(bool keepRunFile)
{
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_runFailure)
        m_runFailure = textfile::systemFailure(errno);
    m_fd = -1;

    const vb::Status written = textfile::writeLines(m_path, m_lines);
    if (!written) {
        m_failedPath = m_path;
        return written;
    }
    if (!keepRunFile) {
        ::unlink(pathcodec::encode(m_runFile).constData());
        return vb::Status::ok();
    }
    // A copy that missed lines (a write failed during the run) is written whole after all.
    if (!m_runFailure) {
        if (const vb::Status copied = textfile::writeLines(m_runFile, m_lines); !copied) {
            m_failedPath = m_runFile;
            return copied;
        }
    }
    return vb::Status::ok();
}

} // namespace engine
