#pragma once

#include <QtGlobal>

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

    float next();

private:
    quint64 nextBits();

    quint64 m_state[4] = {};
    quint64 m_reseeds = 0;
};
