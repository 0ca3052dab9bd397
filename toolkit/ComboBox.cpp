#include "ComboBox.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget *parent, const QFont &font) : QComboBox(parent)
{
    // The text field lays out its text as it is made: in its own font, not the default one.
    setFont(font);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(7);
}
