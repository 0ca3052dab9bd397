#include "PropertyBag.h"

#include "Fonts.h"

#include <QJsonArray>

#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

PropertyError::PropertyError(const QString &key, const QString &problem)
    : std::runtime_error((u"stored property \""_s + key + u"\": "_s + problem).toStdString()),
      m_key(key)
{
}

static bool isNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

static bool isPicture(const QVariant &value)
{
    return value.metaType() == QMetaType::fromType<Picture>();
}

PropertyBag PropertyBag::fromJson(const QJsonObject &stored)
{
    PropertyBag bag;
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QJsonValue value = it.value();
        QVariant converted;
        if (value.isObject())
            converted = fontFromJson(value.toObject());
        else if (value.isArray())
            converted = value.toArray().toVariantList();
        else if (!value.isNull() && !value.isUndefined())
            converted = value.toVariant();
        if (!converted.isValid())
            continue;
        Entry &target = bag.entry(it.key());
        target.value = converted;
        target.readOnly = it.key().startsWith(u'_');
    }
    return bag;
}

qsizetype PropertyBag::find(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).key.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

PropertyBag::Entry &PropertyBag::entry(const QString &key)
{
    const qsizetype at = find(key);
    if (at >= 0) {
        m_entries[at].key = key;
        return m_entries[at];
    }
    m_entries.append(Entry{key, {}, false});
    return m_entries.last();
}

QVariant PropertyBag::value(const QString &key) const
{
    const qsizetype at = find(key);
    return at >= 0 ? m_entries.at(at).value : QVariant();
}

QStringList PropertyBag::keys() const
{
    QStringList names;
    for (const Entry &e : m_entries)
        names.append(e.key);
    return names;
}

void PropertyBag::setReadOnly(const QString &key)
{
    entry(key).readOnly = true;
}

QVariant PropertyBag::pictureValue(const Picture &picture)
{
    return picture ? QVariant::fromValue(picture) : QVariant();
}

static PropertyTypeError typeError(const QString &key, const QVariant &stored, const char *wanted)
{
    return PropertyTypeError(
        key, u"a %1 does not convert to %2"_s.arg(QString::fromLatin1(stored.typeName()),
                                                  QString::fromLatin1(wanted)));
}

QString PropertyBag::ReadProperty(const QString &key, const QString &defaultValue) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return defaultValue;
    if (stored.typeId() == QMetaType::QString)
        return stored.toString();
    if (isNumber(stored))
        return QString::number(stored.toDouble(), 'g', 15);
    throw typeError(key, stored, "text");
}

bool PropertyBag::ReadProperty(const QString &key, bool defaultValue) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return defaultValue;
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    if (isNumber(stored))
        return stored.toDouble() != 0;
    if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString().trimmed();
        if (text.compare(u"true"_s, Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false"_s, Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (ok)
            return number != 0;
    }
    throw typeError(key, stored, "a boolean");
}

static std::optional<OleColor> colourFromNumber(double number)
{
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<quint32>::max();
    if (!(number >= lowest && number <= highest) || std::trunc(number) != number)
        return std::nullopt;
    return number < 0 ? OleColor(number) : oleColor(quint32(number));
}

OleColor PropertyBag::ReadProperty(const QString &key, OleColor defaultValue) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return defaultValue;
    std::optional<OleColor> colour;
    if (isNumber(stored)) {
        colour = colourFromNumber(stored.toDouble());
    } else if (stored.typeId() == QMetaType::QString) {
        const QString text = stored.toString().trimmed();
        colour = parseOleColor(text);
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!colour && ok)
            colour = colourFromNumber(number);
    }
    if (!colour)
        throw typeError(key, stored, "a colour");
    return *colour;
}

QFont PropertyBag::ReadProperty(const QString &key, const QFont &defaultValue) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return defaultValue;
    if (stored.typeId() == QMetaType::QFont)
        return stored.value<QFont>();
    throw typeError(key, stored, "a font");
}

Picture PropertyBag::ReadProperty(const QString &key, const Picture &defaultValue) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return defaultValue;
    if (isPicture(stored))
        return stored.value<Picture>();
    throw typeError(key, stored, "a picture");
}

static bool isStorable(const QVariant &value)
{
    if (!value.isValid() || isNumber(value) || isPicture(value))
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::QFont:
        return true;
    default:
        return false;
    }
}

void PropertyBag::WriteProperty(const QString &key, const QVariant &value,
                                const QVariant &defaultValue)
{
    const qsizetype at = find(key);
    if (at >= 0 && m_entries.at(at).readOnly)
        throw PropertyWriteError(key, u"the entry belongs to the host"_s);
    if (!isStorable(value))
        throw PropertyWriteError(
            key, u"a %1 cannot be stored"_s.arg(QString::fromLatin1(value.typeName())));
    if (value == defaultValue || !value.isValid()) {
        if (at >= 0)
            m_entries.removeAt(at);
        return;
    }
    entry(key).value = value;
}
