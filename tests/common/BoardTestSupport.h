#pragma once

#include "Form1.h"
#include "NumberFormat.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace BoardTest {

// What get reads of each element, in order.
template <typename Range, typename Get> auto each(const Range &range, Get get)
{
    QList<std::decay_t<std::invoke_result_t<Get, decltype(*std::begin(range))>>> values;
    for (const auto &element : range)
        values.append(std::invoke(get, element));
    return values;
}

const auto boardColours = [](const Form1 &f) { return each(f.Label3, &ColourLabel::BackColor); };
const auto resultCaptions = [](const Form1 &f) { return each(f.label1, &ColourLabel::Caption); };

// The list's numbers as the result cells show them: no leading zero.
const auto shownNumbers = [](const Form1 &f) {
    return each(f.List1->items(), [](const QString &n) { return QString::number(wholeValue(n)); });
};

inline QStringList cellsWithColour(const Form1 &form, OleColor colour)
{
    QStringList cells;
    for (const ColourLabel *cell : form.Label3)
        if (cell->BackColor() == colour)
            cells.append(QString::number(cell->Index()));
    return cells;
}

inline bool isSortedTip(const QStringList &items)
{
    static const QRegularExpression number(u"^(0[1-9]|[1-4][0-9])$"_s);
    return items.size() == 6 && items.filter(number) == items &&
           std::adjacent_find(items.begin(), items.end(), std::greater_equal()) == items.end();
}

} // namespace BoardTest
