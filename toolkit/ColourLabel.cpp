#include "ColourLabel.h"

#include <QMouseEvent>
#include <QPainter>

ColourLabel::ColourLabel(QWidget *parent, qint16 index) : QWidget(parent), m_index(index)
{
    setAttribute(Qt::WA_OpaquePaintEvent, !m_transparent);
}

void ColourLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    Q_EMIT captionChanged();
}

void ColourLabel::setBackColor(OleColor colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    if (!m_transparent)
        update();
}

void ColourLabel::setForeColor(OleColor colour)
{
    if (colour == m_foreColor)
        return;
    m_foreColor = colour;
    update();
}

void ColourLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void ColourLabel::setBorder(bool border)
{
    m_border = border;
    update();
}

void ColourLabel::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    update();
}

void ColourLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect area = rect();
    if (!m_transparent)
        painter.fillRect(area, toQColor(m_backColor, palette()));
    if (m_border) {
        painter.setPen(toQColor(Colours::SystemWindowText, palette()));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }
    painter.setPen(toQColor(m_foreColor, palette()));
    painter.setFont(font());
    const int flags = Qt::AlignHCenter | Qt::AlignTop | (m_wordWrap ? Qt::TextWordWrap : 0);
    painter.drawText(area, flags, m_caption);
}

void ColourLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ColourLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton &&
                         rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked)
        Q_EMIT Click(m_index);
}
