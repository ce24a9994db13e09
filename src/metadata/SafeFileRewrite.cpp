#include "SafeFileRewrite.h"

#include "PathCodec.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>

namespace metadata {

SafeFileRewrite::SafeFileRewrite(const QString &path) : m_path(path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        m_times[0] = st.st_atim;
        m_times[1] = st.st_mtim;
        m_haveTimes = true;
    }
}

bool SafeFileRewrite::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool SafeFileRewrite::write(const QByteArray &head, qint64 from, qint64 to, const QByteArray &tail)
{
    m_error.clear();
    // The replacing file is written by name; a name that is not UTF-8 would name another file.
    if (pathcodec::hasRawBytes(m_path))
        return fail(QStringLiteral("The name of %1 is not valid UTF-8; the file was left as it is.")
                        .arg(pathcodec::printable(m_path)));
    QFile source(m_path);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Could not open %1: %2").arg(m_path, source.errorString()));
    if (from < 0 || to < from || to > source.size() || !source.seek(from))
        return fail(QStringLiteral("The file %1 changed while it was being read.").arg(m_path));

    QSaveFile target(m_path);
    target.setDirectWriteFallback(false);
    if (!target.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Could not create a temporary file beside %1: %2")
                        .arg(m_path, target.errorString()));
    auto writeAll = [&target](const QByteArray &bytes) {
        return target.write(bytes) == bytes.size();
    };
    bool ok = writeAll(head);
    for (qint64 left = to - from; ok && left > 0;) {
        const QByteArray block = source.read(qMin(left, BlockSize));
        ok = !block.isEmpty() && writeAll(block);
        left -= block.size();
    }
    ok = ok && writeAll(tail) && target.flush();
    const qint64 expected = head.size() + (to - from) + tail.size();
    if (!ok || target.size() != expected) {
        const QString reason = target.errorString();
        target.cancelWriting();
        return fail(
            QStringLiteral("Could not write the new contents of %1: %2").arg(m_path, reason));
    }
    if (!target.commit())
        return fail(QStringLiteral("Could not replace %1: %2").arg(m_path, target.errorString()));
    if (m_haveTimes)
        ::utimensat(AT_FDCWD, QFile::encodeName(m_path).constData(), m_times, 0);
    return true;
}

} // namespace metadata
