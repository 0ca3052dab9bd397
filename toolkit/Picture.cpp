#include "Picture.h"

#include <QFile>

#include <stdexcept>

namespace {
quint32 le(const QByteArray &data, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(data.at(at + i));
    return value;
}

// The plain bitmaps the skins are made of (uncompressed, bottom-up, 24 or 32
// bits per pixel), read directly; Qt's reader would first search its image
// plug-ins. Anything else gives a null image.
QImage readPlainBitmap(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    constexpr qsizetype headers = 14 + 40;
    if (data.size() < headers || !data.startsWith("BM") || le(data, 14, 4) != 40)
        return {};
    const qint64 width = qint32(le(data, 18, 4));
    const qint64 height = qint32(le(data, 22, 4));
    const int bits = int(le(data, 28, 2));
    const qint64 offset = le(data, 10, 4);
    if (le(data, 26, 2) != 1 || le(data, 30, 4) != 0 || (bits != 24 && bits != 32) || width <= 0 ||
        height <= 0 || width > 4096 || height > 4096)
        return {};
    const int bytesPerPixel = bits / 8;
    const qint64 stride = (width * bytesPerPixel + 3) & ~3;
    if (offset < headers || offset + stride * height > data.size())
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (qint64 y = 0; y < height; ++y) {
        const auto *in =
            reinterpret_cast<const uchar *>(data.constData()) + offset + (height - 1 - y) * stride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x, in += bytesPerPixel)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    image.setDotsPerMeterX(qint32(le(data, 38, 4)));
    image.setDotsPerMeterY(qint32(le(data, 42, 4)));
    return image;
}
} // namespace

Picture LoadPicture(const QString &fileName)
{
    if (fileName.isEmpty())
        return std::make_shared<const QImage>();
    QImage image = readPlainBitmap(fileName);
    if (image.isNull())
        image.load(fileName);
    if (image.isNull())
        throw std::runtime_error("cannot load picture " + fileName.toStdString());
    return std::make_shared<const QImage>(std::move(image));
}

bool holdsImage(const Picture &picture)
{
    return picture && !picture->isNull();
}
