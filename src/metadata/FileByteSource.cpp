#include "FileByteSource.h"

#include <QFileInfo>

namespace metadata {

FileByteSource::FileByteSource(const QString &path) : m_file(path) {}

bool FileByteSource::open()
{
    if (!QFileInfo(m_file.fileName()).isFile() || !m_file.open(QIODevice::ReadOnly))
        return false;
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
