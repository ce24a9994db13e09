// Decoding of encoding-3 frame bytes.
#include "ByteBuilders.h"
#include "UTF8Decode.h"

#include <gtest/gtest.h>

using metadata::UTF8Decode;

TEST(UTF8Decode, SequencesOfEveryLength)
{
    struct Case {
        const char *name;
        QByteArray input;
        QString expected;
    };
    const Case cases[] = {
        {"ascii", "Title", "Title"},
        {"two bytes", bytes::u8({0xC3, 0xA9}), QString(QChar(233))},
        {"euro sign", bytes::u8({0xE2, 0x82, 0xAC}), QString(QChar(8364))},
        {"above U+7FFF", bytes::u8({0xE8, 0xAA, 0x9E, 0x41}), QString(QChar(0x8A9E)) + u'A'},
        {"highest three-byte code", bytes::u8({0xEF, 0xBF, 0xBD}), QString(QChar(0xFFFD))},
        {"four bytes", bytes::u8({0xF0, 0x9F, 0x8E, 0xB5}), QString::fromUcs4(U"\U0001F3B5")},
        {"lone lead at the end", bytes::u8({0x41, 0xC3}), "A"},
        {"three-byte lead with one byte left", bytes::u8({0x41, 0xE2, 0x82}), "A"},
        {"four-byte lead with two bytes left", bytes::u8({0x41, 0xF0, 0x9F, 0x8E}), "A"},
        {"continuation byte alone", bytes::u8({0x80, 0xBF}), QString(QChar(0x80)) + QChar(0xBF)},
        {"continuation bits unchecked", bytes::u8({0xC3, 0x29}), QString(QChar(0xE9))},
        {"encoded surrogate", bytes::u8({0xED, 0xA0, 0x80}), QString(QChar(0xFFFD))},
        {"lead bytes above 247", bytes::u8({0xF8, 0xFF}), QString(QChar(0xF8)) + QChar(0xFF)},
        {"empty", {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UTF8Decode(c.input), c.expected);
    }
}
