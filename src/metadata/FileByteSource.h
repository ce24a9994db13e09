#pragma once
#include "ByteSource.h"

#include <QFile>
#include <QString>

namespace metadata {

/** A byte source over a file opened read-only for the lifetime of the object. */
class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const QString &path);

    /** Opens the file; false when it is missing, a folder or unreadable. */
    bool open();

    qint64 size() const override;
    QByteArray read(qint64 position, qint64 length) override;

private:
    QString m_path;
    QFile m_file;
    qint64 m_size = 0;
};

} // namespace metadata
