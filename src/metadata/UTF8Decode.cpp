#include "UTF8Decode.h"

namespace metadata {

QString UTF8Decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    const qsizetype n = bytes.size();
    auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned b = at(i);
        int more = 0;
        char32_t code = b;
        if (b >= 192 && b <= 223) {
            more = 1;
            code = b - 192;
        } else if (b >= 224 && b <= 239) {
            more = 2;
            code = b - 224;
        } else if (b >= 240 && b <= 247) {
            more = 3;
            code = b - 240;
        }
        if (i + more >= n && more > 0)
            break;
        for (int k = 1; k <= more; ++k)
            code = (code << 6) | (at(i + k) & 0x3F);
        i += more;
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            code = 0xFFFD;
        if (code > 0xFFFF) {
            const QChar pair[2] = {QChar::highSurrogate(code), QChar::lowSurrogate(code)};
            out.append(pair, 2);
        } else {
            out.append(QChar(char16_t(code)));
        }
    }
    return out;
}

} // namespace metadata
