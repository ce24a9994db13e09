// The picture reader on JPEG pictures built byte by byte: value formats by type and tag, both
// byte orders, "exif.ini" texts, failed reads, and hostile blocks.
#include "ByteBuilders.h"
#include "TestFiles.h"
#include "VbError.h"
#include "clsEXIF.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <utility>

using bytes::ExifBuilder;
using bytes::Ifd;
using metadata::clsEXIF;

namespace {

QStringList linesOf(const clsEXIF &exif)
{
    QStringList lines;
    exif.ListInfo(lines);
    return lines;
}

QStringList linesOf(const QByteArray &jpeg, const QString &ini = {})
{
    clsEXIF exif(ini);
    exif.parse(jpeg);
    return linesOf(exif);
}

/** A camera picture with the entries of every value rule. */
ExifBuilder camera(bool intel)
{
    ExifBuilder b(intel);
    b.ascii(Ifd::Zero, 271, "Canon")
        .ascii(Ifd::Zero, 272, "Canon PowerShot A80")
        .shortValue(Ifd::Zero, 274, 1)
        .rational(Ifd::Zero, 282, {{72, 1}})
        .rational(Ifd::Zero, 318, {{313, 1000}, {329, 1000}})
        .ascii(Ifd::Zero, 306, "2006:12:10 23:58:20")
        .rational(Ifd::Exif, 33434, {{10, 1250}})
        .rational(Ifd::Exif, 33437, {{28, 10}})
        .undefined(Ifd::Exif, 36864, "0220")
        .ascii(Ifd::Exif, 36867, "2006:12:10 23:58:21")
        .undefined(Ifd::Exif, 37121, bytes::u8({1, 2, 3, 0}))
        .rational(Ifd::Exif, 37377, {{6906891, 1000000}}, 10)
        .rational(Ifd::Exif, 37378, {{4970854, 1000000}})
        .entry(Ifd::Exif, 37380, 10, 1, b.n32(0xFFFFFFFE) + b.n32(3))
        .undefined(Ifd::Exif, 37500, QByteArray("Mk\x01\x02note\xC3\x7F", 10))
        .undefined(Ifd::Exif, 40960, "0100")
        .undefined(Ifd::Exif, 41728, bytes::u8({3}))
        .shortValue(Ifd::Exif, 41985, 2)
        .entry(Ifd::Exif, 40965, 4, 1, b.n32(0));
    return b;
}

const QStringList CameraLines = {
    "Make: Canon",
    "Model: Canon PowerShot A80",
    "Orientation: 1",
    "XResolution: 72.0",
    "WhitePoint: 0.313/0.329",
    "DateTime: 2006:12:10 23:58:20",
    "ExifOffset: 98",
    "ExposureTime: 125",
    "FNumber: 2.8",
    "ExifVersion: 2.20",
    "DateTimeOriginal: 2006:12:10 23:58:21",
    "ComponentsConfiguration: YCbCr",
    "ShutterSpeedValue: 120",
    "ApertureValue: 5.6",
    "ExposureBiasValue: -0.7",
    "MakerNote: Mknote\x7F",
    "FlashPixVersion: 1.00",
    "FileSource: 3",
    "Tag #41985: 2",
    "ExifInteroperabilityOffset: 0",
};

} // namespace

TEST(clsEXIF, ListsEveryEntryInFileOrderInBothByteOrders)
{
    for (bool intel : {true, false}) {
        SCOPED_TRACE(intel ? "II" : "MM");
        clsEXIF exif(QString{});
        exif.parse(camera(intel).jpeg());
        EXPECT_EQ(exif.ParseStatus(), clsEXIF::Parsed);
        EXPECT_EQ(exif.IntelByteAlignment(), intel);
        EXPECT_EQ(linesOf(exif), CameraLines);
    }
}

