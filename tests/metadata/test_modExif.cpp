// The EXIF dump on pictures built byte by byte: the lines of all four directories in both byte
// orders, the stop messages, and hostile segments that must finish.
#include "ByteBuilders.h"
#include "MemoryByteSource.h"
#include "TestFiles.h"
#include "modExif.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using bytes::ExifBuilder;
using bytes::Ifd;
using metadata::ExifDumpLine;
using metadata::modExif;

namespace {

std::vector<ExifDumpLine> dump(const QByteArray &jpeg, bool *ok = nullptr)
{
    metadata::MemoryByteSource source(jpeg);
    std::vector<ExifDumpLine> lines{{"left over", 1}};
    const bool result = modExif::DumpExif(source, lines);
    if (ok)
        *ok = result;
    return lines;
}

QStringList texts(const std::vector<ExifDumpLine> &lines)
{
    QStringList out;
    for (const ExifDumpLine &l : lines)
        out << l.text;
    return out;
}

QByteArray sample(bool intel)
{
    ExifBuilder b(intel);
    b.ascii(Ifd::Zero, 0x010F, "Canon")
        .shortValue(Ifd::Zero, 0x0112, 6)
        .rational(Ifd::Zero, 0x011A, {{72, 1}})
        .entry(Ifd::Zero, 0x0102, 3, 3, b.n16(8) + b.n16(8) + b.n16(8))
        .entry(Ifd::Zero, 0x0212, 3, 2, b.n16(2) + b.n16(1))
        .longValue(Ifd::Zero, 0x9999, 77)
        .rational(Ifd::Exif, 0x829A, {{1, 125}})
        .undefined(Ifd::Exif, 0x9000, "0220")
        .undefined(Ifd::Exif, 0x9101, bytes::u8({1, 2, 3, 0}))
        .rational(Ifd::Exif, 0x9204, {{std::uint32_t(-1), 2}}, 10)
        .undefined(Ifd::Exif, 0x9286, QByteArray("ASCII\0\0\0Hello", 13))
        .shortValue(Ifd::Exif, 0x9208, 10)
        .shortValue(Ifd::Exif, 0x9209, 16)
        .entry(Ifd::Exif, 0xA000, 7, 4, "0100")
        .entry(Ifd::Gps, 0x0000, 1, 4, bytes::u8({2, 2, 0, 0}))
        .rational(Ifd::Gps, 0x0002, {{51, 1}, {30, 1}, {0, 0}})
        .entry(Ifd::Gps, 0x0099, 8, 1, b.n16(std::uint16_t(-5)))
        .ascii(Ifd::Interop, 0x0001, "R98")
        .undefined(Ifd::Interop, 0x0002, "0100");
    return b.jpeg();
}

} // namespace

TEST(modExif, ListsEveryDirectoryInBothByteOrders)
{
    const QStringList expected{
        "Equipment Make = Canon",
        "Orientation of image = 1st Row is right, 1st Col is top",
        "Horizontal Resolution = 72",
        "Number of bits per component = 8, 8, 8",
        "Subsampling ratio of Y to C = YCbCr4:2:2",
        "Unknown = 77",
        "Exposure Time = 0.008",
        "Exif Version = 0220",
        "Component Configuration = Y Cb Cr ",
        "Exposure Bias = -0.5",
        "User Comments = Hello",
        "Light source = Cloudy weather",
        "Flash = Undefined/Unknown",
        "Supported Flashpix Version = 0100",
        "GPS tag version = 2, 2, 0, 0",
        "GPS Latitude = 51, 30, 0/0",
        " = -5",
        "Interoperability Identification = Conforming to R98 file specification",
        "Interoperability Version = 0100",
    };
    for (bool intel : {true, false}) {
        SCOPED_TRACE(intel ? "II" : "MM");
        bool ok = false;
        const std::vector<ExifDumpLine> lines = dump(sample(intel), &ok);
        EXPECT_TRUE(ok);
        QStringList want = expected;
        if (!intel)
            want.prepend("Motarola Header Format - Might have prob's");
        EXPECT_EQ(texts(lines), want);
        ASSERT_EQ(lines.size(), std::size_t(want.size()));
        EXPECT_EQ(lines[intel ? 1 : 2].tag, 0x0112);
        EXPECT_EQ(lines.back().tag, 0x0002);
    }
}

