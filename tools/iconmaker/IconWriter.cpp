#include "IconWriter.h"

#include "LittleEndian.h"

#include <QFile>

namespace {
QByteArray dib(const QImage &image)
{
    const int w = image.width(), h = image.height();
    const int colourStride = (w * 3 + 3) & ~3;
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(w));
    put32(out, quint32(h * 2)); // colour rows and mask rows
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, quint32((colourStride + maskStride) * h));
    for (int i = 0; i < 4; ++i)
        put32(out, 0);

    const QColor ground(255, 255, 224);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(colourStride, '\0');
        for (int x = 0; x < w; ++x) {
            const QColor c = image.pixelColor(x, y);
            const double a = c.alphaF();
            const auto blend = [&](int fg, int bg) { return char(qRound(fg * a + bg * (1 - a))); };
            row[x * 3] = blend(c.blue(), ground.blue());
            row[x * 3 + 1] = blend(c.green(), ground.green());
            row[x * 3 + 2] = blend(c.red(), ground.red());
        }
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (image.pixelColor(x, y).alpha() < 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}
} // namespace

QByteArray iconData(const QList<QImage> &images)
{
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, quint16(images.size()));
    QList<QByteArray> bodies;
    for (const QImage &image : images)
        bodies.append(dib(image));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        out.append(char(images[i].width() & 0xFF)); // 0 would mean 256
        out.append(char(images[i].height() & 0xFF));
        out.append('\0');
        out.append('\0');
        put16(out, 1);
        put16(out, 24);
        put32(out, quint32(bodies[i].size()));
        put32(out, offset);
        offset += quint32(bodies[i].size());
    }
    for (const QByteArray &body : bodies)
        out.append(body);
    return out;
}

bool writeIcon(const QString &path, const QList<QImage> &images)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(iconData(images)) >= 0;
}
