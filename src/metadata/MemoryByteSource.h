#pragma once
#include "ByteSource.h"

namespace metadata {

/** A byte source over a buffer held in memory (tests, fuzzing, bytes already read). */
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(QByteArray bytes);

    qint64 size() const override;
    QByteArray read(qint64 position, qint64 length) override;

private:
    QByteArray m_bytes;
};

} // namespace metadata
