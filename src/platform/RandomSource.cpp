#include "RandomSource.h"

#include <QTime>
#include <cstring>

VbRandom::VbRandom(uint32_t seed) : m_state(seed & 0xFFFFFF) {}

void VbRandom::randomize()
{
    const QTime t = QTime::currentTime();
    randomize(t.msecsSinceStartOfDay() / 1000.0);
}

void VbRandom::randomize(double seed)
{
    // The upper half of the number's bits, folded to 16 bits, goes into the middle of the state
    // as with the runtime's Randomize. The runtime replaces those bits and keeps only the low
    // byte, so every re-seed within one timer tick restarts one of at most 256 sequences; here
    // the bits are mixed in and the whole state carries on.
    uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    const uint32_t hi = uint32_t(bits >> 32);
    const uint32_t mix = ((hi & 0xFFFF) ^ (hi >> 16)) << 8;
    m_state = (m_state ^ mix) & 0xFFFFFF;
}

float VbRandom::next()
{
    m_state = (m_state * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    return float(m_state) / 16777216.0f;
}
