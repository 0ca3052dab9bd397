#pragma once

#include "Picture.h"

#include <QPointF>
#include <QRectF>

class QPainter;

// A windowless picture inside a control, placed in float twips. A stretched
// element scales its picture to its own size; otherwise the element takes the
// picture's natural size and keeps its last size when given none.
class PictureElement
{
public:
    enum class Sizing
    {
        Natural,
        Stretch
    };

    PictureElement(Sizing sizing, bool visible, float left = 0, float top = 0, float width = 0,
                   float height = 0);

    const Picture &picture() const { return m_picture; }
    void setPicture(const Picture &picture);
    bool hasPicture() const { return holdsImage(m_picture); }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }
    void setWidth(float twips) { m_width = twips; }
    void setHeight(float twips) { m_height = twips; }

    bool isVisible() const { return m_visible; }
    // In logical pixels.
    QRectF rect() const;
    bool contains(QPointF pixel) const { return m_visible && rect().contains(pixel); }
    void paint(QPainter &painter) const;

    // Natural size: pixels times 1440 over the picture's resolution (15 twips a
    // pixel at 96 dpi); pictures without a resolution count as 96 dpi.
    static QSizeF naturalTwips(const QImage &image);

private:
    void paintStretched(QPainter &painter) const;

    Picture m_picture;
    // The picture scaled to the element's size on the device, kept between
    // paints so that a repaint is a plain copy.
    mutable QImage m_stretched;
    mutable Picture m_stretchedFrom;
    float m_left;
    float m_top;
    float m_width;
    float m_height;
    Sizing m_sizing;
    bool m_visible;
};
