#include "ComboBox.h"

#include "Accessibility.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget *parent, const QFont &font) : QComboBox(parent)
{
    installToolkitAccessibility();
    // With the font set first, the text field is made in it and need not be laid out again.
    setFont(font);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(7);
}
