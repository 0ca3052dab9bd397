#pragma once

#include <QObject>
#include <QTimer>

// A timer with an Enabled switch: switching on a running timer leaves its
// phase alone, so repeated starts do not delay the next tick.
class Timer : public QObject
{
    Q_OBJECT

public:
    explicit Timer(int intervalMs, QObject *parent = nullptr);

    bool Enabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);
    int Interval() const { return m_timer.interval(); }

Q_SIGNALS:
    void tick();

private:
    QTimer m_timer;
};
