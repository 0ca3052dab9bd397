#pragma once

#include "TipEngine.h"

#include <array>

class Button;

// The controls of the main window that a draw works on, besides the tip engine's.
struct DrawControls
{
    ListBox &List1;
    const ControlArray<ColourLabel> &Label3;
    const ControlArray<ColourLabel> &label1;
    Timer &Timer2;
    Button &commando4;
};

// Draws six numbers and reveals them one per tick of Timer2, turning each
// green board number that comes up red.
class DrawSimulation
{
public:
    DrawSimulation(const DrawControls &controls, TipEngine &engine);

    qint16 Ziehungsschritt() const { return m_Ziehungsschritt; }

    void commando4_Click();
    void Timer2_Timer();

private:
    DrawControls m_controls;
    TipEngine &m_engine;
    qint16 m_Ziehungsschritt = 0;
    std::array<OleColor, 51> m_Zellfarben{};
};
