#include "MpegAudioInfo.h"

#include <cmath>
#include <optional>

namespace metadata {

namespace {

/** 0 for a result that is not a finite number (a division by zero). */
double finiteOrZero(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

/** Big-endian number of `length` bytes at `index`; nullopt when it does not fit. */
std::optional<std::uint32_t> bigEndian(const QByteArray &bytes, qsizetype index, int length)
{
    if (index < 0 || index + length > bytes.size())
        return std::nullopt;
    std::uint32_t v = 0;
    for (int i = 0; i < length; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[index + i]);
    return v;
}

} // namespace

void MpegAudioInfo::scan(ByteSource &source, qint64 audioStart, qint64 end)
{
    reset();
    end = qMin(end, source.size());
    m_audioBytes = qMax<qint64>(end, 0);
    for (qint64 windowStart = qMax<qint64>(audioStart, 0); windowStart < end;
         windowStart += SearchWindow) {
        const qint64 windowEnd = qMin(windowStart + SearchWindow, end);
        const QByteArray buffer =
            source.read(windowStart, qMin(windowEnd - windowStart + CandidateSize, end - windowStart));
        qint64 at = 0;
        while (at < windowEnd - windowStart) {
            const qsizetype hit = buffer.indexOf(char(0xFF), at);
            if (hit < 0 || hit >= windowEnd - windowStart)
                break;
            const QByteArray candidate = buffer.mid(hit + 1, CandidateSize);
            if (candidate.size() < 3) {
                at = hit + 1;
                continue;
            }
            const MpegFrameHeader header(static_cast<std::uint8_t>(candidate[0]),
                                         static_cast<std::uint8_t>(candidate[1]),
                                         static_cast<std::uint8_t>(candidate[2]));
            if (!header.hasSync()) {
                at = hit + 1;
                continue;
            }
            if (!header.isAcceptable()) {
                at = hit + 4;
                continue;
            }
            m_header = header;
            m_firstFramePos = windowStart + hit + 5;
            m_audioBytes = qMax<qint64>(end - m_firstFramePos, 0);
            readVbrHeader(candidate);
            return;
        }
    }
}

void MpegAudioInfo::readVbrHeader(const QByteArray &candidate)
{
    // Offsets below count from the frame's sync byte; the candidate starts one byte later.
    auto at = [](qsizetype offset) { return offset - 1; };
    const int side = m_header.sideInfoSize();
    const QByteArray tag = candidate.mid(at(4 + side), 4).toLower();
    if (tag == "xing" || tag == "info") {
        qint64 headerBytes = 8;
        const auto flags = bigEndian(candidate, at(8 + side + 3), 1).value_or(0);
        qsizetype field = at(12 + side);
        if (flags & 1) {
            m_vbrFrames = bigEndian(candidate, field, 4).value_or(0);
            field += 4;
            headerBytes += 4;
        }
        if (flags & 2) {
            m_vbrBytes = bigEndian(candidate, field, 4).value_or(0);
            field += 4;
            headerBytes += 4;
        }
        if (flags & 4) {
            m_vbrToc = candidate.mid(field, 100);
            field += 100;
            headerBytes += 100;
        }
        if (flags & 8) {
            m_vbrQuality = bigEndian(candidate, field, 4).value_or(0);
            headerBytes += 4;
        }
        m_isVbr = tag == "xing";
        m_audioBytes = qMax<qint64>(m_audioBytes - headerBytes, 0);
    }
    if (candidate.mid(at(36), 4).toLower() == "vbri") {
        m_isVbr = true;
        m_vbrQuality = bigEndian(candidate, at(44), 2).value_or(m_vbrQuality);
        m_vbrBytes = bigEndian(candidate, at(46), 4).value_or(m_vbrBytes);
        m_vbrFrames = bigEndian(candidate, at(50), 4).value_or(m_vbrFrames);
        const qint64 entries = bigEndian(candidate, at(54), 2).value_or(0);
        const qint64 entrySize = bigEndian(candidate, at(58), 2).value_or(0);
        m_audioBytes = qMax<qint64>(m_audioBytes - (26 + entries * entrySize), 0);
    }
}

double MpegAudioInfo::FrameSize() const
{
    if (!hasFrame())
        return 0;
    if (m_isVbr)
        return m_vbrFrames == 0 ? 0.0 : double(m_vbrBytes) / m_vbrFrames;
    return finiteOrZero(FrameSamples() / 8.0 * m_header.BitRate() / SamplingRateFrequency()
                        + Padding());
}

double MpegAudioInfo::length() const
{
    if (!hasFrame())
        return 0;
    if (m_isVbr)
        return finiteOrZero(double(m_vbrFrames) * FrameSamples() / SamplingRateFrequency());
    const double rate = m_header.BitRate();
    return rate == 0 ? 0.0 : finiteOrZero(double(m_audioBytes) / rate * 8);
}

double MpegAudioInfo::BitRate() const
{
    if (!hasFrame())
        return 0;
    if (!m_isVbr)
        return m_header.BitRate();
    const double frameSize = FrameSize();
    const double seconds = length();
    // A frame carries FrameSamples / 8 bytes per bit per second and sample rate.
    if (frameSize != 0 || !(seconds > 0))
        return finiteOrZero(frameSize * SamplingRateFrequency() / (FrameSamples() / 8.0));
    return finiteOrZero(double(m_audioBytes) / seconds * 8);
}

} // namespace metadata
