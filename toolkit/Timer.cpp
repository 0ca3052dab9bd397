#include "Timer.h"

Timer::Timer(int intervalMs, QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
}

void Timer::setEnabled(bool enabled)
{
    if (!enabled)
        m_timer.stop();
    else if (!m_timer.isActive())
        m_timer.start();
}