TEST(clsEXIF, ReadsTheFileNamedByImageFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.jpg");
    testfiles::writeFile(path, camera(true).jpeg());
    clsEXIF exif(QString{});
    exif.setImageFile(path);
    EXPECT_EQ(linesOf(exif), CameraLines);
    EXPECT_TRUE(exif.IntelByteAlignment());
    // Naming another picture reads that one: its own byte order, nothing kept from the first.
    const QString other = dir.filePath("b.jpg");
    testfiles::writeFile(other, camera(false).jpeg());
    exif.setImageFile(other);
    EXPECT_FALSE(exif.IntelByteAlignment());
    EXPECT_EQ(linesOf(exif), CameraLines);
    testfiles::writeFile(path, QByteArray(100, 'x'));
    exif.setImageFile(path);
    EXPECT_EQ(exif.ParseStatus(), clsEXIF::NotExif);
    EXPECT_TRUE(exif.Entries().empty());
}

// A picture whose name is not UTF-8 (its byte kept as U+DCFF) is read from its own bytes, not
// from the picture named with U+FFFD beside it; a FIFO is not waited on.
TEST(clsEXIF, ReadsThePictureItsNameNamesAndNoFifo)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray own = camera(true).jpeg();
    const QByteArray other = bytes::u8({0xFF, 0xD8, 0xFF, 0xD9});
    for (const auto &[name, content] : {std::pair{"p\xFF.jpg", own}, std::pair{"p\xEF\xBF\xBD.jpg", other}}) {
        testfiles::writeRawFile(folder + name, content);
    }
    ASSERT_EQ(::mkfifo((folder + "fifo.jpg").constData(), 0644), 0);
    clsEXIF exif(QString{});
    exif.setImageFile(dir.path() + QStringLiteral("/p") + QChar(char16_t(0xDCFF)) + QStringLiteral(".jpg"));
    EXPECT_EQ(linesOf(exif), CameraLines);
    exif.setImageFile(dir.filePath("fifo.jpg"));
    EXPECT_EQ(exif.ParseStatus(), clsEXIF::Unreadable);
    std::remove((folder + "p\xFF.jpg").constData());
}

TEST(clsEXIF, ValueRulesByTypeAndTag)
{
    struct Case {
        const char *name;
        int tag;
        int type;
        std::vector<std::uint32_t> values; // numerators and denominators, or numbers
        const char *expected;
    };
    const Case cases[] = {
        {"byte", 41729, 1, {7}, "SceneType: 7"},
        {"short", 274, 3, {6}, "Orientation: 6"},
        {"long", 40962, 4, {3072}, "ExifImageWidth: 3072"},
        {"sbyte", 37383, 6, {0xFE}, "MeteringMode: -2"},
        {"sshort", 37383, 8, {0xFFFD}, "MeteringMode: -3"},
        {"slong", 37383, 9, {0xFFFFFFFF}, "MeteringMode: -1"},
        {"float as integer", 37383, 11, {0x3F800000}, "MeteringMode: 1065353216"},
        {"one rational", 37122, 5, {3, 2}, "CompressedBitsPerPixel: 3/2"},
        {"one srational", 37379, 10, {0xFFFFFFFB, 2}, "BrightnessValue: -5/2"},
        {"srational list", 37379, 10, {0xFFFFFFFF, 4, 1, 8}, "BrightnessValue: -0.250/0.125"},
        {"subject distance", 37382, 5, {35, 10}, "SubjectDistance: 3.5"},
        {"focal length", 37386, 5, {63, 10}, "FocalLength: 6.3"},
        {"focal plane x", 41486, 5, {1000, 3}, "FocalPlaneXResolution: 333.3"},
        {"max aperture", 37381, 5, {2, 1}, "MaxApertureValue: 2.0"},
        {"rational over zero", 33437, 5, {28, 0}, "FNumber: 28/0"},
        {"exposure time zero", 33434, 5, {0, 1}, "ExposureTime: 0/1"},
        {"list value over zero", 318, 5, {1, 2, 3, 0}, "WhitePoint: 0.500/3/0"},
    };
    for (bool intel : {true, false})
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (intel ? " II" : " MM"));
            ExifBuilder b(intel);
            QByteArray value;
            const int width
                = c.type == 5 || c.type == 10 || c.type == 4 || c.type == 9 || c.type == 11 ? 4
                : c.type == 3 || c.type == 8                                                ? 2
                                                                                            : 1;
            for (std::uint32_t v : c.values)
                value += width == 4 ? b.n32(v) : width == 2 ? b.n16(v) : bytes::u8({int(v)});
            const std::uint32_t count = c.type == 5 || c.type == 10
                ? std::uint32_t(c.values.size() / 2)
                : std::uint32_t(c.values.size());
            b.entry(Ifd::Zero, c.tag, c.type, count, value).ascii(Ifd::Zero, 271, "after");
            EXPECT_EQ(linesOf(b.jpeg()), QStringList({c.expected, "Make: after"}));
        }
}

