// Finding the first MPEG frame and reading its Xing, Info or VBRI header.
#include "ByteBuilders.h"
#include "MemoryByteSource.h"
#include "MpegAudioInfo.h"

#include <gtest/gtest.h>

using metadata::MemoryByteSource;
using metadata::MpegAudioInfo;

namespace {

MpegAudioInfo scan(const QByteArray &data, qint64 start = 0, qint64 end = -1)
{
    MemoryByteSource source(data);
    MpegAudioInfo info;
    info.scan(source, start, end < 0 ? data.size() : end);
    return info;
}

void expectNoFigures(const MpegAudioInfo &info)
{
    EXPECT_FALSE(info.hasFrame());
    EXPECT_EQ(info.FirstFramePos(), 0);
    EXPECT_EQ(info.Layer(), 0);
    EXPECT_EQ(info.MPEGVersion(), 0);
    EXPECT_EQ(info.ChannelMode(), 0);
    EXPECT_EQ(info.Padding(), 0);
    EXPECT_EQ(info.Encoding(), 0);
    EXPECT_EQ(info.SamplingRateFrequency(), 0);
    EXPECT_EQ(info.BitRate(), 0);
    EXPECT_EQ(info.FrameSize(), 0);
    EXPECT_EQ(info.FrameSamples(), 0);
    EXPECT_EQ(info.length(), 0);
}

} // namespace

TEST(MpegAudioInfo, ConstantBitRateFigures)
{
    QByteArray data = bytes::mpeg1Layer3Frame();
    data.append(4000001 - data.size(), '\0');
    const MpegAudioInfo info = scan(data);
    ASSERT_TRUE(info.hasFrame());
    EXPECT_EQ(info.FirstFramePos(), 5);
    EXPECT_EQ(info.AudioBytes(), 3999996);
    EXPECT_EQ(info.BitRate(), 128000);
    EXPECT_EQ(info.SamplingRateFrequency(), 44100);
    EXPECT_EQ(info.FrameSamples(), 1152);
    EXPECT_NEAR(info.FrameSize(), 1152 / 8.0 * 128000 / 44100, 1e-9);
    EXPECT_NEAR(info.FrameSize(), 417.959, 1e-3);
    EXPECT_EQ(info.Encoding(), 0);
    EXPECT_DOUBLE_EQ(info.length(), 3999996 / 128000.0 * 8);

    data.append(4, '\0');
    EXPECT_DOUBLE_EQ(scan(data).length(), 250);

    QByteArray padded = bytes::mpegFrame(0xFB, 0x92, 0x40);
    EXPECT_NEAR(scan(padded).FrameSize(), 418.959, 1e-3);
}

