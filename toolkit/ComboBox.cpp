#include "ComboBox.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(7);
}
