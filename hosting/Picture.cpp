#include "Picture.h"

#include <stdexcept>

Picture LoadPicture(const QString &fileName)
{
    if (fileName.isEmpty())
        return std::make_shared<const QImage>();
    QImage image(fileName);
    if (image.isNull())
        throw std::runtime_error("cannot load picture " + fileName.toStdString());
    return std::make_shared<const QImage>(std::move(image));
}

bool holdsImage(const Picture &picture)
{
    return picture && !picture->isNull();
}
