// Files of the GIF writer read by Qt's own GIF reader.
#include "GIF.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using common::Bitmap;
using common::GIF;

TEST(GIFQtReader, DecodesEveryPixel)
{
    if (!QImageReader::supportedImageFormats().contains("gif"))
        GTEST_SKIP() << "Qt has no GIF reader here";
    std::mt19937 random(7);
    struct Case {
        const char *name;
        int width;
        int height;
        bool noise;
    };
    const Case cases[] = {{"one pixel wide", 1, 300, true}, {"noise", 1200, 40, true},
                          {"runs", 2000, 3, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap picture = Bitmap::indexed(c.width, c.height);
        for (int i = 0; i < 256; ++i)
            picture.colorTable[std::size_t(i)] = std::uint32_t(i) * 0x010203u & 0xFFFFFF;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                picture.at(x, y) = c.noise ? random() % 256 : (x / 100) % 256;
        QTemporaryDir dir;
        const QString path = dir.filePath("p.gif");
        GIF gif;
        ASSERT_TRUE(gif.SaveGIF(picture, path, nullptr, true, picture.colorTable[3]));
        QImageReader reader(path);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        ASSERT_EQ(image.size(), QSize(c.width, c.height));
        int wrong = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t index = picture.at(x, y);
                const QRgb got = image.pixel(x, y);
                if (index == 3)
                    wrong += qAlpha(got) != 0;
                else
                    wrong += (got & 0xFFFFFF) != picture.colorTable[index] || qAlpha(got) != 255;
            }
        EXPECT_EQ(wrong, 0);
    }
}
