#include "Button.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "NumberFormat.h"
#include "PropertyBag.h"
#include "SkinTable.h"
#include "Twips.h"

#include <QApplication>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {
constexpr float PressOffset = 15;
constexpr float Margin = 50;

// The face bitmaps are shared by every button, and each is read when a button
// first needs it.
PictureElement::Loader skin(const char *name)
{
    return [name] {
        static QHash<QString, Picture> loaded;
        const QString file = QString::fromLatin1(name);
        Picture &picture = loaded[file];
        if (!picture)
            picture = LoadPicture(u":/button/skins/"_s + file);
        return picture;
    };
}

// Nearest whole twip, halves to the even one, held at the ends of the 16-bit range.
qint16 restTop(float twips)
{
    if (std::isnan(twips))
        return 0;
    const double value = std::clamp(double(twips), -32768.0, 32767.0);
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = fraction > 0.5 ? below + 1 : below;
    if (fraction == 0.5 && std::fmod(below, 2.0) != 0)
        rounded = below + 1;
    return qint16(rounded);
}

// Named by its caption. A press through assistive technology is a click on the middle of
// the button; keys still do nothing.
class AccessibleButton : public PressableAccessible
{
public:
    explicit AccessibleButton(Button *button) : PressableAccessible(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<Button *>(widget())->shownCaption();
        return PressableAccessible::text(t);
    }
};

QAccessibleInterface *accessibleButton(const QString &className, QObject *object)
{
    if (className == u"Button"_s && object && object->isWidgetType())
        return new AccessibleButton(static_cast<Button *>(object));
    return nullptr;
}
} // namespace

QString Button::shownCaption() const
{
    return TextElement::plainText(Label1.text());
}

Button::Button(QWidget *parent)
    : QWidget(parent), Image5(PictureElement::Sizing::Stretch, true, 0, 0, 1995, 1275),
      Image4(PictureElement::Sizing::Natural, true, 450, 45, 960, 15), Label1({}, true, true),
      Image1(PictureElement::Sizing::Natural, false),
      Image2(PictureElement::Sizing::Natural, false),
      Image3(PictureElement::Sizing::Natural, false), Label2(u"0"_s, false, false)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(accessibleButton), true);
    Q_UNUSED(accessibleInstalled);

    Label1.setFont(Fonts::font(u"Courier New"_s, 8.25));
    Label1.setForeColor(Colours::Black);
    Label1.setLeft(780);
    Label1.setTop(1035);
    Label1.setWidth(165);
    Label1.setHeight(210);
    for (const SkinTable::Face &face : SkinTable::Faces) {
        const PictureElement::Loader picture = skin(face.file);
        switch (face.store) {
        case SkinTable::Store::Library:
            Image100.try_emplace(face.index, PictureElement::Sizing::Natural, false)
                .first->second.setPictureLater(picture);
            break;
        case SkinTable::Store::Image1:
            Image1.setPictureLater(picture);
            break;
        case SkinTable::Store::Image2:
            Image2.setPictureLater(picture);
            break;
        case SkinTable::Store::Image3:
            Image3.setPictureLater(picture);
            break;
        }
    }
    Label1.setChangeHandler([this] { Label1_Change(); });
    Label2.setChangeHandler([this] { Label2_Change(); });
    resize(qRound(Twips::toPixels(1995)), qRound(Twips::toPixels(1275)));
    UserControl_Initialize();
}

void Button::UserControl_Initialize()
{
    Image4.setHeight(1);
    Label1.setHeight(1);
}

// Access-key scan: the character after the first "&" that is not part of "&&".
void Button::scanAccessKey(const QString &t)
{
    qsizetype p = 0;
    for (;;) {
        const qsizetype i = t.indexOf(u'&', p);
        if (i < 0 || i >= t.size() - 1)
            return;
        if (t.at(i + 1) == u'&') {
            p = i + 2;
            continue;
        }
        m_accessKeys = t.at(i + 1);
        return;
    }
}

void Button::setCaption(const QString &val)
{
    m_Caption = val;
    scanAccessKey(val);
    Q_EMIT propertyChanged(u"Caption"_s);
    Label1.setText(m_Caption);
    ArrangeContent();
    update();
}

void Button::setButtonset(const QString &val)
{
    m_Buttonset = val;
    scanAccessKey(val);
    Q_EMIT propertyChanged(u"Buttonset"_s);
    Label2.setText(m_Buttonset);
}

void Button::setTextColor(OleColor Color)
{
    m_TextColor = Color;
    Q_EMIT propertyChanged(u"TextColor"_s);
    Label1.setForeColor(m_Enabled ? m_TextColor : oleColor(0x00C8C8C8));
    update();
}

