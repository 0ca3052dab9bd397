#include "TipEngine.h"

#include "Checked.h"
#include "NumberFormat.h"

#include <cmath>
#include <stdexcept>

using namespace Qt::StringLiterals;

TipEngine::TipEngine(const TipControls &controls) : m_controls(controls) {}

qint32 TipEngine::Zufallszahl(const qint32 &von, const qint32 &bis)
{
    const float r = m_random.next();
    const auto span = checkedSub(bis, von);
    const auto width = span ? checkedAdd(*span, qint32(1)) : std::nullopt;
    if (!width)
        throw std::overflow_error("Zufallszahl: range does not fit 32 bits");
    return qint32(std::floor(double(r) * double(*width) + double(von)));
}

void TipEngine::setBoard(OleColor colour)
{
    for (ColourLabel *cell : m_controls.Label3)
        cell->setBackColor(colour);
}

void TipEngine::drawNumbersIntoList()
{
    ListBox &list = m_controls.List1;
    m_random.reseedFromClock();
    list.Clear();
    for (int slot = 0; slot <= 5; ++slot) {
        const qint32 z = Zufallszahl(1, 49);
        QString s = QString::number(z);
        const qint16 count = list.ListCount();
        for (int j = 0; j < count; ++j) {
            if (numericValue(list.List(j)) == z) {
                s.clear();
                --slot;
                break;
            }
        }
        if (!s.isEmpty())
            list.AddItem(formatNumber(s, u"00"));
    }
}

void TipEngine::commando1_Click()
{
    m_controls.Timer1.setEnabled(true);
    if (m_Modus == 0)
        setBoard(BoardColours::Neutral);
    drawNumbersIntoList();
    Command2_Click();
}

void TipEngine::Command2_Click()
{
    Liste_Sortieren(m_controls.List1);
    for (int i = 0; i <= 5; ++i) {
        const QString x = m_controls.List1.List(i);
        const qint32 n = wholeValue(x);
        if (m_Modus == 0)
            m_controls.label1(i)->setCaption(formatNumber(x, u"0"));
        // Only a list that is not a tip can name a cell that does not exist.
        if (!m_controls.Label3.contains(n))
            continue;
        ColourLabel *cell = m_controls.Label3(n);
        if (m_Modus == 0) {
            cell->setBackColor(BoardColours::Green);
        } else if (m_Modus == 1 && cell->BackColor() != BoardColours::Green) {
            // A count that no longer fits 32 bits stays where it is.
            if (const auto counted = checkedAdd(cell->BackColor(), BoardColours::CountStep))
                cell->setBackColor(*counted);
        }
    }
}

void TipEngine::Liste_Sortieren(ListBox &Liste)
{
    static const QString separator = u"\u00A6\u00A6"_s;
    QString joined;
    const qint16 count = Liste.ListCount();
    for (int i = 0; i < count; ++i)
        joined += Liste.List(i) + separator;
    if (!joined.isEmpty())
        joined.chop(2);
    const QStringList pieces = joined.isEmpty() ? QStringList() : joined.split(separator);

    Liste.Clear();
    Liste.setVisible(false);
    for (const QString &piece : pieces) {
        const qint16 placed = Liste.ListCount();
        int before = placed;
        for (int j = 0; j < placed; ++j) {
            if (QString::compare(Liste.List(j), piece, Qt::CaseSensitive) > 0) {
                before = j;
                break;
            }
        }
        Liste.AddItem(piece, before);
    }
    Liste.setVisible(true);
}
