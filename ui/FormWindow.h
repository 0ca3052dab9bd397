#pragma once

#include "ControlArray.h"
#include "FormDefinition.h"

#include <QHash>
#include <QMap>
#include <QWidget>

// A top-level window built from its definition: caption, fixed client size,
// back colour, icon, centred start and every control at its place.
class FormWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FormWindow(const QString &definitionPath, QWidget *parent = nullptr);

    OleColor BackColor() const { return m_backColor; }

    template <typename T> T *control(const QString &name) const
    {
        auto *object = qobject_cast<T *>(m_controls.value(name));
        Q_ASSERT_X(object, "FormWindow::control", qPrintable(name));
        return object;
    }

    template <typename T> ControlArray<T> controlArray(const QString &name) const
    {
        const QMap<int, QObject *> elements = m_arrays.value(name);
        ControlArray<T> array(elements.isEmpty() ? 0 : elements.firstKey());
        for (QObject *element : elements)
            array.append(qobject_cast<T *>(element));
        return array;
    }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QObject *createControl(const ControlDefinition &definition);

    OleColor m_backColor;
    bool m_placed = false;
    QHash<QString, QObject *> m_controls;
    QHash<QString, QMap<int, QObject *>> m_arrays;
};
