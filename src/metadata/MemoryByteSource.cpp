#include "MemoryByteSource.h"

#include <utility>

namespace metadata {

MemoryByteSource::MemoryByteSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}

qint64 MemoryByteSource::size() const
{
    return m_bytes.size();
}

QByteArray MemoryByteSource::read(qint64 position, qint64 length)
{
    const qint64 n = clampLength(m_bytes.size(), position, length);
    return n > 0 ? m_bytes.mid(position, n) : QByteArray();
}

} // namespace metadata
