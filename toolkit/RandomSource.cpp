#include "RandomSource.h"

#include <bit>
#include <chrono>

namespace {
quint64 splitmix64(quint64 &x)
{
    quint64 z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}
} // namespace

RandomSource::RandomSource()
{
    reseedFromClock();
}

void RandomSource::reseedFromClock()
{
    ++m_reseeds;
    if (m_clock) {
        seed(m_clock() ^ (m_reseeds * 0xD1B54A32D192ED03ull));
        return;
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto wall = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds =
        quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    const auto wallNanoseconds =
        quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(wall).count());
    seed(nanoseconds ^ std::rotl(wallNanoseconds, 32) ^ (m_reseeds * 0xD1B54A32D192ED03ull));
}

void RandomSource::seed(quint64 seed)
{
    for (auto &word : m_state)
        word = splitmix64(seed);
}

quint64 RandomSource::nextBits()
{
    const quint64 result = std::rotl(m_state[1] * 5, 7) * 9;
    const quint64 t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = std::rotl(m_state[3], 45);
    return result;
}

float RandomSource::next()
{
    // The top 24 bits fill a float's mantissa exactly, so the result is never 1.
    return float(nextBits() >> 40) * 0x1.0p-24f;
}
