#include "TipEngine.h"

#include "Checked.h"
#include "NumberFormat.h"

void TipEngine::Timer1_Timer()
{
    commando1_Click();
    const auto next = checkedAdd(m_Durchlauf, qint16(1));
    if (!next) {
        // A depth the counter never meets: the run ends where the counter ends.
        endRun();
        return;
    }
    m_Durchlauf = *next;
    const double depth = numericValue(m_controls.Combo1.Text());
    if (depth == double(m_Durchlauf))
        endRun();
}

void TipEngine::endRun()
{
    m_controls.Timer1.setEnabled(false);
    m_Durchlauf = 0;
    m_Modus = 0;
}
