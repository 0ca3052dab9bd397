#include "ColourLabel.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "Shapes.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
class AccessibleColourLabel : public PressableAccessible
{
public:
    explicit AccessibleColourLabel(ColourLabel *label)
        : PressableAccessible(label, label->accessibleRole())
    {
    }

    const ColourLabel *label() const { return static_cast<const ColourLabel *>(widget()); }

    QAccessible::Role role() const override { return label()->accessibleRole(); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->accessibleSpeech().name;
        if (t == QAccessible::Description)
            return label()->accessibleSpeech().description;
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::CheckBox) {
            state.checkable = true;
            state.checked = label()->accessibleSpeech().checked;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return role() == QAccessible::StaticText ? QAccessibleWidget::actionNames()
                                                 : PressableAccessible::actionNames();
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (QWidget *buddy = label()->buddy(); buddy && (match & QAccessible::Labelled))
            found.append({QAccessible::queryAccessibleInterface(buddy), QAccessible::Labelled});
        return found;
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
    m_announced = accessibleSpeech();
}

AccessibleSpeech ColourLabel::accessibleSpeech() const
{
    if (m_describer)
        return m_describer(*this);
    return {QString(m_caption).replace(QStringLiteral("\r\n"), QStringLiteral(" "))};
}

void ColourLabel::announceChange()
{
    Announcer::instance().changed(this, [this] { announce(); });
}

// Only what differs from the last announcement is told.
void ColourLabel::announce()
{
    const AccessibleSpeech now = accessibleSpeech();
    if (now.name != m_announced.name) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (now.description != m_announced.description) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (now.checked != m_announced.checked) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    m_announced = now;
}

void ColourLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    layoutChanged();
    announceChange();
    Q_EMIT captionChanged();
}

void ColourLabel::setBackColor(OleColor colour)
{
    if (colour == m_backColor)
        return;
    m_backColor = colour;
    if (!m_transparent)
        contentChanged();
    announceChange();
}

void ColourLabel::setForeColor(OleColor colour)
{
    if (colour == m_foreColor)
        return;
    m_foreColor = colour;
    contentChanged();
}

void ColourLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    contentChanged();
}

void ColourLabel::setBorder(bool border)
{
    m_border = border;
    layoutChanged();
}

void ColourLabel::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    layoutChanged();
}

void ColourLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    layoutChanged();
}

void ColourLabel::layoutChanged()
{
    m_layoutStale = true;
    contentChanged();
}

void ColourLabel::contentChanged()
{
    m_rendered = QImage();
    update();
}

QRect ColourLabel::textArea() const
{
    return m_border ? rect().adjusted(1, 1, -1, -1) : rect();
}

QImage ColourLabel::render()
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio,
                 m_transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(m_transparent ? QColor(Qt::transparent) : toQColor(m_backColor, palette()));

    QPainter painter(&image);
    const QRect area = textArea();
    if (m_border) {
        drawOutline(painter, rect(), toQColor(Colours::SystemWindowText, palette()));
        painter.setClipRect(area);
    }
    if (m_caption.isEmpty())
        return image;
    if (m_layoutStale) {
        QString text = m_caption;
        text.replace(QStringLiteral("\r\n"), QChar(QChar::LineSeparator));
        text.replace(u'\n', QChar(QChar::LineSeparator));
        m_laidOut.setText(text);
        m_laidOut.setTextFormat(Qt::PlainText);
        QTextOption option(m_alignment);
        option.setWrapMode(m_wordWrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        m_laidOut.setTextOption(option);
        m_laidOut.setTextWidth(area.width());
        m_laidOut.prepare(QTransform(), font());
        m_layoutStale = false;
    }
    painter.setPen(toQColor(m_foreColor, palette()));
    painter.setFont(font());
    painter.drawStaticText(QPointF(area.topLeft()) + QPointF(0, Fonts::baselineDrop(font())),
                           m_laidOut);
    return image;
}

void ColourLabel::paintEvent(QPaintEvent *)
{
    if (m_rendered.isNull() || m_rendered.devicePixelRatio() != devicePixelRatioF())
        m_rendered = render();
    QPainter painter(this);
    painter.drawImage(0, 0, m_rendered);
}

void ColourLabel::resizeEvent(QResizeEvent *event)
{
    layoutChanged();
    QWidget::resizeEvent(event);
}

void ColourLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        layoutChanged();
    else if (event->type() == QEvent::PaletteChange) // system colours follow the palette
        contentChanged();
    QWidget::changeEvent(event);
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

void ColourLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second click of a double click is no Click: a fast double click on a
    // cell must not mark and unmark it at once.
    m_pressed = false;
    event->accept();
}
