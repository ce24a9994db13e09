#include "PathCodec.h"

#include <QStringDecoder>

namespace pathcodec {

namespace {

constexpr char16_t RawLow = 0xDC80;
constexpr char16_t RawHigh = 0xDCFF;

bool isRaw(char16_t c) { return c >= RawLow && c <= RawHigh; }

// The length of the valid UTF-8 sequence at `p` (at most `left` bytes), or 0 when there is none.
// Over-long forms, surrogates and code points beyond U+10FFFF are not valid.
int validSequence(const uchar *p, qsizetype left, char32_t &code)
{
    const uchar b = p[0];
    int length;
    char32_t min;
    if (b < 0x80) {
        code = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        min = 0x80;
        code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        min = 0x800;
        code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        min = 0x10000;
        code = b & 0x07;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Copies ASCII text to its bytes (no terminating NUL).
void narrowAscii(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = char(in[i]);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    // Plain ASCII, the usual name, widens byte for byte.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // A leading U+FEFF is part of the name, not a byte-order mark: "\xEF\xBB\xBFa" and "a" are
    // two files.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        char32_t code = 0;
        const int length = validSequence(p + i, n - i, code);
        if (length == 0) {
            text += QChar(char16_t(0xDC00 + p[i]));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(char16_t(code));
        }
        i += length;
    }
    return text;
}

bool hasRawBytes(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (isRaw(c))
            return true;
    }
    return false;
}

QByteArray encode(QStringView path)
{
    if (isAscii(path)) {
        QByteArray out(path.size(), Qt::Uninitialized);
        narrowAscii(path, out.data());
        return out;
    }
    if (!hasRawBytes(path))
        return path.toUtf8();
    QByteArray out;
    out.reserve(path.size() * 3);
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < path.size() && QChar::isLowSurrogate(path[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (!isRaw(c))
            continue;
        out += path.mid(start, i - start).toUtf8();
        out += char(c - 0xDC00);
        start = i + 1;
    }
    out += path.mid(start).toUtf8();
    return out;
}

QString printable(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];
            continue;
        }
        switch (c) {
        case u'\n': out += QLatin1String("\\n"); continue;
        case u'\r': out += QLatin1String("\\r"); continue;
        case u'\t': out += QLatin1String("\\t"); continue;
        case 0: out += QLatin1String("\\0"); continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
            out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
        else if (c == 0x2028 || c == 0x2029)
            out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        else if (isRaw(c))
            out += QStringLiteral("\\x%1").arg(uint(c - 0xDC00), 2, 16, QLatin1Char('0'));
        else if (QChar::isSurrogate(c))
            out += QChar(QChar::ReplacementCharacter);
        else
            out += text[i];
    }
    return out;
}

NativePath::NativePath(QStringView path)
{
    if (path.size() < qsizetype(sizeof m_short) && isAscii(path)) {
        narrowAscii(path, m_short);
        m_short[path.size()] = '\0';
        m_data = m_short;
    } else {
        m_long = encode(path);
        m_data = m_long.constData();
    }
}

} // namespace pathcodec
