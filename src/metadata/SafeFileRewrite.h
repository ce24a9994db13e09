#pragma once
/**
 * Rewrites a file as new leading bytes, a range of its present content and new trailing bytes,
 * without ever leaving it damaged: everything goes to a temporary file in the same folder,
 * whose length is checked before it is renamed over the original. Any failure leaves the
 * original byte for byte and is reported. The file's access and modification times, read when
 * the object is made, are given back to the new file.
 */
#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace metadata {

class SafeFileRewrite {
public:
    /** Block size of the copy of the kept range. */
    static constexpr qint64 BlockSize = 20480;

    /** Reads the file's times now (a file whose times cannot be read keeps the new ones). */
    explicit SafeFileRewrite(const QString &path);

    /** Replaces the file by `head`, its bytes [from, to) and `tail`; false with errorString()
     *  set when anything fails, the file then being as it was. */
    bool write(const QByteArray &head, qint64 from, qint64 to, const QByteArray &tail);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString &message);

    QString m_path;
    bool m_haveTimes = false;
    struct timespec m_times[2] = {}; ///< access, modification
    QString m_error;
};

} // namespace metadata
