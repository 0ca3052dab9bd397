#include "ColourLabel.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {
class AccessibleColourLabel : public QAccessibleWidget
{
public:
    explicit AccessibleColourLabel(ColourLabel *label)
        : QAccessibleWidget(label, label->accessibleRole())
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const ColourLabel *>(widget())->accessibleText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleColourLabel(const QString &className, QObject *object)
{
    if (className == u"ColourLabel" && object && object->isWidgetType())
        return new AccessibleColourLabel(static_cast<ColourLabel *>(object));
    return nullptr;
}
} // namespace

ColourLabel::ColourLabel(QWidget *parent, qint16 index) : QWidget(parent), m_index(index)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleColourLabel);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_OpaquePaintEvent, !m_transparent);
}

void ColourLabel::setAccessibleDescriber(Describer describer, QAccessible::Role role)
{
    m_describer = std::move(describer);
    m_accessibleRole = role;
}

QString ColourLabel::accessibleText() const
{
    if (m_describer)
        return m_describer(*this);
    return QString(m_caption).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

void ColourLabel::announceChange()
{
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void ColourLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    announceChange();
    Q_EMIT captionChanged();
}

void ColourLabel::setBackColor(OleColor colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    if (!m_transparent)
        update();
    announceChange();
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
