#pragma once

#include <QtGlobal>

#include <functional>

// Uniform single-precision values in [0, 1), re-seeded from the clock on demand.
// xoshiro256** seeded through splitmix64, so neighbouring seeds give unrelated streams.
class RandomSource
{
public:
    RandomSource();

    // Mixes the nanosecond clock with a running count, so two seeds taken
    // within one clock tick still differ.
    void reseedFromClock();
    void seed(quint64 seed);

    // Replaces the clock that reseedFromClock reads, so a recorded run can be replayed.
    using Clock = std::function<quint64()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

    float next();

private:
    quint64 nextBits();

    Clock m_clock;
    quint64 m_state[4] = {};
    quint64 m_reseeds = 0;
};
