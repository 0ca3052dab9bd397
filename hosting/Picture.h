#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

#include <memory>

// A picture object, shared by whoever holds it. A null Picture is the empty
// reference; a picture object whose image is null is an empty picture.
using Picture = std::shared_ptr<const QImage>;

// An empty file name gives an empty picture object; otherwise the file is read,
// and an unreadable one throws std::runtime_error naming it.
Picture LoadPicture(const QString &fileName = {});

// True when the picture object holds an image; false for both kinds of empty.
bool holdsImage(const Picture &picture);

Q_DECLARE_METATYPE(Picture)
