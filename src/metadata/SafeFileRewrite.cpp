#include "SafeFileRewrite.h"

#include "AtomicFile.h"
#include "PathCodec.h"

#include <QFile>

#include <fcntl.h>

namespace metadata {

SafeFileRewrite::SafeFileRewrite(const QString &path) : m_path(path)
{
    struct stat st {};
    if (::stat(pathcodec::encode(path).constData(), &st) == 0) {
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

    // A file with other names (hard links) would keep the old contents under those names if a
    // new file took its place: it is refused instead of being split in two.
    struct stat st {};
    if (::fstat(source.handle(), &st) == 0 && st.st_nlink > 1)
        return fail(QStringLiteral("%1 has %2 names (hard links); its tags were not written, so that every name "
                                   "keeps showing the same file.")
                        .arg(pathcodec::printable(m_path))
                        .arg(st.st_nlink));

    // Through a link, the file it leads to is rewritten; its owner, group and permissions carry
    // over to the new file.
    textfile::AtomicFile target(m_path);
    if (const vb::Status opened = target.open(); !opened)
        return fail(QStringLiteral("Could not create a temporary file beside %1: %2")
                        .arg(pathcodec::printable(m_path), opened.description));
    vb::Status written = target.write(head);
    for (qint64 left = to - from; written && left > 0;) {
        const QByteArray block = source.read(qMin(left, BlockSize));
        if (block.isEmpty()) {
            written = vb::Status::fail(vb::PathFileAccessError,
                                       QStringLiteral("the file changed while it was being read"));
            break;
        }
        written = target.write(block);
        left -= block.size();
    }
    if (written)
        written = target.write(tail);
    const qint64 expected = head.size() + (to - from) + tail.size();
    struct stat made {};
    if (written && (::fstat(target.handle(), &made) != 0 || made.st_size != expected))
        written = vb::Status::fail(vb::PathFileAccessError, QStringLiteral("the new file has the wrong length"));
    if (!written) {
        target.cancel();
        return fail(QStringLiteral("Could not write the new contents of %1: %2")
                        .arg(pathcodec::printable(m_path), written.description));
    }
    const QString replaced = target.targetPath();
    if (const vb::Status committed = target.commit(); !committed)
        return fail(QStringLiteral("Could not replace %1: %2").arg(pathcodec::printable(m_path), committed.description));
    if (m_haveTimes)
        ::utimensat(AT_FDCWD, pathcodec::encode(replaced).constData(), m_times, 0);
    return true;
}

} // namespace metadata
