#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The list box as a store: items in insertion order, never sorted by itself.
// The program keeps it outside the visible area, so it draws nothing.
class ListBox : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void Clear() { m_items.clear(); }
    qint16 ListCount() const { return qint16(m_items.size()); }
    QString List(int index) const { return m_items.value(index); }
    void AddItem(const QString &item) { m_items.append(item); }
    void AddItem(const QString &item, int index) { m_items.insert(index, item); }

    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
    bool m_visible = false;
};
