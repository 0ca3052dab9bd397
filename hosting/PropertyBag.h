#pragma once

#include "Colour.h"
#include "Picture.h"

#include <QFont>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariant>

#include <stdexcept>

// A fault of one entry of a stored property set; key() names the entry.
class PropertyError : public std::runtime_error
{
public:
    PropertyError(const QString &key, const QString &problem);
    const QString &key() const { return m_key; }

private:
    QString m_key;
};

// A stored value that does not convert to the type it is read as.
class PropertyTypeError : public PropertyError
{
public:
    using PropertyError::PropertyError;
};

// A value the set refuses to take.
class PropertyWriteError : public PropertyError
{
public:
    using PropertyError::PropertyError;
};

// The stored settings of one control instance: named values, keys matched
// without regard to case. An invalid QVariant stands for the empty reference.
class PropertyBag
{
public:
    // Strings, numbers, booleans and font objects; null entries count as absent.
    // Keys starting with "_" belong to the host and are read-only.
    static PropertyBag fromJson(const QJsonObject &stored);

    // The stored value converted to the default's type, or the default when the
    // key is absent. Throws PropertyTypeError when the value does not convert.
    QString ReadProperty(const QString &key, const QString &defaultValue) const;
    bool ReadProperty(const QString &key, bool defaultValue) const;
    OleColor ReadProperty(const QString &key, OleColor defaultValue) const;
    QFont ReadProperty(const QString &key, const QFont &defaultValue) const;
    Picture ReadProperty(const QString &key, const Picture &defaultValue) const;

    // Keeps an entry only when the value differs from the default; an equal value
    // removes the entry. Throws PropertyWriteError for a read-only key or a value
    // of a type the set cannot hold.
    void WriteProperty(const QString &key, const QVariant &value, const QVariant &defaultValue);

    // The stored form of a picture: the empty reference for a null Picture.
    static QVariant pictureValue(const Picture &picture);

    void setReadOnly(const QString &key);
    bool contains(const QString &key) const { return find(key) >= 0; }
    QVariant value(const QString &key) const;
    // Keys as they were written, in the order of first writing.
    QStringList keys() const;

private:
    struct Entry
    {
        QString key;
        QVariant value;
        bool readOnly = false;
    };

    qsizetype find(const QString &key) const;
    Entry &entry(const QString &key);

    QList<Entry> m_entries;
};
