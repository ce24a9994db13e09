#pragma once
/**
 * The program's random-number generator: the runtime's 24-bit generator (Rnd) with re-seeding
 * from the timer (Randomize). A re-seed mixes the timer into the whole state, so it never
 * restarts an earlier sequence. Tests replace it with a fixed sequence.
 */
#include <cstddef>
#include <cstdint>
#include <vector>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    /** Re-seeds from the clock, continuing the generator's state. */
    virtual void randomize() = 0;
    /** The next number, 0 <= r < 1, single precision. */
    virtual float next() = 0;
};

/** The generator the program uses. */
class VbRandom : public RandomSource {
public:
    explicit VbRandom(uint32_t seed = 0x50000);
    void randomize() override;
    /** Mixes a number into the state as the runtime's Randomize does, but keeps every bit of
     *  the state: the same number twice does not bring back a sequence already drawn. */
    void randomize(double seed);
    float next() override;

private:
    uint32_t m_state;
};

/** Replays a fixed list of numbers (cycling), for tests. */
class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(std::vector<float> values) : m_values(std::move(values)) {}
    void randomize() override {}
    float next() override
    {
        if (m_values.empty())
            return 0.0f;
        float v = m_values[m_pos % m_values.size()];
        ++m_pos;
        return v;
    }

private:
    std::vector<float> m_values;
    size_t m_pos = 0;
};
