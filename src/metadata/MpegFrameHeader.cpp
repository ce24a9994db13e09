#include "MpegFrameHeader.h"

namespace metadata {

namespace {

enum LayerCode { LayerReserved = 0, Layer3 = 1, Layer2 = 2, Layer1 = 3 };

// kbit/s by bit-rate index; index 15 is the forbidden value.
constexpr int Mpeg1Layer1[16] = {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, -1};
constexpr int Mpeg1Layer2[16] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, -1};
constexpr int Mpeg1Layer3[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1};
constexpr int Mpeg2Layer1[16] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, -1};
constexpr int Mpeg2Layer23[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1};

// Hz by sampling-rate index and the two version bits.
constexpr int SamplingRates[4][4] = {
    // MPEG 2.5, reserved, MPEG 2, MPEG 1
    {11025, -1, 22050, 44100},
    {12000, -1, 24000, 48000},
    {8000, -1, 16000, 32000},
    {-1, -1, -1, -1},
};

} // namespace

std::int32_t MpegFrameHeader::MPEGVersion() const
{
    switch ((m_bytes[0] >> 3) & 3) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return 3;
    default:
        return 2;
    }
}

std::int32_t MpegFrameHeader::Padding() const
{
    if (!(m_bytes[1] & 2))
        return 0;
    return Layer() == Layer1 ? 4 : 1;
}

std::int32_t MpegFrameHeader::SamplingRateFrequency() const
{
    return SamplingRates[samplingRateIndex()][(m_bytes[0] >> 3) & 3];
}

double MpegFrameHeader::BitRate() const
{
    const int *table = nullptr;
    const std::int32_t version = MPEGVersion();
    if (version == 2) {
        switch (Layer()) {
        case Layer1: table = Mpeg1Layer1; break;
        case Layer2: table = Mpeg1Layer2; break;
        case Layer3: table = Mpeg1Layer3; break;
        default: break;
        }
    } else if (version == 3 || version == 0) {
        if (Layer() == Layer1)
            table = Mpeg2Layer1;
        else if (Layer() != LayerReserved)
            table = Mpeg2Layer23;
    }
    return table ? table[bitRateIndex()] * 1000.0 : 0.0;
}

std::int32_t MpegFrameHeader::FrameSamples() const
{
    switch (Layer()) {
    case Layer1:
        return 384;
    case Layer2:
        return 1152;
    case Layer3:
        return MPEGVersion() == 2 ? 1152 : 576;
    default:
        return 0;
    }
}

std::int32_t MpegFrameHeader::sideInfoSize() const
{
    const bool mono = ChannelMode() == 3;
    if (MPEGVersion() == 2)
        return mono ? 17 : 32;
    return mono ? 9 : 17;
}

bool MpegFrameHeader::isAcceptable() const
{
    const double rate = BitRate();
    return hasSync() && MPEGVersion() != 1 && Layer() != LayerReserved
        && SamplingRateFrequency() != -1 && rate != 0 && rate != -1000 && emphasis() != 2;
}

} // namespace metadata