// QWidget::setEnabled is not virtual: the property follows the widget's own state
// from changeEvent, so no caller can bypass it.
void Button::letEnabled(bool val)
{
    // The field first, so that the change event of the next line finds nothing to follow.
    m_Enabled = val ? -1 : 0;
    QWidget::setEnabled(val);
    Q_EMIT propertyChanged(u"Enabled"_s);
    Label1.setForeColor(m_Enabled ? m_TextColor : oleColor(0x00BCBCC0));
    update();
}

void Button::fontChanged()
{
    Q_EMIT propertyChanged(u"Font"_s);
    const QFont read = Font();
    QFont caption = Label1.font();
    caption.setFamily(read.family());
    caption.setItalic(read.italic());
    caption.setPointSizeF(read.pointSizeF());
    caption.setBold(read.bold());
    Label1.setFont(caption);
    update();
}

void Button::setButtonPicture(Picture New_ButtonPicture)
{
    m_ButtonPicture = std::move(New_ButtonPicture);
    Q_EMIT propertyChanged(u"ButtonPicture"_s);
    Image4.setPicture(m_ButtonPicture);
    if (m_ButtonPicture)
        ArrangeContent();
    update();
}

void Button::Label1_Change()
{
    if (Label1.text().isEmpty())
        Label1.setHeight(15);
    if (!Image4.hasPicture())
        Image4.setHeight(15);
    Announcer::instance().changed(this, [this] {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    });
    UserControl_Resize();
}

void Button::Label2_Change()
{
    ApplyButtonset(numericValue(Label2.text()));
}

void Button::ApplyButtonset(double number)
{
    Image2.setPicture(Image100.at(1));
    for (const SkinTable::Face &face : SkinTable::Faces) {
        if (face.store == SkinTable::Store::Library && face.buttonset > 0 &&
            number == face.buttonset)
            Image1.setPicture(Image100.at(face.index));
    }
    if (number == 13)
        Image1.setPicture(Image3);
    if (number > 13)
        Image1.setPicture(Image100.at(0));
    ArrangeContent();
    UserControl_Resize();
}

void Button::ArrangeContent()
{
    const float contentHeight = Label1.height() + Image4.height();
    Image4.setLeft(Image5.width() / 2 - Image4.width() / 2);
    Image4.setTop((heightTwips() - contentHeight) / 2);
    Label1.setWidth(widthTwips() - Margin);
    // One rounding to single precision, after the whole sum.
    const float bottom = float(double(Image4.height()) + double(Image4.top()) +
                               double(Label1.height()) + double(Margin));
    if (bottom < heightTwips()) {
        Label1.setTop(Image4.top() + Image4.height());
        Label1.setLeft(Margin / 2);
    } else if (bottom > heightTwips()) {
        Label1.setTop(heightTwips() / 2);
        Label1.setLeft(5);
    }
    PictureRestTop = restTop(Image4.top());
    update();
}

void Button::UserControl_Resize()
{
    Image5.setPicture(Image1);
    Image5.setWidth(widthTwips());
    Image5.setHeight(heightTwips());
    repaint();
    if (!m_Caption.isEmpty())
        Label1.setText(m_Caption);
    if (!Label1.text().isEmpty()) {
        QFont caption = Label1.font();
        caption.setFamily(font().family());
        caption.setItalic(font().italic());
        caption.setPointSizeF(font().pointSizeF());
        caption.setBold(font().bold());
        Label1.setFont(caption);
    }
    Label1.setForeColor(m_Enabled ? m_TextColor : oleColor(0x00C8C8C8));
    if (!m_Buttonset.isEmpty())
        Label2.setText(m_Buttonset);
    if (!Image4.hasPicture())
        Image4.setHeight(1);
    ArrangeContent();
    PictureRestTop = restTop(Image4.top());
    CaptionRestTop = restTop(Label1.top());
}

void Button::UserControl_Click()
{
    Q_EMIT Click();
}

QFont Button::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void Button::UserControl_InitProperties()
{
    m_ButtonPicture = LoadPicture();
    m_Caption = Label1.text();
    if (m_Caption.isEmpty())
        m_Caption = objectName();
    m_Buttonset = Label2.text();
    setFont(ambientFont());
    setTextColor(Colours::SystemButtonText);
    letEnabled(true);
}

void Button::UserControl_ReadProperties(const PropertyBag &PropBag)
{
    m_ButtonPicture = PropBag.ReadProperty(u"ButtonPicture"_s, Picture());
    m_Caption = PropBag.ReadProperty(u"Caption"_s, QString());
    m_Buttonset = PropBag.ReadProperty(u"buttonset"_s, QString());
    {
        const QScopedValueRollback reading(m_readingProperties, true);
        setFont(PropBag.ReadProperty(u"Font"_s, ambientFont()));
    }
    m_TextColor = PropBag.ReadProperty(u"TextColor"_s, Colours::SystemButtonText);
    m_Enabled = PropBag.ReadProperty(u"Enabled"_s, true) ? -1 : 0;
    Image4.setPicture(m_ButtonPicture);
    Label1.setText(m_Caption);
    Label2.setText(m_Buttonset);
    update();
}

