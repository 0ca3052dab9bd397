#include "Measure.h"

#include <QFile>

#include <algorithm>
#include <cmath>

double Measure::percentile(QList<double> values, double q)
{
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = qsizetype(std::ceil(q * double(values.size())));
    return values[std::clamp<qsizetype>(rank - 1, 0, values.size() - 1)];
}

qint64 Measure::residentKiB()
{
    // /proc files report no size, so read them whole rather than testing for their end.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}