TEST(clsEXIF, TextValuesEndAtTheirFirstNulAndLoseInlinePadding)
{
    ExifBuilder b(true);
    b.entry(Ifd::Zero, 271, 2, 3, "HTC}") // count 3: the fourth byte is padding
        .entry(Ifd::Zero, 272, 2, 4, QByteArray("DV\0\0", 4))
        .entry(Ifd::Zero, 305, 2, 0, "junk") // no bytes at all
        .ascii(Ifd::Zero, 270, QByteArray("a\0b", 3))
        .ascii(Ifd::Zero, 33432, "caf\xC3\xA9"); // UTF-8 text
    EXPECT_EQ(linesOf(b.jpeg()),
        QStringList({"Make: HTC", "Model: DV", "Software: ", "ImageDescription: a",
            QString::fromUtf8("Copyright: caf\xC3\xA9")}));

    // A camera that writes its model over a longer, older one: only the text before the NUL.
    // Inline four-byte values with a NUL inside, and texts without any NUL (blanks kept).
    ExifBuilder c(false);
    c.entry(Ifd::Zero, 272, 2, 8, QByteArray("ION230\0F", 8))
        .entry(Ifd::Zero, 271, 2, 4, QByteArray("AB\0C", 4))
        .entry(Ifd::Zero, 305, 2, 4, QByteArray("\0XYZ", 4))
        .entry(Ifd::Zero, 270, 2, 8, "Canon   ")
        .entry(Ifd::Zero, 33432, 2, 3, "ab ?");
    EXPECT_EQ(linesOf(c.jpeg()), QStringList({"Model: ION230", "Make: AB", "Software: ",
                                              "ImageDescription: Canon   ", "Copyright: ab "}));
}

TEST(clsEXIF, PictureWithoutExifPointerListsIfd0Only)
{
    ExifBuilder b(false);
    b.ascii(Ifd::Zero, 271, "NIKON")
        .ascii(Ifd::Exif, 36867, "2001:01:01 00:00:00")
        .withoutExifPointer();
    EXPECT_EQ(linesOf(b.jpeg()), QStringList({"Make: NIKON"}));
}

