#include "TipEngine.h"

void TipEngine::Label3_Click(const qint16 &Index)
{
    if (!m_controls.Label3.contains(Index))
        return;
    ColourLabel *cell = m_controls.Label3(Index);
    if (cell->BackColor() == BoardColours::Neutral)
        cell->setBackColor(BoardColours::Green);
    else if (cell->BackColor() == BoardColours::Green)
        cell->setBackColor(BoardColours::Neutral);
}
