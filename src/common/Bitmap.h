#pragma once
/**
 * A picture held in memory: its size, its depth and its pixels, top row first. A 24-bit picture
 * holds a 0xRRGGBB colour per pixel; an 8-bit picture holds an index into its colour table of
 * 256 0xRRGGBB colours.
 */
#include <array>
#include <cstdint>
#include <vector>

namespace common {

struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint32_t> pixels;
    std::array<std::uint32_t, 256> colorTable{};

    /** A black 24-bit picture. */
    static Bitmap rgb(int width, int height)
    {
        return {width, height, 24, blank(width, height), {}};
    }
    /** An 8-bit picture of index 0 with an all-black colour table. */
    static Bitmap indexed(int width, int height)
    {
        return {width, height, 8, blank(width, height), {}};
    }

    std::uint32_t &at(int x, int y) { return pixels[index(x, y)]; }
    std::uint32_t at(int x, int y) const { return pixels[index(x, y)]; }
    /** The colour of a pixel, through the colour table for an 8-bit picture. */
    std::uint32_t color(int x, int y) const
    {
        const std::uint32_t v = at(x, y);
        return bitsPerPixel == 8 ? colorTable[v & 0xFF] : v & 0xFFFFFF;
    }

private:
    std::size_t index(int x, int y) const
    {
        return std::size_t(y) * std::size_t(width) + std::size_t(x);
    }
    static std::vector<std::uint32_t> blank(int width, int height)
    {
        return std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height));
    }
};

} // namespace common