TEST(clsEXIF, FindsTheMarkerAfterOtherSegmentsAndTheTiffHeaderRightAfterIt)
{
    const QByteArray tiff = camera(true).tiff();
    QByteArray app0 = bytes::u8({0xFF, 0xE0, 0, 16}) + QByteArray("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
    QByteArray jpeg = ExifBuilder::jpegAround(tiff);
    jpeg.insert(2, app0);
    EXPECT_EQ(linesOf(jpeg), CameraLines);

    // A marker that is not inside an APP1 segment: the head of the file is the block.
    QByteArray loose = bytes::u8({0xFF, 0xD8}) + QByteArray("xxExif\0\0", 8) + tiff;
    EXPECT_EQ(linesOf(loose), CameraLines);
}

TEST(clsEXIF, FailedReadsReportTheirTextAndLeaveNoLines)
{
    QTemporaryDir dir;
    testfiles::writeFile(dir.filePath("good.jpg"), camera(true).jpeg());
    testfiles::writeFile(dir.filePath("empty.jpg"), {});
    testfiles::writeFile(dir.filePath("plain.jpg"), bytes::u8({0xFF, 0xD8, 0xFF, 0xD9}));
    QByteArray late(clsEXIF::HeadSize - 2, 'x');
    testfiles::writeFile(dir.filePath("late.jpg"), late + camera(true).jpeg());
    struct Case {
        const char *file;
        std::uint8_t status;
        const char *text;
    };
    const Case cases[] = {
        {"missing.jpg", clsEXIF::Unreadable, "Could not open the file."},
        {"empty.jpg", clsEXIF::Unreadable, "Could not open the file."},
        {"", clsEXIF::Unreadable, "Could not open the file."},
        {"plain.jpg", clsEXIF::NotExif, "File is not in EXIF format."},
        {"late.jpg", clsEXIF::NotExif, "File is not in EXIF format."},
    };
    clsEXIF exif(QString{});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        exif.setImageFile(dir.filePath("good.jpg"));
        QStringList list;
        EXPECT_EQ(exif.ListInfo(list), QString());
        ASSERT_EQ(list.size(), CameraLines.size());

        exif.setImageFile(*c.file ? dir.filePath(c.file) : dir.path());
        EXPECT_EQ(exif.ParseStatus(), c.status);
        EXPECT_FALSE(exif.isValid());
        EXPECT_EQ(exif.ListInfo(list), QString::fromLatin1(c.text));
        EXPECT_TRUE(list.isEmpty());
        EXPECT_TRUE(exif.Entries().empty());
    }
}

TEST(clsEXIF, MetaInfoFindsTheFirstEntryOfATag)
{
    ExifBuilder b(true);
    b.shortValue(Ifd::Zero, 274, 6)
        .shortValue(Ifd::Zero, 274, 3)
        .rational(Ifd::Zero, 282, {{5, 2}})
        .rational(Ifd::Zero, 283, {{7, 2}});
    clsEXIF exif(QString{});
    exif.parse(b.jpeg());
    QString text;
    EXPECT_EQ(exif.MetaInfo(274, text), 6);
    EXPECT_EQ(text, "6");
    EXPECT_EQ(exif.MetaInfo(282, text), 2); // 2.5 rounds to even
    EXPECT_EQ(text, "2.5");
    EXPECT_EQ(exif.MetaInfo(283, text), 4);
    EXPECT_EQ(exif.MetaInfo(271, text), 0);
    EXPECT_EQ(text, "Tag 271 not found.");
    EXPECT_EQ(linesOf(exif).filter("Orientation").size(), 2);

    const std::pair<QByteArray, int> failures[] = {{bytes::u8({0xFF, 0xD8}), 10}, {{}, 11}};
    for (const auto &[data, number] : failures) {
        exif.parse(data);
        try {
            exif.MetaInfo(274, text);
            ADD_FAILURE() << "no error";
        } catch (const vb::Error &e) {
            EXPECT_EQ(e.number(), number);
            EXPECT_EQ(e.source(), "MetaInfo");
        }
    }
}

TEST(clsEXIF, GetTagNameNamesUnknownTagsByNumber)
{
    EXPECT_EQ(clsEXIF::GetTagName(34665), "ExifOffset");
    EXPECT_EQ(clsEXIF::GetTagName(41730), "CFAPattern");
    EXPECT_EQ(clsEXIF::GetTagName(41985), "Tag #41985");
    EXPECT_EQ(clsEXIF::GetTagName(34853), "Tag #34853");
}

