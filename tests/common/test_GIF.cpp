// The GIF writer and the DIB section: the file layout byte by byte, the LZW stream decoded
// strictly (9-bit codes, a table that never reaches 512), block boundaries, colour reduction,
// progress, and replacing an existing file.
#include "GIF.h"
#include "GifDecoder.h"
#include "TestFiles.h"
#include "cDIBSection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using common::Bitmap;
using common::cDIBSection;
using common::GIF;

namespace {

/** An 8-bit picture whose colour table has entry i = (i, 255 - i, i / 2). */
Bitmap indexed(int width, int height, const std::function<int(int, int)> &pixel)
{
    Bitmap b = Bitmap::indexed(width, height);
    for (int i = 0; i < 256; ++i)
        b.colorTable[std::size_t(i)] = (std::uint32_t(i) << 16) | (std::uint32_t(255 - i) << 8) | std::uint32_t(i / 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.at(x, y) = std::uint32_t(pixel(x, y));
    return b;
}

QByteArray save(GIF &gif, const Bitmap &picture, bool transparency = false, std::uint32_t colour = 0,
                const Bitmap *source = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.gif");
    EXPECT_TRUE(gif.SaveGIF(picture, path, source, transparency, colour));
    return testfiles::readFile(path);
}

QByteArray save(const Bitmap &picture, bool transparency = false, std::uint32_t colour = 0)
{
    GIF gif;
    return save(gif, picture, transparency, colour);
}

std::vector<std::uint8_t> indexesOf(const Bitmap &b)
{
    std::vector<std::uint8_t> out;
    for (std::uint32_t p : b.pixels)
        out.push_back(std::uint8_t(p));
    return out;
}

} // namespace

TEST(GIF, FileLayout)
{
    const Bitmap picture = indexed(3, 2, [](int x, int y) { return x + 3 * y; });
    const QByteArray plain = save(picture);
    ASSERT_GT(plain.size(), 13 + 768 + 11);
    EXPECT_EQ(plain.left(13), QByteArray("GIF87a\3\0\2\0\xF7\0\0", 13));
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plain.mid(13 + 3 * i, 3), QByteArray() + char(i) + char(255 - i) + char(i / 2));
    }
    EXPECT_EQ(plain.mid(13 + 768, 11), QByteArray("\x2C\0\0\0\0\3\0\2\0\x07\x08", 11));
    const gifcheck::Decoded d = gifcheck::decode(plain);
    EXPECT_EQ(d.pixels, indexesOf(picture));
    EXPECT_EQ(d.codes, (std::vector<int>{256, 0, 1, 2, 256, 3, 4, 5, 257}));

    // With transparency: GIF89a and one graphic control extension naming the first entry of
    // the colour, or entry 0 when no entry has it.
    const std::uint32_t colourOf5 = picture.colorTable[5];
    const QByteArray withTransparency = save(picture, true, colourOf5);
    EXPECT_TRUE(withTransparency.startsWith("GIF89a"));
    EXPECT_EQ(withTransparency.mid(13 + 768, 8), QByteArray("\x21\xF9\x04\x09\0\0\x05\0", 8));
    EXPECT_EQ(withTransparency.mid(13 + 768 + 8), plain.mid(13 + 768));
    EXPECT_EQ(gifcheck::decode(save(picture, true, 0x123456)).transparentIndex, 0);
}

TEST(GIF, CodesStayNineBitsWide)
{
    std::mt19937 random(1106);
    struct Case {
        const char *name;
        Bitmap picture;
    };
    const Case cases[] = {
        {"one pixel wide", indexed(1, 40, [](int, int y) { return (y * 37) % 256; })},
        {"noise rows of 3000", indexed(3000, 3, [&random](int, int) { return int(random() % 256); })},
        {"one long run", indexed(5000, 2, [](int, int) { return 7; })},
        {"two colours alternating", indexed(4000, 2, [](int x, int) { return x % 2 ? 200 : 3; })},
        {"every value", indexed(256, 4, [](int x, int y) { return (x * (y + 1)) % 256; })},
        {"one pixel", indexed(1, 1, [](int, int) { return 255; })},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const gifcheck::Decoded d = gifcheck::decode(save(c.picture));
        EXPECT_EQ(d.pixels, indexesOf(c.picture));
        EXPECT_LE(d.highestNextCode, 511);
        for (int code : d.codes)
            ASSERT_LT(code, 512);
    }

    // A one-pixel-wide picture writes a clear code and the pixel for every row.
    const Bitmap column = indexed(1, 3, [](int, int y) { return 10 + y; });
    EXPECT_EQ(gifcheck::decode(save(column)).codes, (std::vector<int>{256, 10, 256, 11, 256, 12, 257}));
}

