#include "PictureElement.h"

#include "Twips.h"

#include <QPainter>

PictureElement::PictureElement(Sizing sizing, bool visible, float left, float top, float width,
                               float height)
    : m_left(left), m_top(top), m_width(width), m_height(height), m_sizing(sizing),
      m_visible(visible)
{
}

void PictureElement::setPicture(const Picture &picture)
{
    m_loader = {};
    take(picture);
}

void PictureElement::setPictureLater(Loader loader)
{
    m_loader = std::move(loader);
    m_picture = {};
}

void PictureElement::setPicture(const PictureElement &source)
{
    if (source.m_loader)
        setPictureLater(source.m_loader);
    else
        setPicture(source.m_picture);
}

void PictureElement::take(const Picture &picture) const
{
    m_picture = picture;
    if (m_sizing == Sizing::Natural && holdsImage(m_picture)) {
        const QSizeF natural = naturalTwips(*m_picture);
        m_width = float(natural.width());
        m_height = float(natural.height());
    }
}

QRectF PictureElement::rect() const
{
    loadSize();
    return Twips::rectF(m_left, m_top, m_width, m_height);
}

void PictureElement::paint(QPainter &painter) const
{
    if (!m_visible || !hasPicture())
        return;
    if (m_sizing == Sizing::Stretch) {
        paintStretched(painter);
        return;
    }
    // Natural size, cut off at the element's edges.
    painter.save();
    painter.setClipRect(rect(), Qt::IntersectClip);
    const QSizeF natural = naturalTwips(*m_picture);
    painter.drawImage(Twips::rectF(m_left, m_top, natural.width(), natural.height()), *m_picture);
    painter.restore();
}

void PictureElement::paintStretched(QPainter &painter) const
{
    const QRectF target = rect();
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize pixels = (target.size() * ratio).toSize();
    if (pixels.isEmpty())
        return;
    if (m_stretchedFrom != m_picture || m_stretched.size() != pixels ||
        m_stretched.devicePixelRatio() != ratio) {
        m_stretched = m_picture->scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_stretched.setDevicePixelRatio(ratio);
        m_stretchedFrom = m_picture;
    }
    painter.drawImage(target.topLeft(), m_stretched);
}

QSizeF PictureElement::naturalTwips(const QImage &image)
{
    return QSizeF(Twips::fromPixels(image.width()), Twips::fromPixels(image.height()));
}