TEST(clsEXIF, IniFileReplacesAndWrapsValueTexts)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("exif.ini");
    testfiles::writeFile(ini,
        "; value texts\r\n"
        "[tag #41985]\r\n"
        "2 = \"Portrait\"\r\n"
        "FORMAT=Scene @X\r\n"
        "[Orientation]\r\n"
        "1=Horizontal (normal)\r\n"
        "6=\r\n"
        "[Make]\r\n"
        "Format=<@X|@x>\r\n");
    ExifBuilder b(true);
    b.shortValue(Ifd::Zero, 41985, 2)
        .shortValue(Ifd::Zero, 274, 1)
        .shortValue(Ifd::Zero, 274, 6)
        .ascii(Ifd::Zero, 271, "Canon");
    EXPECT_EQ(linesOf(b.jpeg(), ini),
        QStringList({"Tag #41985: Scene Portrait", "Orientation: Horizontal (normal)",
            "Orientation: 6", "Make: <Canon|@x>"}));

    // Found as a program asset when no file is named.
    qputenv("VEXLO_HOME", dir.path().toUtf8());
    clsEXIF fromAsset;
    qunsetenv("VEXLO_HOME");
    EXPECT_EQ(fromAsset.IniFile(), ini);
    fromAsset.parse(b.jpeg());
    EXPECT_EQ(linesOf(fromAsset).first(), "Tag #41985: Scene Portrait");
}

TEST(clsEXIF, IfdThatPointsToItselfIsWalkedOnce)
{
    ExifBuilder b(true);
    b.ascii(Ifd::Zero, 271, "Loop").rawEntry(Ifd::Zero, 34665, 4, 1, 8);
    EXPECT_EQ(linesOf(b.jpeg()), QStringList({"Make: Loop", "ExifOffset: 8"}));
}

