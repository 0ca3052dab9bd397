#pragma once

#include "Form1.h"
#include "NumberFormat.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

// Reading the main window's state the way the tests compare it.
namespace BoardTest {

inline QList<OleColor> boardColours(const Form1 &form)
{
    QList<OleColor> colours;
    for (const ColourLabel *cell : form.Label3)
        colours.append(cell->BackColor());
    return colours;
}

inline QList<int> cellsWithColour(const Form1 &form, OleColor colour)
{
    QList<int> cells;
    for (int n = 1; n <= 49; ++n)
        if (form.Label3(n)->BackColor() == colour)
            cells.append(n);
    return cells;
}

inline QStringList resultCaptions(const Form1 &form)
{
    QStringList captions;
    for (const ColourLabel *cell : form.label1)
        captions.append(cell->Caption());
    return captions;
}

inline QList<int> listNumbers(const Form1 &form)
{
    QList<int> numbers;
    for (const QString &item : form.List1->items())
        numbers.append(wholeValue(item));
    return numbers;
}

// The list's numbers as the result cells show them: no leading zero.
inline QStringList shownNumbers(const Form1 &form)
{
    QStringList shown;
    for (int n : listNumbers(form))
        shown.append(QString::number(n));
    return shown;
}

// Six different two-digit items from "01" to "49", ascending.
inline bool isSortedTip(const QStringList &items)
{
    static const QRegularExpression number(u"^(0[1-9]|[1-4][0-9])$"_s);
    for (qsizetype i = 0; i < items.size(); ++i)
        if (!number.match(items[i]).hasMatch() || (i > 0 && items[i - 1] >= items[i]))
            return false;
    return items.size() == 6;
}

} // namespace BoardTest