void Button::UserControl_WriteProperties(PropertyBag &PropBag) const
{
    const auto write = [&PropBag](const QString &key, const QVariant &value,
                                  const QVariant &defaultValue) {
        try {
            PropBag.WriteProperty(key, value, defaultValue);
        } catch (...) {
            // One refused entry must not cost the others.
        }
    };
    write(u"ButtonPicture"_s, PropertyBag::pictureValue(m_ButtonPicture), QVariant());
    write(u"Caption"_s, m_Caption, QVariant());
    write(u"Enabled"_s, m_Enabled != 0, true);
    write(u"Buttonset"_s, m_Buttonset, QVariant());
    write(u"Font"_s, QVariant::fromValue(font()), QVariant::fromValue(ambientFont()));
    write(u"TextColor"_s, m_TextColor, Colours::SystemButtonText);
}

float Button::widthTwips() const
{
    return float(Twips::fromPixels(width()));
}

float Button::heightTwips() const
{
    return float(Twips::fromPixels(height()));
}

void Button::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(rect(), palette().button());
    Image5.paint(painter);
    Image4.paint(painter);
    Label1.paint(painter, palette());
}

void Button::resizeEvent(QResizeEvent *)
{
    UserControl_Resize();
}

Button::Element Button::elementAt(QPointF position) const
{
    const QPointF pixel = position;
    if (!QRectF(rect()).contains(pixel))
        return Element::None;
    if (Label1.contains(pixel))
        return Element::Caption;
    if (Image4.contains(pixel))
        return Element::Picture;
    if (Image5.contains(pixel))
        return Element::Face;
    return Element::Surface;
}

void Button::press(Element on)
{
    if (!m_Enabled)
        return;
    Image5.setPicture(Image2);
    if (on == Element::Face)
        repaint();
    Image4.setTop(float(PictureRestTop) - PressOffset);
    Label1.setTop(float(CaptionRestTop) - PressOffset);
    update();
}

void Button::release(Element on)
{
    Image5.setPicture(Image1);
    if (on == Element::Face)
        repaint();
    Image4.setTop(PictureRestTop);
    Label1.setTop(CaptionRestTop);
    update();
    Q_EMIT Click();
}

void Button::Image5_MouseDown()
{
    press(Element::Face);
}

void Button::Image4_MouseDown()
{
    press(Element::Picture);
}

void Button::Label1_MouseDown()
{
    press(Element::Caption);
}

void Button::Image5_MouseUp()
{
    release(Element::Face);
}

void Button::Image4_MouseUp()
{
    release(Element::Picture);
}

void Button::Label1_MouseUp()
{
    release(Element::Caption);
}

void Button::mouseDown(Element on)
{
    switch (on) {
    case Element::Face:
        Image5_MouseDown();
        break;
    case Element::Picture:
        Image4_MouseDown();
        break;
    case Element::Caption:
        Label1_MouseDown();
        break;
    case Element::Surface:
    case Element::None:
        break;
    }
}

// Further buttons pressed while one is held go to the element of the first press.
// A press of a single button always starts afresh, even when a release was lost.
void Button::mousePressEvent(QMouseEvent *event)
{
    if (m_pressedOn == Element::None || event->buttons() == event->button()) {
        m_pressedOn = elementAt(event->position());
        m_doubleClicked = false;
    }
    mouseDown(m_pressedOn);
}

// The second press of a double click shows nothing; its release still counts.
void Button::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_pressedOn == Element::None || event->buttons() == event->button()) {
        m_pressedOn = elementAt(event->position());
        m_doubleClicked = true;
    }
}

// The release belongs to the element that took the press, wherever the pointer is.
void Button::mouseReleaseEvent(QMouseEvent *event)
{
    const Element target = m_pressedOn;
    const bool doubleClicked = m_doubleClicked;
    if (event->buttons() == Qt::NoButton)
        m_pressedOn = Element::None;
    switch (target) {
    case Element::Face:
        Image5_MouseUp();
        break;
    case Element::Picture:
        Image4_MouseUp();
        break;
    case Element::Caption:
        Label1_MouseUp();
        break;
    case Element::Surface:
        if (!doubleClicked && elementAt(event->position()) == Element::Surface)
            UserControl_Click();
        break;
    case Element::None:
        break;
    }
}

void Button::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_pressedOn = Element::None;
        // Only the control's own switch counts, not a parent's.
        const bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own == isEnabled() && own != (m_Enabled != 0))
            letEnabled(own);
    } else if (event->type() == QEvent::FontChange && testAttribute(Qt::WA_SetFont) &&
               !m_readingProperties) {
        // A font of its own; a host's font that the control only inherits is no Font set.
        fontChanged();
    }
    QWidget::changeEvent(event);
}
