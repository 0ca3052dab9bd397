#include "Accessibility.h"

#include "ColourLabel.h"
#include "ComboBox.h"
#include "Shapes.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>

void clickAtCentre(QWidget &widget)
{
    const QPointF centre = QRectF(widget.rect()).center();
    const QPointF global = widget.mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

QStringList PressableAccessible::actionNames() const
{
    return QAccessibleWidget::actionNames() << pressAction();
}

void PressableAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        clickAtCentre(*widget());
    else
        QAccessibleWidget::doAction(actionName);
}

Announcer &Announcer::instance()
{
    // Never destroyed: it may outlive the application object.
    static Announcer *announcer = new Announcer;
    return *announcer;
}

Announcer::Announcer() : m_active(QAccessible::isActive())
{
    QAccessible::installActivationObserver(this);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { flush(); });
}

void Announcer::changed(QObject *object, std::function<void()> announce)
{
    if (!m_active)
        return;
    for (const auto &pending : std::as_const(m_pending))
        if (pending.first == object)
            return;
    m_pending.append({object, std::move(announce)});
    // The first change after a quiet spell goes out once the handler has finished.
    if (!m_timer.isActive())
        m_timer.start(m_sinceFlush.isValid()
                          ? int(std::max<qint64>(0, Interval - m_sinceFlush.elapsed()))
                          : 0);
}

void Announcer::flush()
{
    m_sinceFlush.start();
    const auto pending = std::exchange(m_pending, {});
    for (const auto &[object, announce] : pending)
        if (object)
            announce();
}

namespace {
// Named by the label whose buddy it is, as Qt names a widget after a QLabel buddy; its
// value is the text.
class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(ComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    ComboBox *combo() const { return static_cast<ComboBox *>(widget()); }

    ColourLabel *label() const
    {
        if (QWidget *parent = combo()->parentWidget())
            for (auto *label : parent->findChildren<ColourLabel *>(Qt::FindDirectChildrenOnly))
                if (label->buddy() == combo())
                    return label;
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->Text();
        if (t == QAccessible::Name && label())
            return label()->accessibleSpeech().name;
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (ColourLabel *by = label(); by && (match & QAccessible::Label))
            found.append({QAccessible::queryAccessibleInterface(by), QAccessible::Label});
        return found;
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction())
            combo()->showPopup();
    }
};

QAccessibleInterface *toolkitAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"Frame" || className == u"Group")
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    if (className == u"PictureBox")
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == u"ComboBox")
        return new AccessibleComboBox(static_cast<ComboBox *>(widget));
    return nullptr;
}
} // namespace

void installToolkitAccessibility()
{
    static const bool installed = (QAccessible::installFactory(toolkitAccessible), true);
    Q_UNUSED(installed);
}