TEST(GIF, SubBlocks)
{
    struct Case {
        const char *name;
        Bitmap picture;
        std::vector<int> blockSizes;
    };
    const Case cases[] = {
        // 75 rows of two different pixels: 3 codes a row and the end code, 226 codes of 9 bits,
        // 2034 bits: exactly 255 bytes.
        {"exactly 255 bytes", indexed(2, 75, [](int x, int) { return x; }), {255}},
        // 113 rows of one pixel: 227 codes, 2043 bits, 256 bytes.
        {"256 bytes", indexed(1, 113, [](int, int) { return 1; }), {255, 1}},
        {"short", indexed(1, 1, [](int, int) { return 1; }), {4}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray blocks = gifcheck::decode(save(c.picture)).blocks;
        std::vector<int> sizes;
        for (qsizetype pos = 0; pos < blocks.size() && blocks[pos] != '\0';
             pos += 1 + static_cast<unsigned char>(blocks[pos]))
            sizes.push_back(static_cast<unsigned char>(blocks[pos]));
        EXPECT_EQ(sizes, c.blockSizes);
        EXPECT_TRUE(blocks.endsWith('\0'));
    }
}

TEST(GIF, OtherDepthsAreReducedToTheColourCube)
{
    EXPECT_EQ(GIF::cubeIndex(0x000000), 0);
    EXPECT_EQ(GIF::cubeIndex(0xFFFFFF), 124);
    EXPECT_EQ(GIF::cubeIndex(0x4080C0), 25 * 3 + 5 * 2 + 1);
    EXPECT_EQ(GIF::cubeIndex(0x21DF20), 25 * 0 + 5 * 3 + 1); // 33 -> 64, 223 -> 192, 32 -> 0
    EXPECT_EQ(GIF::cubeIndex(0xE00000), 4);                   // 224 -> 255

    Bitmap picture = Bitmap::rgb(4, 2);
    const std::uint32_t colours[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x404040, 0x808080, 0xC0C0C0, 0x123456};
    for (int i = 0; i < 8; ++i)
        picture.at(i % 4, i / 4) = colours[i];
    const gifcheck::Decoded d = gifcheck::decode(save(picture, true, 0xFFFFFF));
    const auto cube = GIF::colorCube();
    for (int i = 0; i < 256; ++i) {
        SCOPED_TRACE(i);
        const std::uint32_t expected = i < 125 ? cube[std::size_t(i)] : 0;
        const std::uint32_t written = (std::uint32_t(static_cast<unsigned char>(d.colorTable[3 * i])) << 16)
            | (std::uint32_t(static_cast<unsigned char>(d.colorTable[3 * i + 1])) << 8)
            | static_cast<unsigned char>(d.colorTable[3 * i + 2]);
        ASSERT_EQ(written, expected);
    }
    EXPECT_EQ(d.transparentIndex, 124);
    EXPECT_EQ(gifcheck::decode(save(picture, true, 0x123456)).transparentIndex, 0)
        << "a colour outside the cube";
    ASSERT_EQ(d.pixels.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(d.pixels[std::size_t(i)], GIF::cubeIndex(colours[i]));

    // A source given in place of the picture's own pixels.
    GIF gif;
    Bitmap source = Bitmap::rgb(10, 10);
    source.at(1, 0) = 0xFFFFFF;
    const gifcheck::Decoded fromSource = gifcheck::decode(save(gif, Bitmap::rgb(2, 1), false, 0, &source));
    EXPECT_EQ(fromSource.pixels, (std::vector<std::uint8_t>{0, 124}));
}

TEST(GIF, ProgressAndOneSaveAtATime)
{
    GIF gif;
    std::vector<int> percents;
    bool nestedSaved = true;
    const Bitmap picture = indexed(3, 25, [](int, int) { return 0; });
    QTemporaryDir dir;
    QObject::connect(&gif, &GIF::Progress, [&](int percent) {
        percents.push_back(percent);
        nestedSaved = gif.SaveGIF(picture, dir.filePath("nested.gif"));
    });
    EXPECT_TRUE(gif.SaveGIF(picture, dir.filePath("a.gif")));
    EXPECT_EQ(percents, (std::vector<int>{40, 80}));
    EXPECT_FALSE(nestedSaved);
    EXPECT_FALSE(QFile::exists(dir.filePath("nested.gif")));
    EXPECT_TRUE(gif.SaveGIF(picture, dir.filePath("b.gif"))) << "usable again after a save";
}

TEST(GIF, ReplacesAReadOnlyFileAndRefusesWhatItCannotWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.gif");
    testfiles::writeFile(path, "old contents");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    GIF gif;
    const Bitmap picture = indexed(2, 2, [](int x, int) { return x; });
    ASSERT_TRUE(gif.SaveGIF(picture, path));
    EXPECT_EQ(gifcheck::decode(testfiles::readFile(path)).pixels, indexesOf(picture));
    EXPECT_TRUE(QFile::permissions(path) & QFileDevice::WriteOwner);

    EXPECT_FALSE(gif.SaveGIF(Bitmap::indexed(0, 5), dir.filePath("empty.gif")));
    EXPECT_FALSE(gif.SaveGIF(Bitmap::indexed(70000, 1), dir.filePath("wide.gif")));
    EXPECT_FALSE(gif.SaveGIF(picture, dir.filePath("no/such/folder.gif")));
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.gif")));
}

TEST(cDIBSection, SectionMemoryAndCopies)
{
    cDIBSection dib;
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_FALSE(dib.Create(0, 4));
    EXPECT_FALSE(dib.Create(100000, 100000));
    for (auto [width, bytes] : {std::pair{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}}) {
        ASSERT_TRUE(dib.Create(width, 3));
        EXPECT_EQ(dib.BytesPerScanLine(), bytes);
        EXPECT_EQ(dib.Width(), width);
        EXPECT_EQ(dib.Height(), 3);
    }

    // Blue, green, red bytes, the bottom row first.
    ASSERT_TRUE(dib.Create(2, 2));
    dib.setPixel(1, 0, 0x112233);
    const std::uint8_t *bits = dib.DIBSectionBitsPtr();
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(bits + 8 + 3, bits + 8 + 6), (std::vector<std::uint8_t>{0x33, 0x22, 0x11}));
    EXPECT_EQ(dib.pixel(1, 0), 0x112233u);

    // From an 8-bit picture through its colour table, then a partial copy that combines.
    Bitmap picture = Bitmap::indexed(3, 2);
    picture.colorTable[1] = 0xABCDEF;
    picture.at(2, 1) = 1;
    dib.CreateFromPicture(picture);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.pixel(2, 1), 0xABCDEFu);
    EXPECT_EQ(dib.pixel(0, 0), 0u);
    Bitmap ones = Bitmap::rgb(5, 5);
    for (std::uint32_t &p : ones.pixels)
        p = 0xFFFFFF;
    dib.LoadPictureBlt(ones, 4, 4, -1, -1, cDIBSection::SRCINVERT);
    EXPECT_EQ(dib.pixel(0, 0), 0xFFFFFFu) << "source (4,4) lands on (0,0)";
    EXPECT_EQ(dib.pixel(1, 0), 0u) << "outside the source: unchanged";
    EXPECT_EQ(dib.toBitmap().at(2, 1), 0xABCDEFu);

    dib.ClearUp();
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 0);
}
