#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QString>

// Reads the images of an ICO file. Qt's reader takes a 24-bit image as opaque
// and drops its transparency mask; this one applies the mask.
QList<QImage> readIconImages(const QString &path);
// All images of the file, or only those of the given width in pixels.
QIcon loadIcon(const QString &path, int onlyWidth = 0);
