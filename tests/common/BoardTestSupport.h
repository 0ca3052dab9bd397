#pragma once

#include "Form1.h"
#include "NumberFormat.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace BoardTest {

inline QList<OleColor> boardColours(const Form1 &form)
{
    QList<OleColor> colours;
    for (const ColourLabel *cell : form.Label3)
        colours.append(cell->BackColor());
    return colours;
}

inline QStringList cellsWithColour(const Form1 &form, OleColor colour)
{
    QStringList cells;
    for (const ColourLabel *cell : form.Label3)
        if (cell->BackColor() == colour)
            cells.append(QString::number(cell->Index()));
    return cells;
}

inline QStringList resultCaptions(const Form1 &form)
{
    QStringList captions;
    for (const ColourLabel *cell : form.label1)
        captions.append(cell->Caption());
    return captions;
}

// The list's numbers as the result cells show them: no leading zero.
inline QStringList shownNumbers(const Form1 &form)
{
    QStringList shown;
    for (const QString &item : form.List1->items())
        shown.append(QString::number(wholeValue(item)));
    return shown;
}

inline bool isSortedTip(const QStringList &items)
{
    static const QRegularExpression number(u"^(0[1-9]|[1-4][0-9])$"_s);
    return items.size() == 6 && items.filter(number) == items &&
           std::adjacent_find(items.begin(), items.end(), std::greater_equal()) == items.end();
}

// How far the shortest period t / k of the second half's ticks is off: none may come early.
inline qint64 periodError(const QList<qint64> &ticks, qint64 period)
{
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (qsizetype k = ticks.size() / 2; k < ticks.size(); ++k)
        shortest = std::min(shortest, ticks[k] / (k + 1));
    return qAbs(shortest - period);
}

} // namespace BoardTest
