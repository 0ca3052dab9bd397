#pragma once

#include "Form1.h"
#include "NumberFormat.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <limits>

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

// The shortest period shown by the ticks of the second half, timed from the start (tick k
// at t shows t / k): no tick comes early, and a busy machine only delays some.
inline qint64 periodShown(const QList<qint64> &ticks)
{
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (qsizetype k = ticks.size() / 2; k < ticks.size(); ++k)
        shortest = std::min(shortest, ticks[k] / (k + 1));
    return shortest;
}

// Less than a quarter off the period.
inline bool keepsPeriod(qint64 measured, qint64 period)
{
    return qAbs(measured - period) * 4 < period;
}

} // namespace BoardTest
