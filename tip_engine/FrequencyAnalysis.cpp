#include "TipEngine.h"

// The analysis is a repetition run on a black board: each tip counts up its cells.
void TipEngine::commando3_Click()
{
    if (m_Modus == 0)
        setBoard(BoardColours::Black);
    m_Modus = 1;
    commando1_Click();
}
