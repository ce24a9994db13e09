#pragma once
// A strict reader of the GIF files the writer makes: it checks the block layout and decodes the
// LZW stream the way a decoder does, reporting every code and the highest table code reached.
#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace gifcheck {

struct Decoded {
    bool transparency = false;
    int width = 0;
    int height = 0;
    int transparentIndex = -1;
    QByteArray colorTable;       ///< 768 bytes
    QByteArray blocks;           ///< the image data sub-blocks and terminator, as written
    std::vector<int> codes;      ///< every 9-bit code in order
    int highestNextCode = 0;     ///< the decoder's next free code at its highest
    std::vector<std::uint8_t> pixels;
};

inline int le16(const QByteArray &b, qsizetype pos)
{
    return static_cast<unsigned char>(b[pos]) | (static_cast<unsigned char>(b[pos + 1]) << 8);
}

/** Decodes a file, failing the test at the first thing out of place. */
inline Decoded decode(const QByteArray &file)
{
    Decoded d;
    EXPECT_TRUE(file.startsWith("GIF87a") || file.startsWith("GIF89a"));
    d.transparency = file.startsWith("GIF89a");
    d.width = le16(file, 6);
    d.height = le16(file, 8);
    EXPECT_EQ(file.mid(10, 3), QByteArray("\xF7\0\0", 3));
    d.colorTable = file.mid(13, 768);
    qsizetype pos = 13 + 768;
    if (d.transparency) {
        EXPECT_EQ(file.mid(pos, 6), QByteArray("\x21\xF9\x04\x09\0\0", 6));
        d.transparentIndex = static_cast<unsigned char>(file[pos + 6]);
        EXPECT_EQ(file[pos + 7], '\0');
        pos += 8;
    }
    EXPECT_EQ(file.mid(pos, 10), QByteArray("\x2C\0\0\0\0", 5) + file.mid(6, 4) + char(7));
    EXPECT_EQ(file[pos + 10], char(8));
    pos += 11;
    const qsizetype blocksStart = pos;
    QByteArray data;
    while (pos < file.size() && file[pos] != '\0') {
        const int n = static_cast<unsigned char>(file[pos]);
        data += file.mid(pos + 1, n);
        pos += 1 + n;
    }
    d.blocks = file.mid(blocksStart, pos + 1 - blocksStart);
    EXPECT_EQ(file.mid(pos), QByteArray("\0\x3B", 2)) << "terminator and trailer end the file";

    std::vector<std::vector<std::uint8_t>> table;
    auto reset = [&table] {
        table.assign(258, {});
        for (int i = 0; i < 256; ++i)
            table[std::size_t(i)] = {std::uint8_t(i)};
    };
    reset();
    int previous = -1;
    qint64 bit = 0;
    const qint64 bits = data.size() * 8;
    while (bit + 9 <= bits) {
        int code = 0;
        for (int i = 0; i < 9; ++i, ++bit)
            if ((static_cast<unsigned char>(data[bit / 8]) >> (bit % 8)) & 1)
                code |= 1 << i;
        d.codes.push_back(code);
        if (code == 256) {
            reset();
            previous = -1;
            continue;
        }
        if (code == 257)
            break;
        const int next = int(table.size());
        if (previous < 0) {
            EXPECT_LT(code, 256) << "the first code after a clear is a pixel";
        } else {
            EXPECT_LE(code, next);
        }
        if (code > next || (code == next && previous < 0))
            break;
        std::vector<std::uint8_t> entry = code < next ? table[std::size_t(code)] : table[std::size_t(previous)];
        if (code == next)
            entry.push_back(table[std::size_t(previous)][0]);
        if (previous >= 0) {
            std::vector<std::uint8_t> added = table[std::size_t(previous)];
            added.push_back(entry[0]);
            table.push_back(added);
            d.highestNextCode = std::max(d.highestNextCode, int(table.size()));
        }
        d.pixels.insert(d.pixels.end(), entry.begin(), entry.end());
        previous = code;
    }
    EXPECT_FALSE(d.codes.empty());
    if (!d.codes.empty()) {
        EXPECT_EQ(d.codes.back(), 257);
    }
    EXPECT_LT(bits - bit, 8) << "no whole byte after the end code";
    return d;
}

} // namespace gifcheck
