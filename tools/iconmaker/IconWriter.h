#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Writes an ICO whose images are 24-bit bottom-up DIBs with a 1-bit mask; pixels
// under half opacity are masked out, edge pixels are blended over a light ground.
bool writeIcon(const QString &path, const QList<QImage> &images);
QByteArray iconData(const QList<QImage> &images);
