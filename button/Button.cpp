#include "Button.h"

#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

Button::Button(QWidget *parent) : QWidget(parent) {}

void Button::setCaption(const QString &val)
{
    m_Caption = val;
    Q_EMIT propertyChanged(u"Caption"_s);
    update();
}

void Button::setButtonset(const QString &val)
{
    m_Buttonset = val;
    Q_EMIT propertyChanged(u"Buttonset"_s);
    update();
}

void Button::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_pressed ? QColor(0xF0, 0xE8, 0xC8) : QColor(0xC0, 0xE0, 0xF8));
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QString text = m_Caption;
    text.replace(u"\r\n"_s, u"\n"_s);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void Button::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void Button::mouseReleaseEvent(QMouseEvent *)
{
    m_pressed = false;
    update();
    Q_EMIT Click();
}
