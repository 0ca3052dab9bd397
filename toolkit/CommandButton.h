#pragma once

#include <QObject>
#include <QString>

// A command button the program keeps out of sight and out of reach: it exists for its click
// handler only, so it is no widget, and neither the desktop nor assistive technology sees it.
class CommandButton : public QObject
{
    Q_OBJECT

public:
    CommandButton(const QString &caption, QObject *parent) : QObject(parent), m_caption(caption) {}

    QString Caption() const { return m_caption; }

Q_SIGNALS:
    void Click();

private:
    QString m_caption;
};
