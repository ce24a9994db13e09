#pragma once
#include <QByteArray>
#include <QString>

namespace metadata {

/**
 * Decodes the bytes of an encoding-3 ID3 frame. Bytes 0-191 stand for themselves; a lead byte
 * 192-223 takes one continuation byte, 224-239 two and 240-247 three (code points above U+FFFF
 * become surrogate pairs). Continuation bytes contribute their low six bits unchecked. A sequence
 * cut short by the end of the input ends the text there. Lead bytes 248-255 stand for
 * themselves, and a code that is a surrogate or
 * beyond U+10FFFF becomes U+FFFD.
 */
QString UTF8Decode(const QByteArray &bytes);

} // namespace metadata
