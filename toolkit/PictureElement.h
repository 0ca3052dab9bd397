#pragma once

#include "Picture.h"

#include <QPointF>
#include <QRectF>

#include <functional>
#include <utility>

class QPainter;

// A windowless picture inside a control, placed in float twips. A stretched
// element scales its picture to its own size; otherwise the element takes the
// picture's natural size and keeps its last size when given none.
class PictureElement
{
public:
    using Loader = std::function<Picture()>;

    enum class Sizing
    {
        Natural,
        Stretch
    };

    PictureElement(Sizing sizing, bool visible, float left = 0, float top = 0, float width = 0,
                   float height = 0);

    const Picture &picture() const
    {
        load();
        return m_picture;
    }
    void setPicture(const Picture &picture);
    // The picture is read only when it, or a size that follows from it, is first
    // asked for: a button keeps many faces and shows few.
    void setPictureLater(Loader loader);
    // Takes the picture of another element, still unread if that one's is.
    void setPicture(const PictureElement &source);
    bool hasPicture() const { return holdsImage(picture()); }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const
    {
        loadSize();
        return m_width;
    }
    float height() const
    {
        loadSize();
        return m_height;
    }
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }
    void setWidth(float twips)
    {
        loadSize();
        m_width = twips;
    }
    void setHeight(float twips)
    {
        loadSize();
        m_height = twips;
    }

    bool isVisible() const { return m_visible; }
    // In logical pixels.
    QRectF rect() const;
    bool contains(QPointF pixel) const { return m_visible && rect().contains(pixel); }
    void paint(QPainter &painter) const;

    // Natural size: 15 twips a pixel, whatever resolution the file claims, so a
    // picture takes the same room on a button as on the screen.
    static QSizeF naturalTwips(const QImage &image);

private:
    void load() const
    {
        if (m_loader)
            take(std::exchange(m_loader, {})());
    }
    // Only an element of natural size takes its size from the picture.
    void loadSize() const
    {
        if (m_sizing == Sizing::Natural)
            load();
    }
    void take(const Picture &picture) const;
    void paintStretched(QPainter &painter) const;

    // Loading changes no observable state, so it may happen in const accessors.
    mutable Loader m_loader;
    mutable Picture m_picture;
    // The picture scaled to the element's size on the device, kept between
    // paints so that a repaint is a plain copy.
    mutable QImage m_stretched;
    mutable Picture m_stretchedFrom;
    float m_left;
    float m_top;
    mutable float m_width;
    mutable float m_height;
    Sizing m_sizing;
    bool m_visible;
};
