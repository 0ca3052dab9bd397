// Draws the program icon, a lottery ball, and writes it as a three-image ICO
// (64, 48 and 32 pixels, 24-bit colour with a transparency mask) and as PNGs.
//   kugelfix_iconmaker <output folder>
#include "IconWriter.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {
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

    QFont font(u"Liberation Sans"_s);
    font.setBold(true);
    font.setPixelSize(qRound(discSize * 0.56));
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 48));
    painter.drawText(disc, Qt::AlignCenter, u"49"_s);

    QRadialGradient shine(QPointF(size * 0.32, size * 0.24), size * 0.2);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(QPointF(size * 0.32, size * 0.24), size * 0.2, size * 0.13);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QList<QImage> images;
    for (const int size : {64, 48, 32}) {
        images.append(drawBall(size));
        const QString folder = u"icons/%1"_s.arg(size);
        if (!out.mkpath(folder) || !images.last().save(out.filePath(folder + u"/kugelfix.png"_s)))
            return 1;
    }
    return writeIcon(out.filePath(u"kugelfix.ico"_s), images) ? 0 : 1;
}
