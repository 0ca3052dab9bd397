#pragma once

#include <QComboBox>

// An editable combo box with fixed list items: typing never adds an item and
// nothing completes what the user types.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr, const QFont &font = {});

    QString Text() const { return currentText(); }
    void setText(const QString &text) { setEditText(text); }
};
