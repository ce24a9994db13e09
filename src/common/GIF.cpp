#include "GIF.h"

#include "VbConvert.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <unordered_map>

namespace common {

namespace {

constexpr int CodeWidth = 9;
constexpr int CubeLevels[5] = {0, 64, 128, 192, 255};

QByteArray le16(int v)
{
    return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF);
}

/** Packs codes, least significant bit first, into sub-blocks of at most 255 bytes. */
class CodeStream {
public:
    void put(int code)
    {
        for (int bit = 0; bit < CodeWidth; ++bit) {
            if (m_bitPos == 8) {
                if (m_block.size() == 255)
                    flushBlock();
                m_block += '\0';
                m_bitPos = 0;
            }
            if ((code >> bit) & 1)
                m_block.back() = char(static_cast<unsigned char>(m_block.back()) | (1 << m_bitPos));
            ++m_bitPos;
        }
    }
    /** The sub-blocks and the block terminator. */
    QByteArray finish()
    {
        if (!m_block.isEmpty())
            flushBlock();
        m_out += '\0';
        return m_out;
    }

private:
    void flushBlock()
    {
        m_out += char(m_block.size());
        m_out += m_block;
        m_block.clear();
    }

    QByteArray m_out;
    QByteArray m_block;
    int m_bitPos = 8;
};

} // namespace

std::array<std::uint32_t, 256> GIF::colorCube()
{
    std::array<std::uint32_t, 256> table{};
    for (int b = 0; b < 5; ++b)
        for (int g = 0; g < 5; ++g)
            for (int r = 0; r < 5; ++r)
                table[std::size_t(25 * b + 5 * g + r)] = (std::uint32_t(CubeLevels[r]) << 16)
                    | (std::uint32_t(CubeLevels[g]) << 8) | std::uint32_t(CubeLevels[b]);
    return table;
}

int GIF::cubeIndex(std::uint32_t rgb)
{
    auto level = [](unsigned v) {
        int best = 0;
        for (int i = 1; i < 5; ++i)
            if (std::abs(int(v) - CubeLevels[i]) < std::abs(int(v) - CubeLevels[best]))
                best = i;
        return best;
    };
    return 25 * level(rgb & 0xFF) + 5 * level((rgb >> 8) & 0xFF) + level((rgb >> 16) & 0xFF);
}

GIF::IndexedPixels GIF::indexedPixels(const Bitmap &picture, const Bitmap *sourceDC)
{
    const Bitmap &source = sourceDC ? *sourceDC : picture;
    IndexedPixels out;
    out.width = picture.width;
    out.height = picture.height;
    out.pixels.assign(std::size_t(out.width) * std::size_t(out.height), 0);
    const bool straight = picture.bitsPerPixel == 8 && source.bitsPerPixel == 8;
    out.colorTable = straight ? source.colorTable : colorCube();
    for (int y = 0; y < out.height && y < source.height; ++y)
        for (int x = 0; x < out.width && x < source.width; ++x)
            out.pixels[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] = straight
                ? std::uint8_t(source.at(x, y))
                : std::uint8_t(cubeIndex(source.color(x, y)));
    return out;
}

QByteArray GIF::encodeImage(const IndexedPixels &image)
{
    CodeStream codes;
    std::unordered_map<std::uint32_t, int> table; // (prefix code, pixel) -> code
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.pixels.data() + std::size_t(y) * std::size_t(image.width);
        table.clear();
        codes.put(ClearCode);
        int current = row[0];
        for (int x = 1; x < image.width; ++x) {
            const int p = row[x];
            const std::uint32_t key = (std::uint32_t(current) << 8) | std::uint32_t(p);
            if (const auto found = table.find(key); found != table.end()) {
                current = found->second;
                continue;
            }
            codes.put(current);
            if (int(table.size()) == MaxStrings) {
                // The table is full: start a new one instead of adding the string.
                codes.put(ClearCode);
                table.clear();
            } else {
                table.emplace(key, FirstStringCode + int(table.size()));
            }
            current = p;
        }
        codes.put(current);
        if ((y + 1) % 10 == 0) {
            Q_EMIT Progress(int(vb::roundHalfEven(double(y + 1) * 100.0 / image.height)));
            if (QCoreApplication::instance())
                QCoreApplication::processEvents();
        }
    }
    codes.put(EndCode);
    return codes.finish();
}

bool GIF::SaveGIF(const Bitmap &picture, const QString &path, const Bitmap *sourceDC,
                  bool transparency, std::uint32_t transparentColor)
{
    if (m_busy)
        return false;
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 0xFFFF
        || picture.height > 0xFFFF
        || picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height))
        return false;
    m_busy = true;
    const IndexedPixels image = indexedPixels(picture, sourceDC);

    int transparentIndex = 0;
    for (int i = 0; i < 256; ++i)
        if ((image.colorTable[std::size_t(i)] & 0xFFFFFF) == (transparentColor & 0xFFFFFF)) {
            transparentIndex = i;
            break;
        }

    QByteArray head(transparency ? "GIF89a" : "GIF87a");
    head += le16(image.width) + le16(image.height);
    head += char(0xF7); // global colour table of 256 entries, 8-bit colour resolution
    head += '\0';       // background colour index
    head += '\0';       // pixel aspect ratio
    for (std::uint32_t c : image.colorTable) {
        head += char((c >> 16) & 0xFF);
        head += char((c >> 8) & 0xFF);
        head += char(c & 0xFF);
    }
    if (transparency) {
        // Graphic control extension: restore to background, transparent colour given.
        head += QByteArray("\x21\xF9\x04\x09\x00\x00", 6) + char(transparentIndex) + '\0';
    }
    head += char(0x2C);
    head += le16(0) + le16(0) + le16(image.width) + le16(image.height);
    head += char(0x07); // no local colour table, not interlaced
    head += char(8);    // LZW minimum code size

    const QByteArray data = head + encodeImage(image) + char(0x3B);

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (ok) {
        // A file that was there read-only is replaced by a normal one.
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    m_busy = false;
    return ok;
}

} // namespace common