TEST(clsEXIF, BogusOffsetsAndCountsStayInsideTheBlock)
{
    struct Case {
        const char *name;
        ExifBuilder builder;
        QStringList expected;
    };
    auto make = [](auto fill) {
        ExifBuilder b(false);
        fill(b);
        return b;
    };
    const Case cases[] = {
        {"text offset beyond the block", make([](ExifBuilder &b) {
             b.rawEntry(Ifd::Zero, 271, 2, 20, 0xFFFFFFF0).ascii(Ifd::Zero, 272, "M");
         }),
            {"Make: ", "Model: M"}},
        {"number offset beyond the block ends the walk", make([](ExifBuilder &b) {
             b.rawEntry(Ifd::Zero, 282, 5, 1, 0x7FFFFFF0).ascii(Ifd::Zero, 272, "M");
         }),
            {}},
        {"huge rational count ends the walk", make([](ExifBuilder &b) {
             b.ascii(Ifd::Zero, 271, "A").rawEntry(Ifd::Zero, 318, 5, 0xFFFFFFFF, 8);
         }),
            {"Make: A"}},
        {"long rational list runs out of bytes", make([](ExifBuilder &b) {
             b.ascii(Ifd::Zero, 271, "A").rawEntry(Ifd::Zero, 318, 5, 0x10000000, 8);
         }),
            {"Make: A"}},
        {"unknown type ends the walk", make([](ExifBuilder &b) {
             b.ascii(Ifd::Zero, 271, "A")
                 .rawEntry(Ifd::Zero, 272, 13, 1, 0)
                 .ascii(Ifd::Zero, 305, "S");
         }),
            {"Make: A"}},
        {"component byte above 6 ends the walk", make([](ExifBuilder &b) {
             b.undefined(Ifd::Zero, 37121, bytes::u8({1, 2, 7, 0})).ascii(Ifd::Zero, 271, "A");
         }),
            {}},
        {"exif pointer beyond the block", make([](ExifBuilder &b) {
             b.ascii(Ifd::Zero, 271, "A").rawEntry(Ifd::Zero, 34665, 4, 1, 0xFFFFFFFF);
         }),
            {"Make: A", "ExifOffset: 4294967295"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(linesOf(c.builder.jpeg()), c.expected);
    }
}

TEST(clsEXIF, HeaderFieldsThatDoNotFit)
{
    const QByteArray head
        = bytes::u8({0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10}) + QByteArray("Exif\0\0", 6);
    struct Case {
        const char *name;
        QByteArray data;
    };
    const Case cases[] = {
        {"no TIFF header", head},
        {"IFD0 offset beyond the block",
            head + QByteArray("II*\0", 4) + bytes::u8({0xFF, 0xFF, 0xFF, 0x7F})},
        {"entry count beyond the entries",
            head + QByteArray("MM\0*", 4) + bytes::u8({0, 0, 0, 8, 0xFF, 0xFF, 1, 2})},
        {"segment length larger than the file",
            bytes::u8({0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF}) + QByteArray("Exif\0\0MM\0*", 10)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clsEXIF exif(QString{});
        exif.parse(c.data);
        EXPECT_EQ(exif.ParseStatus(), clsEXIF::Parsed);
        EXPECT_TRUE(linesOf(exif).isEmpty());
    }
}

TEST(clsEXIF, EveryTruncationOfAPictureParsesCleanly)
{
    for (bool intel : {true, false}) {
        const QByteArray full = camera(intel).jpeg();
        const QStringList all = linesOf(full);
        for (qsizetype n = 0; n <= full.size(); ++n) {
            clsEXIF exif(QString{});
            exif.parse(full.left(n));
            QStringList lines;
            exif.ListInfo(lines);
            ASSERT_LE(lines.size(), all.size()) << n;
            ASSERT_EQ(exif.ParseStatus(),
                n == 0       ? clsEXIF::Unreadable
                    : n < 11 ? clsEXIF::NotExif
                             : clsEXIF::Parsed)
                << n;
        }
    }
}

TEST(clsEXIF, ValuesBeyondTheFirst4096BytesAreReadInsideTheSegment)
{
    ExifBuilder b(true);
    b.undefined(Ifd::Zero, 37500, QByteArray(6000, 'n')).ascii(Ifd::Zero, 271, "Far away");
    const QStringList lines = linesOf(b.jpeg());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "Make: Far away");
}

// Values are read where they lie, so entries may share bytes (two resolutions, one rational);
// a real picture's values, however long, are all listed. Thousands of entries pointing at one
// long run of bytes would each turn all of it into text: past the picture's allowance of value
// bytes the walk ends, as on a value that does not fit.
TEST(clsEXIF, EntriesSharingTheirBytesAreListedWithinThePicturesAllowance)
{
    // IFD0 alone: its first out-of-line value starts right after the directory.
    const auto dataAt = [](int entries) { return std::uint32_t(8 + 2 + 12 * entries + 4); };

    ExifBuilder real(true);
    real.rational(Ifd::Zero, 282, {{72, 1}})
        .rawEntry(Ifd::Zero, 283, 5, 1, dataAt(3))
        .undefined(Ifd::Zero, 37500, QByteArray(60000, 'n'));
    const QStringList lines = linesOf(real.jpeg());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "XResolution: 72.0");
    EXPECT_EQ(lines[1], "YResolution: 72.0");
    EXPECT_EQ(lines[2], "MakerNote: " + QString(60000, u'n'));

    const int length = 40000;
    const int fit = int(clsEXIF::ValueBytesPerPicture / length);
    ExifBuilder hostile(false);
    hostile.entry(Ifd::Zero, 270, 2, length, QByteArray(length, 'x'));
    for (int i = 1; i < fit + 3; ++i)
        hostile.rawEntry(Ifd::Zero, 270, 2, length, dataAt(fit + 4));
    hostile.ascii(Ifd::Zero, 271, "A");
    const QStringList listed = linesOf(hostile.jpeg());
    EXPECT_EQ(listed, QStringList(fit, "ImageDescription: " + QString(length, u'x')));
}
