// Draws the program icon, a lottery ball, and writes it as a three-image ICO
// (64, 48 and 32 pixels, 24-bit colour with a transparency mask) and as PNGs.
//   kugelfix_iconmaker <output folder>
//   kugelfix_iconmaker --check <data folder>   fails unless the files there are what it draws
#include "IconWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {
constexpr int kSizes[] = {64, 48, 32};
// The web page's icons, as PNGs only.
constexpr int kPageSizes[] = {192, 512};
// Levels per premultiplied channel by which a stored pixel may differ from a drawn one: room for
// the rounding of Qt's rasterizer, which differs between its versions and processors.
constexpr int kTolerance = 2;

// The centre lines of "49", one unit high, drawn with our own strokes rather than a font so that
// the icon does not depend on the faces installed.
QPainterPath fortyNine()
{
    QPainterPath path;
    path.moveTo(0.56, 1.0); // the 4: stem, diagonal, bar
    path.lineTo(0.56, 0.0);
    path.lineTo(0.04, 0.68);
    path.lineTo(0.72, 0.68);
    const qreal x = 0.86;
    path.addEllipse(QRectF(x, 0.0, 0.6, 0.62)); // the 9: bowl and tail
    path.moveTo(x + 0.6, 0.31);
    path.lineTo(x + 0.6, 0.62);
    path.cubicTo(x + 0.6, 0.9, x + 0.47, 1.0, x + 0.3, 1.0);
    path.cubicTo(x + 0.16, 1.0, x + 0.06, 0.93, x + 0.03, 0.82);
    return path;
}

QImage drawBall(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ball(0.5, 0.5, size - 1.0, size - 1.0);

    QRadialGradient body(ball.center() - QPointF(size * 0.18, size * 0.2), size * 0.72);
    body.setColorAt(0.0, QColor(255, 150, 120));
    body.setColorAt(0.45, QColor(222, 32, 28));
    body.setColorAt(1.0, QColor(110, 8, 12));
    painter.setPen(QPen(QColor(90, 6, 10), size / 40.0));
    painter.setBrush(body);
    painter.drawEllipse(ball);

    const qreal discSize = size * 0.56;
    const QRectF disc(ball.center().x() - discSize / 2, ball.center().y() - discSize / 2, discSize,
                      discSize);
    QRadialGradient face(disc.center() - QPointF(discSize * 0.15, discSize * 0.18), discSize * 0.7);
    face.setColorAt(0.0, Qt::white);
    face.setColorAt(1.0, QColor(226, 226, 232));
    painter.setPen(QPen(QColor(150, 20, 20, 120), size / 64.0));
    painter.setBrush(face);
    painter.drawEllipse(disc);

    const QPainterPath digits = fortyNine();
    const qreal digitHeight = discSize * 0.38;
    QTransform place;
    place.translate(disc.center().x() - digits.boundingRect().center().x() * digitHeight,
                    disc.center().y() - digits.boundingRect().center().y() * digitHeight);
    place.scale(digitHeight, digitHeight);
    QPen stroke(QColor(40, 40, 48), digitHeight * 0.16);
    stroke.setJoinStyle(Qt::MiterJoin);
    painter.setPen(stroke);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(place.map(digits));

    QRadialGradient shine(QPointF(size * 0.32, size * 0.24), size * 0.2);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(QPointF(size * 0.32, size * 0.24), size * 0.2, size * 0.13);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The largest difference of a premultiplied channel, or 256 if the sizes differ.
int difference(const QImage &drawn, const QImage &stored)
{
    if (drawn.size() != stored.size())
        return 256;
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = stored.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            for (const int shift : {0, 8, 16, 24}) {
                const int levels =
                    int(a.pixel(x, y) >> shift & 0xFF) - int(b.pixel(x, y) >> shift & 0xFF);
                most = std::max(most, std::abs(levels));
            }
        }
    }
    return most;
}

// The PNGs must be the drawing within the tolerance, and the ICO exactly what the writer makes
// of them; the PNG bytes themselves depend on the zlib version.
QString pngPath(int size)
{
    return u"icons/%1/kugelfix.png"_s.arg(size);
}

bool check(const QDir &data)
{
    bool good = true;
    QList<QImage> stored;
    const auto checkPng = [&](int size) {
        const QImage image(data.filePath(pngPath(size)));
        const int most = difference(drawBall(size), image);
        std::printf("%s: differs by at most %d levels (tolerance %d)\n", qPrintable(pngPath(size)),
                    most, kTolerance);
        good = good && most <= kTolerance;
        return image;
    };
    for (const int size : kSizes)
        stored.append(checkPng(size));
    for (const int size : kPageSizes)
        checkPng(size);
    QFile icon(data.filePath(u"kugelfix.ico"_s));
    if (!icon.open(QIODevice::ReadOnly) || icon.readAll() != iconData(stored)) {
        std::printf("kugelfix.ico: not what the writer makes of the PNGs\n");
        good = false;
    }
    return good;
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == u"--check"_s)
        return check(QDir(arguments[2])) ? 0 : 1;
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s [--check] <folder>\n", argv[0]);
        return 2;
    }
    const QDir out(arguments[1]);
    const auto writePng = [&out](int size) {
        const QImage image = drawBall(size);
        const QString path = pngPath(size);
        return out.mkpath(QFileInfo(path).path()) && image.save(out.filePath(path)) ? image
                                                                                    : QImage();
    };
    QList<QImage> images;
    for (const int size : kSizes) {
        images.append(writePng(size));
        if (images.last().isNull())
            return 1;
    }
    for (const int size : kPageSizes) {
        if (writePng(size).isNull())
            return 1;
    }
    return writeIcon(out.filePath(u"kugelfix.ico"_s), images) ? 0 : 1;
}
