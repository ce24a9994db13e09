#include "TextFile.h"

#include "Fso.h"
#include "PathCodec.h"

#include <QFile>
#include <QStringDecoder>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

// Windows-1252 in 0x80..0x9F; every other byte is its Latin-1 code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        auto b = uchar(bytes[i]);
        out[i] = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

// The bytes as UTF-8 when they are valid UTF-8, else as Windows-1252.
QString decodeUtf8OrCp1252(QByteArrayView bytes, QStringDecoder::Flags flags)
{
    QStringDecoder utf8(QStringDecoder::Utf8, flags);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeCp1252(bytes);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    return decodeUtf8OrCp1252(body, QStringDecoder::Flag::Stateless);
}

QString decodeLine(QByteArrayView bytes)
{
    return decodeUtf8OrCp1252(bytes, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

vb::Status readBytes(const QString &path, QByteArray &bytes, qint64 maxBytes)
{
    const auto tooLarge = [maxBytes](qint64 size) {
        return vb::Status::fail(vb::BadFileNameOrNumber,
                                QStringLiteral("The file is larger (%1 bytes) than the %2 a file of its kind may have.")
                                    .arg(size)
                                    .arg(maxBytes >= (qint64(1) << 20) ? QStringLiteral("%1 MiB").arg(maxBytes >> 20)
                                                                       : QStringLiteral("%1 bytes").arg(maxBytes)));
    };
    QFile f;
    qint64 expected = 0;
    if (path.startsWith(u':')) {
        // A file built into the program.
        f.setFileName(path);
        if (!f.open(QIODevice::ReadOnly))
            return vb::Status::fail(vb::FileNotFound);
        if (f.size() > maxBytes)
            return tooLarge(f.size());
        expected = f.size();
    } else {
        // Opened without waiting: a FIFO would otherwise block until someone writes to it.
        const int fd = ::open(pathcodec::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int err = errno;
            if (err == ENOENT)
                return vb::Status::fail(vb::FileNotFound);
            if (err == EACCES || err == EPERM)
                return vb::Status::fail(vb::PermissionDenied);
            return vb::Status::fail(fso::errorNumberFromErrno(err));
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return vb::Status::fail(vb::BadFileNameOrNumber, QStringLiteral("The file is not a regular file."));
        }
        if (st.st_size > maxBytes) {
            ::close(fd);
            return tooLarge(st.st_size);
        }
        expected = st.st_size;
        if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return vb::Status::fail(vb::PermissionDenied);
        }
    }
    // As many bytes as the file holds (one more shows whether it grew); a file that grows while
    // it is read is cut at the limit, and then refused as too large. Nothing is allocated for
    // bytes the file does not have.
    QByteArray read = f.read(expected + 1);
    while (read.size() > expected && read.size() <= maxBytes) {
        const QByteArray more = f.read(qMin<qint64>(maxBytes + 1 - read.size(), qint64(1) << 16));
        if (more.isEmpty())
            break;
        read += more;
    }
    if (read.size() > maxBytes)
        return tooLarge(read.size());
    bytes = std::move(read);
    return vb::Status::ok();
}

vb::Status readText(const QString &path, QString &text, qint64 maxBytes)
{
    QByteArray bytes;
    if (vb::Status st = readBytes(path, bytes, maxBytes); !st)
        return st;
    text = decode(bytes);
    return vb::Status::ok();
}

vb::Status readLines(const QString &path, QStringList &lines, qint64 maxBytes)
{
    QString text;
    if (vb::Status st = readText(path, text, maxBytes); !st)
        return st;
    lines = splitLines(text);
    return vb::Status::ok();
}

vb::Status readLines(const QString &path, QStringList &lines, qint64 maxBytes,
                     const std::function<bool(qsizetype index)> &isNameLine)
{
    QByteArray bytes;
    if (vb::Status st = readBytes(path, bytes, maxBytes); !st)
        return st;
    const QByteArrayView body = bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    QStringList out;
    const auto add = [&](QByteArrayView line) {
        const qsizetype index = out.size();
        out << (isNameLine && isNameLine(index) ? pathcodec::decode(line) : decodeLine(line));
    };
    qsizetype start = 0;
    const qsizetype n = body.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            add(body.sliced(start, i - start));
            if (c == '\r' && i + 1 < n && body[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        add(body.sliced(start));
    lines = std::move(out);
    return vb::Status::ok();
}

QString quoted(const QString &value)
{
    constexpr qsizetype Shown = 100;
    if (value.size() <= Shown)
        return pathcodec::printable(value);
    return pathcodec::printable(value.left(Shown)) + QStringLiteral("...");
}

vb::Status writeLines(const QString &path, const QStringList &lines)
{
    Writer w(path);
    if (vb::Status st = w.open(); !st)
        return st;
    for (const QString &line : lines)
        w.writeLine(line);
    return w.commit();
}

Writer::Writer(const QString &path) : m_file(path) {}

Writer::~Writer() = default;

vb::Status Writer::open()
{
    return m_file.open();
}

void Writer::writeLine(const QString &line)
{
    m_buffer += pathcodec::encode(line);
    m_buffer += "\r\n";
    if (m_buffer.size() >= (1 << 16))
        flushBuffer();
}

void Writer::flushBuffer()
{
    if (m_buffer.isEmpty())
        return;
    // A short write (a full disk, a file-size limit) spoils the file: it is never committed.
    (void)m_file.write(m_buffer);
    m_buffer.clear();
}

vb::Status Writer::commit()
{
    flushBuffer();
    return m_file.commit();
}

} // namespace textfile
