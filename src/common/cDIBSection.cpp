#include "cDIBSection.h"

#include <algorithm>
#include <new>

namespace common {

bool cDIBSection::Create(int width, int height)
{
    ClearUp();
    return CreateDIB(width, height);
}

bool cDIBSection::CreateDIB(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    const std::int64_t row = (std::int64_t(width) * 3 + 3) & ~std::int64_t(3);
    const std::int64_t bytes = row * height;
    if (bytes > MaxBytes)
        return false;
    try {
        m_bits.assign(std::size_t(bytes), 0);
    } catch (const std::bad_alloc &) {
        m_bits.clear();
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

void cDIBSection::CreateFromPicture(const Bitmap &picture)
{
    if (Create(picture.width, picture.height))
        LoadPictureBlt(picture, 0, 0, picture.width, picture.height, SRCCOPY);
}

void cDIBSection::LoadPictureBlt(const Bitmap &source, int srcX, int srcY, int width, int height,
                                 RasterOp rop)
{
    if (m_bits.empty())
        return;
    if (width < 0)
        width = m_width;
    if (height < 0)
        height = m_height;
    for (int y = 0; y < height && y < m_height; ++y) {
        const int sy = srcY + y;
        if (sy < 0 || sy >= source.height)
            continue;
        for (int x = 0; x < width && x < m_width; ++x) {
            const int sx = srcX + x;
            if (sx < 0 || sx >= source.width)
                continue;
            const std::uint32_t s = source.color(sx, sy);
            const std::uint32_t d = pixel(x, y);
            switch (rop) {
            case SRCPAINT: setPixel(x, y, s | d); break;
            case SRCAND: setPixel(x, y, s & d); break;
            case SRCINVERT: setPixel(x, y, s ^ d); break;
            default: setPixel(x, y, s); break;
            }
        }
    }
}

void cDIBSection::ClearUp()
{
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

std::uint32_t cDIBSection::pixel(int x, int y) const
{
    const std::uint8_t *p = m_bits.data() + offset(x, y);
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

void cDIBSection::setPixel(int x, int y, std::uint32_t rgb)
{
    std::uint8_t *p = m_bits.data() + offset(x, y);
    p[0] = std::uint8_t(rgb);
    p[1] = std::uint8_t(rgb >> 8);
    p[2] = std::uint8_t(rgb >> 16);
}

Bitmap cDIBSection::toBitmap() const
{
    Bitmap out = Bitmap::rgb(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.at(x, y) = pixel(x, y);
    return out;
}

} // namespace common
