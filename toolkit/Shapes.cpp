#include "Shapes.h"

#include <QPainter>

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
    painter.setPen(toQColor(m_border, palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Frame::Frame(OleColor back, QWidget *parent) : QWidget(parent), m_back(back)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), toQColor(m_back, palette()));
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
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
