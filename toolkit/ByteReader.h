#pragma once

#include <QByteArray>

// Reads the little-endian numbers of a file's bytes. Out-of-range reads give 0,
// so a truncated file cannot read past its end.
struct ByteReader
{
    const QByteArray &data;

    bool fits(qint64 at, qint64 size) const
    {
        return at >= 0 && size >= 0 && at + size <= data.size();
    }
    quint32 le(qint64 at, int size) const
    {
        if (!fits(at, size))
            return 0;
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | quint8(data.at(at + i));
        return value;
    }
    quint16 u16(qint64 at) const { return quint16(le(at, 2)); }
    quint32 u32(qint64 at) const { return le(at, 4); }
};
