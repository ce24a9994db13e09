#pragma once
/**
 * The audio side of an MP3 file: the first acceptable MPEG frame header after the tags, the
 * Xing, Info or VBRI header that may stand in that frame, and the stream figures derived from
 * them. Without an accepted frame every figure is 0.
 */
#include "ByteSource.h"
#include "MpegFrameHeader.h"

#include <QByteArray>

#include <cstdint>

namespace metadata {

class MpegAudioInfo {
public:
    /** Bytes searched per step. */
    static constexpr qint64 SearchWindow = 20480;
    /** Bytes after a sync byte that may belong to the frame's headers (the largest Xing header
     *  ends 156 bytes after the frame start). */
    static constexpr qint64 CandidateSize = 156;

    /** Forgets everything found before. */
    void reset() { *this = MpegAudioInfo(); }

    /** Finds the first acceptable frame header in the bytes [audioStart, end) of the source
     *  (0-based, end exclusive) and reads its VBR header. */
    void scan(ByteSource &source, qint64 audioStart, qint64 end);

    bool hasFrame() const { return m_firstFramePos > 0; }
    /** The accepted header (all zero without one). */
    const MpegFrameHeader &header() const { return m_header; }
    /** 1-based file position of the byte after the accepted 4-byte header; 0 without one. */
    qint64 FirstFramePos() const { return m_firstFramePos; }
    /** Audio bytes from the frame to the end of the audio, less the VBR header's bytes. */
    qint64 AudioBytes() const { return m_audioBytes; }
    bool IsVBR() const { return m_isVbr; }
    std::uint32_t VbrFrames() const { return m_vbrFrames; }
    std::uint32_t VbrBytes() const { return m_vbrBytes; }
    std::uint32_t VbrQuality() const { return m_vbrQuality; }
    const QByteArray &VbrToc() const { return m_vbrToc; }

    std::int32_t Layer() const { return hasFrame() ? m_header.Layer() : 0; }
    std::int32_t Padding() const { return hasFrame() ? m_header.Padding() : 0; }
    std::int32_t MPEGVersion() const { return hasFrame() ? m_header.MPEGVersion() : 0; }
    std::int32_t ChannelMode() const { return hasFrame() ? m_header.ChannelMode() : 0; }
    /** 1 for a VBR stream (Xing or VBRI header), else 0. */
    std::int32_t Encoding() const { return m_isVbr ? 1 : 0; }
    std::int32_t SamplingRateFrequency() const
    {
        return hasFrame() ? m_header.SamplingRateFrequency() : 0;
    }
    std::int32_t FrameSamples() const { return hasFrame() ? m_header.FrameSamples() : 0; }
    /** Bits per second. */
    double BitRate() const;
    /** Bytes per frame. */
    double FrameSize() const;
    /** Play time in seconds. */
    double length() const;

private:
    void readVbrHeader(const QByteArray &candidate);

    MpegFrameHeader m_header;
    qint64 m_firstFramePos = 0;
    qint64 m_audioBytes = 0;
    bool m_isVbr = false;
    std::uint32_t m_vbrFrames = 0;
    std::uint32_t m_vbrBytes = 0;
    std::uint32_t m_vbrQuality = 0;
    QByteArray m_vbrToc;
};

} // namespace metadata
