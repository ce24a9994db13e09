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
    // Mixes the upper half of the number's bits into the middle of the state, keeping the rest
    // of the state, as the runtime's Randomize does.
    uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    uint32_t hi = uint32_t(bits >> 32);
    uint32_t mix = ((hi & 0xFFFF) ^ (hi >> 16)) << 8;
    m_state = (m_state & 0xFF0000FF) | (mix & 0x00FFFF00);
}

float VbRandom::next()
{
    m_state = (m_state * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFF;
    return float(m_state) / 16777216.0f;
}
