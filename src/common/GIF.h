#pragma once
/**
 * Saves a picture as a GIF file with one image, a global colour table of 256 entries and
 * LZW-compressed pixels. A picture of 8 bits per pixel keeps its own colour table; any other is
 * reduced to a cube of 125 colours (5 levels per channel). With transparency the file is GIF89a
 * with a graphic control extension naming the transparent colour's index; without, GIF87a.
 *
 * Every row starts a new code table with a clear code, and a table never holds more than 253
 * strings, so every code is 9 bits wide and a decoder's table never reaches code 512.
 */
#include "Bitmap.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace common {

class GIF : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    /** Codes of the LZW stream. */
    static constexpr int ClearCode = 256;
    static constexpr int EndCode = 257;
    static constexpr int FirstStringCode = 258;
    /** Strings a table may hold (codes 258 to 510). */
    static constexpr int MaxStrings = 253;

    /**
     * Writes `picture` to `path`, replacing a file that is there (a read-only one too). The
     * pixels come from `sourceDC` (in the picture's size) when it is given, else from the
     * picture. `transparentColor` is a 0xRRGGBB colour; its index is the first colour-table
     * entry of that colour (0 when there is none). False when a save is already running, the
     * picture is empty or larger than GIF can hold, or the file cannot be written (a file that
     * was there is then left as it was).
     */
    bool SaveGIF(const Bitmap &picture, const QString &path, const Bitmap *sourceDC = nullptr,
                 bool transparency = false, std::uint32_t transparentColor = 0);

    /** The 8-bit pixels (top row first) and colour table that SaveGIF writes for a picture. */
    struct IndexedPixels {
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> pixels;
        std::array<std::uint32_t, 256> colorTable{};
    };
    static IndexedPixels indexedPixels(const Bitmap &picture, const Bitmap *sourceDC);

    /** The colour cube: entry 25 x blue + 5 x green + red level (levels 0, 64, 128, 192, 255),
     *  entries 125 to 255 black. */
    static std::array<std::uint32_t, 256> colorCube();
    /** The cube entry nearest to a 0xRRGGBB colour. */
    static int cubeIndex(std::uint32_t rgb);

    /** The LZW image data of the rows: the sub-blocks and the block terminator. */
    QByteArray encodeImage(const IndexedPixels &image);

Q_SIGNALS:
    /** After rows 10, 20, 30, ...: the percentage of rows done. */
    void Progress(int percent);

private:
    bool m_busy = false;
};

} // namespace common