TEST(MpegAudioInfo, SkipsBytesThatAreNoAcceptableHeader)
{
    struct Case {
        const char *name;
        QByteArray before;
    };
    const Case cases[] = {
        {"sync byte without sync bits", bytes::u8({0xFF, 0x1F, 0x90, 0x40})},
        {"two sync bytes", bytes::u8({0xFF, 0xFF, 0x00, 0x00, 0x00})},
        {"free format", bytes::u8({0xFF, 0xFB, 0x00, 0x40})},
        {"forbidden bit rate", bytes::u8({0xFF, 0xFB, 0xF0, 0x40})},
        {"reserved sampling rate", bytes::u8({0xFF, 0xFB, 0x9C, 0x40})},
        {"reserved version", bytes::u8({0xFF, 0xEB, 0x90, 0x40})},
        {"reserved layer", bytes::u8({0xFF, 0xF9, 0x90, 0x40})},
        {"reserved emphasis", bytes::u8({0xFF, 0xFB, 0x90, 0x42})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray data = QByteArray("junk") + c.before + bytes::mpeg1Layer3Frame();
        const MpegAudioInfo info = scan(data);
        EXPECT_EQ(info.FirstFramePos(), 4 + c.before.size() + 5);
        EXPECT_EQ(info.BitRate(), 128000);
    }
}

TEST(MpegAudioInfo, SearchesFromTheAudioStartAcrossWindowsUpToTheEnd)
{
    QByteArray data = bytes::mpeg1Layer3Frame(); // before the audio start: not seen
    data.append(30000, '\x11');
    const qint64 frameAt = data.size();
    data += bytes::mpegFrame(0xE3, 0x18, 0xC4, 100); // MPEG 2.5 Layer III, 8 kbit/s, 8000 Hz
    const MpegAudioInfo info = scan(data, 417);
    EXPECT_EQ(info.FirstFramePos(), frameAt + 5);
    EXPECT_EQ(info.MPEGVersion(), 0);
    EXPECT_EQ(info.SamplingRateFrequency(), 8000);
    EXPECT_EQ(info.BitRate(), 8000);
    EXPECT_EQ(info.ChannelMode(), 3);

    expectNoFigures(scan(data, 417, frameAt + 2)); // the header is cut by the end
    expectNoFigures(scan(data, 417, frameAt));
}

TEST(MpegAudioInfo, NoAcceptableFrameGivesNoFigures)
{
    const QByteArray cases[] = {
        {},
        QByteArray(5000, '\0'),
        bytes::u8({0xFF, 0xFB, 0xF0, 0x40, 0xFF, 0xE0, 0, 0, 0xFF}),
        bytes::u8({0xFF, 0xFB}),
    };
    for (const QByteArray &data : cases) {
        SCOPED_TRACE(data.toHex().toStdString());
        expectNoFigures(scan(data));
    }
}

TEST(MpegAudioInfo, XingAndInfoHeaders)
{
    struct Case {
        const char *name;
        QByteArray frame;
        bool vbr;
        std::uint32_t frames, bytes, quality;
        qint64 headerBytes;
    };
    const Case cases[] = {
        {"Xing with every field", bytes::xingFrame("Xing", 15, 1000, 400000, 57), true, 1000,
            400000, 57, 120},
        {"xing lower case", bytes::xingFrame("xing", 3, 1000, 400000, 0), true, 1000, 400000, 0,
            16},
        {"Xing with counts and quality", bytes::xingFrame("Xing", 11, 1000, 400000, 9), true, 1000,
            400000, 9, 20},
        {"Info", bytes::xingFrame("Info", 15, 1000, 400000, 57), false, 1000, 400000, 57, 120},
        {"INFO", bytes::xingFrame("INFO", 1, 1000, 0, 0), false, 1000, 0, 0, 12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray data = c.frame;
        data.append(100000, '\0');
        const MpegAudioInfo info = scan(data);
        EXPECT_EQ(info.IsVBR(), c.vbr);
        EXPECT_EQ(info.Encoding(), c.vbr ? 1 : 0);
        EXPECT_EQ(info.VbrFrames(), c.frames);
        EXPECT_EQ(info.VbrBytes(), c.bytes);
        EXPECT_EQ(info.VbrQuality(), c.quality);
        EXPECT_EQ(info.AudioBytes(), data.size() - 5 - c.headerBytes);
        if (c.vbr) {
            EXPECT_DOUBLE_EQ(info.length(), 1000 * 1152 / 44100.0);
            EXPECT_DOUBLE_EQ(info.FrameSize(), 400.0);
            EXPECT_DOUBLE_EQ(info.BitRate(), 400.0 * 44100 / 144);
        } else {
            EXPECT_DOUBLE_EQ(info.length(), info.AudioBytes() / 128000.0 * 8);
            EXPECT_EQ(info.BitRate(), 128000);
        }
    }
    QByteArray withToc = bytes::xingFrame("Xing", 4, 0, 0, 0);
    EXPECT_EQ(scan(withToc).VbrToc(), QByteArray(100, 'T'));
}

TEST(MpegAudioInfo, VbrFiguresWithMissingCounts)
{
    QByteArray noFrames = bytes::xingFrame("Xing", 2, 0, 400000, 0);
    noFrames.append(10000, '\0');
    const MpegAudioInfo a = scan(noFrames);
    EXPECT_EQ(a.FrameSize(), 0);
    EXPECT_EQ(a.length(), 0);
    EXPECT_EQ(a.BitRate(), 0);

    QByteArray noBytes = bytes::xingFrame("Xing", 1, 441, 0, 0);
    noBytes.append(200000, '\0');
    const MpegAudioInfo b = scan(noBytes);
    EXPECT_DOUBLE_EQ(b.length(), 441 * 1152 / 44100.0);
    EXPECT_DOUBLE_EQ(b.BitRate(), b.AudioBytes() / b.length() * 8);
}

TEST(MpegAudioInfo, VbriHeader)
{
    QByteArray data = bytes::vbriFrame(2000, 800000, 75, 10, 4);
    data.append(50000, '\0');
    const MpegAudioInfo info = scan(data);
    EXPECT_TRUE(info.IsVBR());
    EXPECT_EQ(info.VbrFrames(), 2000u);
    EXPECT_EQ(info.VbrBytes(), 800000u);
    EXPECT_EQ(info.VbrQuality(), 75u);
    EXPECT_EQ(info.AudioBytes(), data.size() - 5 - (26 + 10 * 4));
    EXPECT_DOUBLE_EQ(info.length(), 2000 * 1152 / 44100.0);
    EXPECT_DOUBLE_EQ(info.BitRate(), 400.0 * 44100 / 144);
}

TEST(MpegAudioInfo, VbrBitRateOfMpeg2UsesItsOwnFrameLength)
{
    // MPEG 2 Layer III, 22050 Hz, stereo: side information 17 bytes, 576 samples per frame.
    QByteArray frame = bytes::u8({0xFF, 0xF3, 0x80, 0x40});
    frame.append(17, '\0');
    frame += QByteArray("Xing") + bytes::bigEndian(3, 4) + bytes::bigEndian(100, 4)
        + bytes::bigEndian(20000, 4);
    frame.append(5000, '\0');
    const MpegAudioInfo info = scan(frame);
    ASSERT_TRUE(info.IsVBR());
    EXPECT_DOUBLE_EQ(info.length(), 100 * 576 / 22050.0);
    EXPECT_DOUBLE_EQ(info.BitRate(), 200.0 * 22050 / 72);
}
