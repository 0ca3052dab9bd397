#pragma once

#include "Form1.h"
#include "NumberFormat.h"

#include <QList>
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
    for (int n = 1; n <= 49; ++n) {
        if (form.Label3(n)->BackColor() == colour)
            cells.append(n);
    }
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

// Six different two-digit items from "01" to "49", ascending.
inline bool isSortedTip(const QStringList &items, QString *why)
{
    if (items.size() != 6) {
        *why = u"count %1"_s.arg(items.size());
        return false;
    }
    for (int i = 0; i < items.size(); ++i) {
        const QString &item = items[i];
        const int value = wholeValue(item);
        if (item.size() != 2 || !item[0].isDigit() || !item[1].isDigit() || value < 1 ||
            value > 49) {
            *why = u"bad item '%1'"_s.arg(item);
            return false;
        }
        if (i > 0 && items[i - 1] >= item) {
            *why = u"not strictly ascending: %1"_s.arg(items.join(u' '));
            return false;
        }
    }
    return true;
}

inline void setDepth(Form1 &form, const QString &depth)
{
    form.Combo1->setText(depth);
}

// Ticks Timer1 by hand until the run ends; returns the number of ticks, or -1
// when it has not ended after limit ticks.
inline int tickRunToEnd(Form1 &form, int limit = 40000)
{
    for (int ticks = 1; ticks <= limit; ++ticks) {
        form.Timer1_Timer();
        if (!form.Timer1->Enabled())
            return ticks;
    }
    return -1;
}

} // namespace BoardTest
