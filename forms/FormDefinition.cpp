#include "FormDefinition.h"

#include "Fonts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <stdexcept>

using namespace Qt::StringLiterals;

QString ControlDefinition::text(const QString &key, const QString &fallback) const
{
    return values.value(key).toString(fallback);
}

OleColor ControlDefinition::colour(const QString &key, OleColor fallback) const
{
    return parseOleColor(values.value(key).toString()).value_or(fallback);
}

bool ControlDefinition::flag(const QString &key, bool fallback) const
{
    return values.value(key).toBool(fallback);
}

int ControlDefinition::number(const QString &key, int fallback) const
{
    return values.value(key).toInt(fallback);
}

QFont ControlDefinition::font(const QString &key) const
{
    return fontFromJson(values.value(key).toObject());
}

QStringList ControlDefinition::list(const QString &key) const
{
    QStringList items;
    for (const QJsonValue item : values.value(key).toArray())
        items.append(item.toString());
    return items;
}

Qt::Alignment ControlDefinition::alignment() const
{
    const QString value = text(u"alignment"_s, u"left"_s);
    if (value == u"left")
        return Qt::AlignLeft;
    if (value == u"center")
        return Qt::AlignHCenter;
    if (value == u"right")
        return Qt::AlignRight;
    throw std::runtime_error(name.toStdString() + ": unknown alignment " + value.toStdString());
}

OleColor FormDefinition::backColor() const
{
    return parseOleColor(m_values.value(u"backColor").toString()).value_or(Colours::White);
}

static QRect rectOf(const QJsonObject &control)
{
    return QRect(control.value(u"left").toInt(), control.value(u"top").toInt(),
                 control.value(u"width").toInt(), control.value(u"height").toInt());
}

FormDefinition FormDefinition::load(const QString &resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot open window definition " + resourcePath.toStdString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject())
        throw std::runtime_error(resourcePath.toStdString() + ": " +
                                 error.errorString().toStdString());

    FormDefinition form;
    form.m_values = document.object();
    form.m_name = form.m_values.value(u"name").toString();
    form.m_clientTwips = QSize(form.m_values.value(u"clientWidth").toInt(),
                               form.m_values.value(u"clientHeight").toInt());

    for (const QJsonValue value : form.m_values.value(u"controls").toArray()) {
        const QJsonObject control = value.toObject();
        ControlDefinition definition;
        definition.name = control.value(u"name").toString();
        definition.kind = control.value(u"kind").toString();
        definition.container = control.value(u"container").toString();
        definition.twips = rectOf(control);
        definition.values = control;
        if (definition.name.isEmpty() || definition.kind.isEmpty())
            throw std::runtime_error(resourcePath.toStdString() + ": control without name or kind");

        const QJsonObject array = control.value(u"array").toObject();
        if (array.isEmpty()) {
            form.m_controls.append(definition);
            continue;
        }
        const int first = array.value(u"from").toInt();
        const int last = array.value(u"to").toInt();
        const int columns = qMax(1, array.value(u"columns").toInt(1));
        const QPoint step(array.value(u"stepX").toInt(), array.value(u"stepY").toInt());
        for (int index = first; index <= last; ++index) {
            ControlDefinition element = definition;
            element.index = index;
            const int offset = index - first;
            element.twips.translate(step.x() * (offset % columns), step.y() * (offset / columns));
            form.m_controls.append(element);
        }
    }
    return form;
}
