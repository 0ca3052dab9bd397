#pragma once

#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <functional>

// Presses and releases the left mouse button at the middle of the widget, through the
// widget's own event handling: what assistive technology presses runs what a click runs.
void clickAtCentre(QWidget &widget);

// A control's interface that offers the press action of a click.
class PressableAccessible : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role)
    {
    }

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
};

// Hands changes to assistive technology at most once per Interval and always the last
// state: a repetition run changes the board every 50 ms, faster than anyone can listen.
// Without an active screen reader a change costs one test.
class Announcer : public QAccessible::ActivationObserver
{
public:
    static constexpr int Interval = 300;

    static Announcer &instance();
    bool active() const { return m_active; }
    // announce runs once for all changes of object until the next round.
    void changed(QObject *object, std::function<void()> announce);

    void accessibilityActiveChanged(bool active) override { m_active = active; }

private:
    Announcer();
    void flush();

    QTimer m_timer;
    QElapsedTimer m_sinceFlush;
    QList<std::pair<QPointer<QObject>, std::function<void()>>> m_pending;
    bool m_active;
};

// Installs the interfaces of the toolkit's groups, pictures and combo boxes once.
void installToolkitAccessibility();
