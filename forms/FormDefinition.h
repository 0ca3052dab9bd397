#pragma once

#include "Colour.h"

#include <QFont>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>

// One control of a window definition. Arrays expand into one entry per index,
// laid out row by row from the first element's place.
struct ControlDefinition
{
    QString name;
    QString kind;
    QString container;
    int index = -1; // -1: not an array element
    QRect twips;    // left, top, width, height
    QJsonObject values;

    QString text(const QString &key, const QString &fallback = {}) const;
    OleColor colour(const QString &key, OleColor fallback) const;
    bool flag(const QString &key, bool fallback) const;
    int number(const QString &key, int fallback) const;
    QFont font(const QString &key) const;
    QStringList list(const QString &key) const;
    // "left" (also when missing), "center" or "right"; throws std::runtime_error for others.
    Qt::Alignment alignment() const;
};

// A window's design values as they stand in its definition file.
class FormDefinition
{
public:
    // Throws std::runtime_error naming the file and the fault; the definitions are
    // compiled in, so a fault is a build mistake.
    static FormDefinition load(const QString &resourcePath);

    QString name() const { return m_name; }
    QString caption() const { return m_values.value(u"caption").toString(); }
    QSize clientTwips() const { return m_clientTwips; }
    OleColor backColor() const;
    QString icon() const { return m_values.value(u"icon").toString(); }
    QString border() const { return m_values.value(u"border").toString(); }
    QString startUpPosition() const { return m_values.value(u"startUpPosition").toString(); }
    const QList<ControlDefinition> &controls() const { return m_controls; }

private:
    QString m_name;
    QSize m_clientTwips;
    QJsonObject m_values;
    QList<ControlDefinition> m_controls;
};
