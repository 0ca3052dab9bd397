#include "Shapes.h"

#include "Accessibility.h"

#include <QPainter>

void drawOutline(QPainter &painter, const QRect &rect, const QColor &colour)
{
    if (rect.isEmpty())
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), 1, colour);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, colour);
    painter.fillRect(rect.left(), rect.top() + 1, 1, rect.height() - 2, colour);
    painter.fillRect(rect.right(), rect.top() + 1, 1, rect.height() - 2, colour);
}

Shape::Shape(OleColor fill, OleColor border, QWidget *parent)
    : QWidget(parent), m_fill(fill), m_border(border)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_fill, palette()));
    drawOutline(painter, rect(), toQColor(m_border, palette()));
}

Frame::Frame(OleColor back, QWidget *parent) : QWidget(parent), m_back(back)
{
    installToolkitAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), toQColor(m_back, palette()));
}

Group::Group(QWidget *parent) : QWidget(parent)
{
    installToolkitAccessibility();
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    installToolkitAccessibility();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setPicture(const QIcon &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_picture.paint(&painter, rect());
}
