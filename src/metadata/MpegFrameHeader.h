#pragma once
/**
 * The fields of an MPEG audio frame header (ISO/IEC 11172-3, 13818-3), decoded from the three
 * bytes that follow the 0xFF sync byte. Reserved codes decode as the program has always shown
 * them: version 1, layer 0, sampling rate -1, bit rate -1000 for index 15 and 0 for the free
 * format; isAcceptable() tells whether the header may start an audio stream.
 */
#include <array>
#include <cstdint>

namespace metadata {

class MpegFrameHeader {
public:
    MpegFrameHeader() = default;
    MpegFrameHeader(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) : m_bytes{b1, b2, b3} {}

    const std::array<std::uint8_t, 3> &HeaderBytes() const { return m_bytes; }

    /** The top three sync bits of the first byte are all set. */
    bool hasSync() const { return (m_bytes[0] & 0xE0) == 0xE0; }
    /** Sync set, and no reserved version, layer, sampling rate or emphasis, no free-format or
     *  forbidden bit-rate index. */
    bool isAcceptable() const;

    /** Layer bits: 0 reserved, 1 Layer III, 2 Layer II, 3 Layer I. */
    std::int32_t Layer() const { return (m_bytes[0] >> 1) & 3; }
    /** 0 MPEG 2.5, 1 reserved, 3 MPEG 2, 2 MPEG 1. */
    std::int32_t MPEGVersion() const;
    /** 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel. */
    std::int32_t ChannelMode() const { return (m_bytes[2] >> 6) & 3; }
    /** Padding bytes: 0, or 4 for Layer I and 1 otherwise when the padding bit is set. */
    std::int32_t Padding() const;
    std::int32_t emphasis() const { return m_bytes[2] & 3; }
    std::int32_t bitRateIndex() const { return (m_bytes[1] >> 4) & 15; }
    std::int32_t samplingRateIndex() const { return (m_bytes[1] >> 2) & 3; }

    /** Hz; -1 for a reserved code. */
    std::int32_t SamplingRateFrequency() const;
    /** Bits per second from the bit-rate tables; 0 for the free format or a reserved version
     *  or layer, -1000 for index 15. */
    double BitRate() const;
    /** Samples per frame; 0 for a reserved layer. */
    std::int32_t FrameSamples() const;
    /** Bytes of side information after the header (where a Xing or Info header starts). */
    std::int32_t sideInfoSize() const;

private:
    std::array<std::uint8_t, 3> m_bytes{0, 0, 0};
};

} // namespace metadata
