#include "FormWindow.h"

#include "Button.h"
#include "ColourLabel.h"
#include "ComboBox.h"
#include "CommandButton.h"
#include "IconFile.h"
#include "ListBox.h"
#include "Platform.h"
#include "PropertyBag.h"
#include "Shapes.h"
#include "Timer.h"
#include "Twips.h"
#include "WindowFrame.h"

#include <QIcon>
#include <QPainter>

#include <stdexcept>

using namespace Qt::StringLiterals;

FormWindow::FormWindow(const QString &definitionPath, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    const FormDefinition definition = FormDefinition::load(definitionPath);
    // The window flags above and the placing below know only these two.
    if (definition.border() != u"fixedSingle")
        throw std::runtime_error("unsupported border " + definition.border().toStdString());
    if (definition.startUpPosition() != u"centerScreen")
        throw std::runtime_error("unsupported start-up position " +
                                 definition.startUpPosition().toStdString());
    setObjectName(definition.name());
    // The caption alone, in the title and in the taskbar's entry.
    setWindowTitle(definition.caption());
    setWindowIconText(definition.caption());
    m_backColor = definition.backColor();
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QSize client = definition.clientTwips();
    setFixedSize(Twips::toWholePixels(client.width()), Twips::toWholePixels(client.height()));
    if (!definition.icon().isEmpty())
        setWindowIcon(loadIcon(definition.icon()));
    // Some window systems place a window only where it was created: it gets its place now,
    // and its frame is reckoned with when it is shown.
    WindowFrame::centreOnScreen(*this);

    for (const ControlDefinition &control : definition.controls()) {
        QObject *object = createControl(control);
        object->setObjectName(control.name);
        if (control.index >= 0)
            m_arrays[control.name].insert(control.index, object);
        else
            m_controls.insert(control.name, object);
    }
}

QObject *FormWindow::createControl(const ControlDefinition &definition)
{
    QWidget *parent = this;
    if (!definition.container.isEmpty())
        parent = control<QWidget>(definition.container);
    const QRect geometry = Twips::rect(definition.twips.x(), definition.twips.y(),
                                       definition.twips.width(), definition.twips.height());
    const QString &kind = definition.kind;

    if (kind == u"Timer") {
        auto *timer = new Timer(definition.number(u"interval"_s, 0), this);
        timer->setEnabled(definition.flag(u"enabled"_s, false));
        return timer;
    }
    if (kind == u"ListBox") {
        auto *list = new ListBox(this);
        list->setVisible(definition.flag(u"visible"_s, true));
        return list;
    }

    if (kind == u"CommandButton") {
        if (definition.flag(u"visible"_s, true))
            throw std::runtime_error("a command button is only kept hidden");
        return new CommandButton(definition.text(u"caption"_s), this);
    }

    QWidget *widget = nullptr;
    if (kind == u"Label") {
        auto *label = new ColourLabel(parent, qint16(definition.index));
        label->setBackColor(definition.colour(u"backColor"_s, Colours::SystemWindow));
        label->setForeColor(definition.colour(u"foreColor"_s, Colours::SystemWindowText));
        label->setTransparent(definition.flag(u"transparent"_s, false));
        label->setBorder(definition.flag(u"border"_s, false));
        label->setAlignment(definition.alignment());
        label->setWordWrap(definition.flag(u"wordWrap"_s, false));
        label->setFont(definition.font(u"font"_s));
        label->setCaption(definition.text(u"caption"_s));
        widget = label;
    } else if (kind == u"Shape") {
        widget = new Shape(definition.colour(u"fillColor"_s, Colours::White),
                           definition.colour(u"borderColor"_s, Colours::Black), parent);
    } else if (kind == u"Frame") {
        widget = new Frame(definition.colour(u"backColor"_s, m_backColor), parent);
    } else if (kind == u"Group") {
        widget = new Group(parent);
    } else if (kind == u"Image") {
        auto *picture = new PictureBox(parent);
        picture->setPicture(
            loadIcon(definition.text(u"picture"_s), definition.number(u"pictureWidth"_s, 0)));
        widget = picture;
    } else if (kind == u"ComboBox") {
        auto *combo = new ComboBox(parent, definition.font(u"font"_s));
        combo->addItems(definition.list(u"items"_s));
        combo->setText(definition.text(u"text"_s));
        widget = combo;
    } else if (kind == u"Button") {
        auto *button = new Button(parent);
        // The button takes its host name before it reads its stored settings.
        button->setObjectName(definition.name);
        button->UserControl_ReadProperties(
            PropertyBag::fromJson(definition.values.value(u"properties").toObject()));
        widget = button;
    } else {
        throw std::runtime_error("unknown control kind " + kind.toStdString());
    }
    widget->setGeometry(geometry);
    if (!definition.flag(u"visible"_s, true))
        widget->hide();
    return widget;
}

void FormWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        Platform::fixBorder(*this);
        Platform::placeCentred(*this);
    }
    QWidget::showEvent(event);
}

void FormWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), toQColor(m_backColor, palette()));
}