TEST(modExif, StopMessages)
{
    const QByteArray tiff = ExifBuilder(true).shortValue(Ifd::Zero, 0x0112, 1).tiff();
    const QByteArray app0 = bytes::u8({0xFF, 0xE0, 0, 16}) + QByteArray("JFIF\0", 5) + QByteArray(9, '\1');
    const QByteArray dqt = bytes::u8({0xFF, 0xDB, 0, 4, 9, 9});
    QByteArray noEnd = ExifBuilder::jpegAround(tiff);
    noEnd.chop(2);
    QByteArray badOrder = ExifBuilder::jpegAround(tiff);
    badOrder[12] = 'X';
    struct Case {
        const char *name;
        QByteArray bytes;
        QString line;
    };
    const Case cases[] = {
        {"no end of image", noEnd, "Not a JPeg file"},
        {"one byte", "\xFF", "Not a JPeg file"},
        {"no segment", bytes::u8({0xFF, 0xD8, 0xFF, 0xD9}), "File information not found"},
        {"segments run past the end", bytes::u8({0xFF, 0xD8}) + dqt + bytes::u8({0xFF, 0xD9}),
            "File information not found"},
        {"JFIF only", bytes::u8({0xFF, 0xD8}) + app0 + dqt + bytes::u8({0xFF, 0xDA, 0, 2, 0xFF, 0xD9}),
            "Not 'Exif' data, Panic"},
        {"APP1 without Exif", bytes::u8({0xFF, 0xD8, 0xFF, 0xE1, 0, 6}) + QByteArray("http", 4)
                                  + bytes::u8({0xFF, 0xD9}),
            "Not 'Exif' data, Panic"},
        {"unknown byte order", badOrder, "Unknown/Error Header Format"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = true;
        const std::vector<ExifDumpLine> lines = dump(c.bytes, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(texts(lines), QStringList{c.line});
    }

    // A segment before the first APPn is skipped by its length.
    bool ok = false;
    EXPECT_EQ(texts(dump(bytes::u8({0xFF, 0xD8}) + dqt + ExifBuilder::jpegAround(tiff).mid(2), &ok)),
        QStringList{"Orientation of image = 1st Row is top, 1st Col is left"});
    EXPECT_TRUE(ok);

    QTemporaryDir dir;
    std::vector<ExifDumpLine> lines;
    EXPECT_FALSE(modExif::DumpExif(dir.filePath("missing.jpg"), lines));
    testfiles::writeFile(dir.filePath("a.jpg"), sample(true));
    EXPECT_TRUE(modExif::DumpExif(dir.filePath("a.jpg"), lines));
    EXPECT_EQ(lines.front().text, "Equipment Make = Canon");
}

TEST(modExif, HostileSegmentsFinish)
{
    const auto selfLoop = [](bool toIfd0) {
        ExifBuilder b(true);
        // IFD0 at 8 points the Exif IFD back at itself (or at IFD0), and GPS at IFD0.
        b.shortValue(Ifd::Zero, 0x0112, 3)
            .rawEntry(Ifd::Zero, 0x8825, 4, 1, 8)
            .rawEntry(Ifd::Exif, 0xA005, 4, 1, toIfd0 ? 8 : 8 + 2 + 12 * 3 + 4)
            .rawEntry(Ifd::Exif, 0x8769, 4, 1, 8);
        return b.jpeg();
    };
    QByteArray huge = ExifBuilder(true).shortValue(Ifd::Zero, 0x0112, 1).jpeg();
    huge[4] = char(0xFF); // the segment claims 65535 bytes
    huge[5] = char(0xFF);
    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList lines; // empty: only that it finishes
    };
    const Case cases[] = {
        {"directories pointing at each other", selfLoop(false),
            {"Orientation of image = 1st Row is bottom, 1st Col is right"}},
        {"Exif IFD pointing at IFD0", selfLoop(true),
            {"Orientation of image = 1st Row is bottom, 1st Col is right"}},
        {"value offset past the segment",
            ExifBuilder(true).rawEntry(Ifd::Zero, 0x010F, 2, 50, 60000).jpeg(), {"Equipment Make = "}},
        {"count of four billion rationals",
            ExifBuilder(true).rawEntry(Ifd::Zero, 0x011A, 5, 0xFFFFFFFF, 8).jpeg(), {}},
        {"zero denominator", ExifBuilder(true).rational(Ifd::Zero, 0x011A, {{5, 0}}).jpeg(),
            {"Horizontal Resolution = 5/0"}},
        {"IFD0 offset past the segment",
            ExifBuilder::jpegAround(QByteArray("II*\0\xFF\xFF\xFF\x0F", 8)), {}},
        {"entry count past the segment",
            ExifBuilder::jpegAround(QByteArray("II*\0\x08\0\0\0\xFF\xFF\x12\x01\x03\0\x01\0\0\0\x01\0\0\0", 22)),
            {"Orientation of image = 1st Row is top, 1st Col is left"}},
        {"segment longer than the file", huge, {}},
        {"empty segment", bytes::u8({0xFF, 0xD8, 0xFF, 0xE1, 0, 0}) + "Exif" + bytes::u8({0, 0, 0xFF, 0xD9}),
            {"Unknown/Error Header Format"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ExifDumpLine> lines = dump(c.bytes);
        if (!c.lines.isEmpty()) {
            EXPECT_EQ(texts(lines), c.lines);
        }
        for (const ExifDumpLine &l : lines)
            EXPECT_LE(l.text.size(), modExif::MaxValueText + 100);
    }

    // Every byte of a real segment changed in turn, and random bytes in many places.
    const QByteArray base = sample(false);
    std::mt19937 random(23);
    for (int i = 0; i < 3000; ++i) {
        QByteArray damaged = base;
        if (i < base.size() - 2) {
            damaged[i + 2] = char(damaged[i + 2] ^ 0xFF);
        } else {
            for (int k = 0; k < 8; ++k)
                damaged[2 + int(random() % (base.size() - 4))] = char(random());
        }
        dump(damaged);
    }
}

// Most cameras and editors write a JFIF APP0 (and often other APPn) before the EXIF APP1: the
// dump finds the EXIF segment behind them, and reads the one-byte codes of the file source and
// the scene type as numbers.
TEST(modExif, FindsExifBehindJfifAndOtherSegments)
{
    ExifBuilder b(true);
    b.shortValue(Ifd::Zero, 0x0112, 1)
        .undefined(Ifd::Exif, 0xA300, bytes::u8({3}))
        .undefined(Ifd::Exif, 0xA301, bytes::u8({1}))
        .undefined(Ifd::Exif, 0xA001, bytes::u8({0}));
    const QByteArray app0 = bytes::u8({0xFF, 0xE0, 0, 16}) + QByteArray("JFIF\0", 5) + QByteArray(9, '\1');
    const QByteArray app2 = bytes::u8({0xFF, 0xE2, 0, 6}) + QByteArray("ICC_", 4);
    const QByteArray app13 = bytes::u8({0xFF, 0xED, 0, 4}) + QByteArray("Ph", 2);
    const QByteArray exif = b.jpeg().mid(2);
    const QByteArray soi = bytes::u8({0xFF, 0xD8});
    const QStringList expected{"Orientation of image = 1st Row is top, 1st Col is left",
                               "File source = DSC", "Scene type = A directly photographed image"};
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"EXIF first", soi + exif},
        {"JFIF first", soi + app0 + exif},
        {"JFIF, ICC and Photoshop segments first", soi + app0 + app2 + app13 + exif},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        const QStringList lines = texts(dump(c.bytes, &ok));
        EXPECT_TRUE(ok);
        for (const QString &line : expected)
            EXPECT_TRUE(lines.contains(line)) << lines.join(u'|').toStdString();
    }

    // The same through a file on disk, as the dump window reads it.
    QTemporaryDir dir;
    testfiles::writeFile(dir.filePath("jfif.jpg"), soi + app0 + exif);
    std::vector<ExifDumpLine> lines;
    EXPECT_TRUE(modExif::DumpExif(dir.filePath("jfif.jpg"), lines));
    EXPECT_TRUE(texts(lines).contains("File source = DSC"));
}
