#include "Picture.h"

#include "ByteReader.h"

#include <QFile>

#include <stdexcept>

namespace {
// The plain bitmaps the skins are made of (uncompressed, bottom-up, 24 or 32
// bits per pixel), read directly; Qt's reader would first search its image
// plug-ins. Anything else gives a null image.
QImage readPlainBitmap(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const ByteReader bytes{data};
    constexpr qsizetype headers = 14 + 40;
    if (data.size() < headers || !data.startsWith("BM") || bytes.u32(14) != 40)
        return {};
    const qint64 width = qint32(bytes.u32(18));
    const qint64 height = qint32(bytes.u32(22));
    const int bits = int(bytes.u16(28));
    const qint64 offset = bytes.u32(10);
    if (bytes.u16(26) != 1 || bytes.u32(30) != 0 || (bits != 24 && bits != 32) || width <= 0 ||
        height <= 0 || width > 4096 || height > 4096)
        return {};
    const int bytesPerPixel = bits / 8;
    const qint64 stride = (width * bytesPerPixel + 3) & ~3;
    if (offset < headers || !bytes.fits(offset, stride * height))
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (qint64 y = 0; y < height; ++y) {
        const auto *in =
            reinterpret_cast<const uchar *>(data.constData()) + offset + (height - 1 - y) * stride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x, in += bytesPerPixel)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    image.setDotsPerMeterX(qint32(bytes.u32(38)));
    image.setDotsPerMeterY(qint32(bytes.u32(42)));
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
