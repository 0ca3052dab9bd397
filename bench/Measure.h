#pragma once

#include <QList>
#include <QtGlobal>

#include <chrono>

namespace Measure {

using Clock = std::chrono::steady_clock;

inline qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// The value at fraction q (0 to 1) of the sorted values, nearest rank.
double percentile(QList<double> values, double q);
inline double median(const QList<double> &values)
{
    return percentile(values, 0.5);
}

// The median over samples of the mean time per call, in microseconds.
template <typename F> double medianMicros(int samples, int callsPerSample, F &&call)
{
    QList<double> perCall;
    for (int s = 0; s < samples; ++s) {
        const qint64 start = nowNs();
        for (int i = 0; i < callsPerSample; ++i)
            call();
        perCall.append(double(nowNs() - start) / 1000.0 / callsPerSample);
    }
    return median(perCall);
}

// Resident set size of this process in KiB.
qint64 residentKiB();

} // namespace Measure
