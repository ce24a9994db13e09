#pragma once
/**
 * A 24-bit device-independent bitmap section: rows of blue, green, red bytes, each row padded
 * to a multiple of 4 bytes, the bottom row first, as the bitmap format stores them. It is
 * created at a size, filled from a picture or copied into from another picture, and exposes its
 * size and its pixel memory.
 */
#include "Bitmap.h"

#include <cstdint>
#include <vector>

namespace common {

class cDIBSection {
public:
    /** Raster operations of LoadPictureBlt: the source, or the source combined with the
     *  section's pixels. */
    enum RasterOp : std::uint32_t {
        SRCCOPY = 0x00CC0020,
        SRCPAINT = 0x00EE0086,  ///< or
        SRCAND = 0x008800C6,    ///< and
        SRCINVERT = 0x00660046, ///< exclusive or
    };

    /** The largest section made, in bytes of pixel memory. */
    static constexpr std::int64_t MaxBytes = std::int64_t(1) << 30;

    /** Releases the section held, then makes a black one of the size; false (and nothing held)
     *  when the size is not positive or too large. */
    bool Create(int width, int height);
    /** Makes the pixel memory of a section of the size; false when it cannot be made. */
    bool CreateDIB(int width, int height);
    /** A section of the picture's size holding the picture. */
    void CreateFromPicture(const Bitmap &picture);
    /** Copies `width` x `height` pixels from (`srcX`, `srcY`) of `source` to the section's top
     *  left corner; a negative width or height means the section's own. Pixels outside either
     *  picture are left alone. */
    void LoadPictureBlt(const Bitmap &source, int srcX = 0, int srcY = 0, int width = -1,
                        int height = -1, RasterOp rop = SRCCOPY);

    /** Bytes per row: width x 3 rounded up to a multiple of 4. */
    int BytesPerScanLine() const { return (m_width * 3 + 3) & ~3; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    /** The pixel memory (bottom row first), or nullptr without a section. */
    std::uint8_t *DIBSectionBitsPtr() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const std::uint8_t *DIBSectionBitsPtr() const
    {
        return m_bits.empty() ? nullptr : m_bits.data();
    }
    /** Releases the section. */
    void ClearUp();

    /** The 0xRRGGBB colour at (x, y), y counted from the top. */
    std::uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, std::uint32_t rgb);
    /** The section as a 24-bit picture. */
    Bitmap toBitmap() const;

private:
    std::size_t offset(int x, int y) const
    {
        return std::size_t(m_height - 1 - y) * std::size_t(BytesPerScanLine()) + std::size_t(x) * 3;
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bits;
};

} // namespace common
