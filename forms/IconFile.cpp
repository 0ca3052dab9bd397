#include "IconFile.h"

#include "ByteReader.h"

#include <QFile>
#include <QImageReader>

namespace {
// A 24-bit bottom-up DIB followed by its 1-bit mask (set bits are transparent).
QImage readMaskedDib(const ByteReader &file, qint64 at)
{
    if (!file.fits(at, 40))
        return {};
    const qint64 width = qint32(file.u32(at + 4));
    const qint64 height = qint32(file.u32(at + 8)) / 2;
    if (file.u16(at + 14) != 24 || file.u32(at + 16) != 0 || width <= 0 || height <= 0 ||
        width > 256 || height > 256)
        return {};
    const qint64 colourStride = (width * 3 + 3) & ~3;
    const qint64 maskStride = ((width + 31) / 32) * 4;
    const qint64 colours = at + file.u32(at);
    const qint64 mask = colours + colourStride * height;
    if (!file.fits(colours, (colourStride + maskStride) * height))
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    for (qint64 y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const uchar *>(file.data.constData()) + colours +
                          (height - 1 - y) * colourStride;
        const auto *bits = reinterpret_cast<const uchar *>(file.data.constData()) + mask +
                           (height - 1 - y) * maskStride;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            const bool transparent = bits[x / 8] & (0x80 >> (x % 8));
            out[x] =
                transparent ? qRgba(0, 0, 0, 0) : qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
        }
    }
    return image;
}
} // namespace

QList<QImage> readIconImages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const ByteReader reader{data};
    if (!reader.fits(0, 6) || reader.u16(2) != 1)
        return {};
    QList<QImage> images;
    const int count = reader.u16(4);
    for (int i = 0; i < count && reader.fits(6 + 16 * i, 16); ++i) {
        QImage image = readMaskedDib(reader, reader.u32(6 + 16 * i + 12));
        if (image.isNull()) {
            // Other depths and PNG entries: Qt reads those well.
            QImageReader fallback(path);
            if (fallback.jumpToImage(i))
                image = fallback.read();
        }
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

QIcon loadIcon(const QString &path, int onlyWidth)
{
    QIcon icon;
    for (const QImage &image : readIconImages(path)) {
        if (onlyWidth == 0 || image.width() == onlyWidth)
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
