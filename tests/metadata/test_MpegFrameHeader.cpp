// Decoding of MPEG audio frame headers: the table cells of versions, layers, bit rates and
// sampling rates, and which headers may start a stream.
#include "MpegFrameHeader.h"

#include <gtest/gtest.h>

using metadata::MpegFrameHeader;

namespace {

MpegFrameHeader header(int versionBits, int layerBits, int bitRateIndex, int rateIndex,
                       int padding = 0, int channel = 1, int emphasis = 0)
{
    return MpegFrameHeader(std::uint8_t(0xE0 | versionBits << 3 | layerBits << 1 | 1),
                           std::uint8_t(bitRateIndex << 4 | rateIndex << 2 | padding << 1),
                           std::uint8_t(channel << 6 | emphasis));
}

} // namespace

TEST(MpegFrameHeader, TableCells)
{
    struct Case {
        const char *name;
        int versionBits, layerBits, bitRateIndex, rateIndex;
        int version, layer;
        double bitRate;
        int samplingRate, samples;
    };
    const Case cases[] = {
        {"MPEG 1 Layer III 128k 44.1k", 3, 1, 9, 0, 2, 1, 128000, 44100, 1152},
        {"MPEG 1 Layer III lowest", 3, 1, 1, 1, 2, 1, 32000, 48000, 1152},
        {"MPEG 1 Layer III highest", 3, 1, 14, 2, 2, 1, 320000, 32000, 1152},
        {"MPEG 1 Layer II", 3, 2, 13, 2, 2, 2, 320000, 32000, 1152},
        {"MPEG 1 Layer II second", 3, 2, 2, 0, 2, 2, 48000, 44100, 1152},
        {"MPEG 1 Layer I", 3, 3, 14, 1, 2, 3, 448000, 48000, 384},
        {"MPEG 1 Layer I second", 3, 3, 2, 0, 2, 3, 64000, 44100, 384},
        {"MPEG 2 Layer I", 2, 3, 9, 0, 3, 3, 144000, 22050, 384},
        {"MPEG 2 Layer II", 2, 2, 14, 1, 3, 2, 160000, 24000, 1152},
        {"MPEG 2 Layer III", 2, 1, 8, 2, 3, 1, 64000, 16000, 576},
        {"MPEG 2.5 Layer III", 0, 1, 1, 2, 0, 1, 8000, 8000, 576},
        {"MPEG 2.5 Layer I", 0, 3, 1, 0, 0, 3, 32000, 11025, 384},
        {"MPEG 2.5 Layer II", 0, 2, 12, 1, 0, 2, 128000, 12000, 1152},
        {"free format", 3, 1, 0, 0, 2, 1, 0, 44100, 1152},
        {"forbidden index", 3, 1, 15, 0, 2, 1, -1000, 44100, 1152},
        {"reserved sampling rate", 3, 1, 9, 3, 2, 1, 128000, -1, 1152},
        {"reserved version", 1, 1, 9, 0, 1, 1, 0, -1, 576},
        {"reserved layer", 3, 0, 9, 0, 2, 0, 0, 44100, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const MpegFrameHeader h = header(c.versionBits, c.layerBits, c.bitRateIndex, c.rateIndex);
        EXPECT_EQ(h.MPEGVersion(), c.version);
        EXPECT_EQ(h.Layer(), c.layer);
        EXPECT_EQ(h.BitRate(), c.bitRate);
        EXPECT_EQ(h.SamplingRateFrequency(), c.samplingRate);
        EXPECT_EQ(h.FrameSamples(), c.samples);
    }
}

TEST(MpegFrameHeader, PaddingChannelAndSideInformation)
{
    EXPECT_EQ(header(3, 1, 9, 0, 0).Padding(), 0);
    EXPECT_EQ(header(3, 1, 9, 0, 1).Padding(), 1);
    EXPECT_EQ(header(3, 2, 9, 0, 1).Padding(), 1);
    EXPECT_EQ(header(3, 3, 9, 0, 1).Padding(), 4);
    for (int channel = 0; channel < 4; ++channel)
        EXPECT_EQ(header(3, 1, 9, 0, 0, channel).ChannelMode(), channel);
    EXPECT_EQ(header(3, 1, 9, 0, 0, 3).sideInfoSize(), 17);
    EXPECT_EQ(header(3, 1, 9, 0, 0, 0).sideInfoSize(), 32);
    EXPECT_EQ(header(2, 1, 9, 0, 0, 3).sideInfoSize(), 9);
    EXPECT_EQ(header(0, 1, 9, 0, 0, 1).sideInfoSize(), 17);
}

TEST(MpegFrameHeader, WhichHeadersMayStartAStream)
{
    struct Case {
        const char *name;
        MpegFrameHeader h;
        bool acceptable;
    };
    const Case cases[] = {
        {"good", header(3, 1, 9, 0), true},
        {"emphasis 50/15", header(3, 1, 9, 0, 0, 1, 1), true},
        {"emphasis CCITT", header(3, 1, 9, 0, 0, 1, 3), true},
        {"sync bits missing", MpegFrameHeader(0xDB, 0x90, 0x40), false},
        {"reserved version", header(1, 1, 9, 0), false},
        {"reserved layer", header(3, 0, 9, 0), false},
        {"reserved sampling rate", header(3, 1, 9, 3), false},
        {"free format", header(3, 1, 0, 0), false},
        {"forbidden bit rate", header(3, 1, 15, 0), false},
        {"reserved emphasis", header(3, 1, 9, 0, 0, 1, 2), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.h.isAcceptable(), c.acceptable);
    }
}
