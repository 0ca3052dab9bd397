#pragma once

#include "Button.h"
#include "Twips.h"

#include <QImage>
#include <QString>

#include <cmath>
#include <memory>

inline QImage skinImage(const QString &name)
{
    return QImage(QStringLiteral(":/button/skins/") + name);
}

inline bool holdsSkin(const PictureElement &element, const QString &name)
{
    return element.picture() && *element.picture() == skinImage(name);
}

// An enabled button laid out at its size: the first resize pass runs when it is shown.
inline std::unique_ptr<Button> shownButton(int widthTwips, int heightTwips,
                                           const QString &caption = {})
{
    auto button = std::make_unique<Button>();
    // As a newly placed instance: enabled, with the host's font and colour.
    button->UserControl_InitProperties();
    button->resize(Twips::toWholePixels(widthTwips), Twips::toWholePixels(heightTwips));
    if (!caption.isEmpty())
        button->setCaption(caption);
    button->show();
    return button;
}

// A picture at 1440 dpi, so each pixel is one twip of natural size.
inline Picture twipPicture(int widthTwips, int heightTwips)
{
    QImage image(widthTwips, heightTwips, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    image.setDotsPerMeterX(56693);
    image.setDotsPerMeterY(56693);
    return std::make_shared<const QImage>(image);
}

inline qint16 roundedTwips(float twips)
{
    return qint16(std::nearbyint(twips));
}
