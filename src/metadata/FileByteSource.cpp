#include "FileByteSource.h"

#include "PathCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace metadata {

FileByteSource::FileByteSource(const QString &path) : m_path(path) {}

bool FileByteSource::open()
{
    // Opened by the name's own bytes, so that a name that is not UTF-8 reads its own file.
    const int fd = ::open(pathcodec::encode(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
        || !m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    m_size = m_file.size();
    return true;
}

qint64 FileByteSource::size() const
{
    return m_size;
}

QByteArray FileByteSource::read(qint64 position, qint64 length)
{
    const qint64 n = clampLength(m_size, position, length);
    if (n <= 0 || !m_file.isOpen() || !m_file.seek(position))
        return {};
    return m_file.read(n);
}

} // namespace metadata
