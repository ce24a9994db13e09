#pragma once
/**
 * File names as the kernel has them: bytes, usually UTF-8. A name that is not valid UTF-8 keeps
 * each byte that does not decode as a lone surrogate U+DC80..U+DCFF in the QString, and gets the
 * very byte back when the path is encoded for a system call, so such a name is found, listed and
 * renamed byte for byte and never mistaken for another file.
 */
#include <QByteArray>
#include <QString>

namespace pathcodec {

/** Decodes a path: valid UTF-8 as such, each other byte as U+DC00 + byte. */
QString decode(QByteArrayView bytes);

/** Encodes a path for a system call: UTF-8, with each U+DC80..U+DCFF restored to its byte. */
QByteArray encode(QStringView path);

/** A path encoded for one system call, as encode() gives it; a short ASCII path (the usual
 *  name) is kept on the stack. */
class NativePath {
public:
    explicit NativePath(QStringView path);
    NativePath(const NativePath &) = delete;
    NativePath &operator=(const NativePath &) = delete;
    const char *c_str() const { return m_data; }

private:
    char m_short[256];
    QByteArray m_long;
    const char *m_data;
};

/** True when `text` holds a byte that was not UTF-8. */
bool hasRawBytes(QStringView text);

/** `text` for a message or a line on standard error: control characters escaped ("\n", "\r",
 *  "\t", "\0", "\xHH") and raw bytes as "\xHH", so a name can neither break nor cut a line. A
 *  backslash stays as it is. */
QString printable(QStringView text);

} // namespace pathcodec
