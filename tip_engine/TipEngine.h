#pragma once

#include "ColourLabel.h"
#include "ComboBox.h"
#include "ControlArray.h"
#include "ListBox.h"
#include "RandomSource.h"
#include "Timer.h"

namespace BoardColours {
inline constexpr OleColor Neutral = oleColor(0x00E3E6FD);
inline constexpr OleColor Green = oleColor(0x0000FF00);
inline constexpr OleColor Red = oleColor(0x000000FF);
inline constexpr OleColor Black = oleColor(0x00000000);
inline constexpr OleColor CountStep = 4000;
} // namespace BoardColours

// The controls of the main window that tips are made on.
struct TipControls
{
    ListBox &List1;
    const ControlArray<ColourLabel> &Label3; // the board, cells 1 to 49
    const ControlArray<ColourLabel> &label1; // the result cells, 0 to 5
    ComboBox &Combo1;
    Timer &Timer1;
};

// Tip creation, the repetition run, the frequency analysis and the marking of
// board cells, working on the main window's controls.
class TipEngine
{
public:
    explicit TipEngine(const TipControls &controls);

    qint16 Modus() const { return m_Modus; }
    qint16 Durchlauf() const { return m_Durchlauf; }
    RandomSource &random() { return m_random; }

    // Throws std::overflow_error when bis - von + 1 does not fit 32 bits.
    qint32 Zufallszahl(const qint32 &von, const qint32 &bis);

    void commando1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void commando3_Click();
    void Label3_Click(const qint16 &Index);

    static void Liste_Sortieren(ListBox &Liste);

    // Re-seeds, empties List1 and fills it with six different numbers in drawing order.
    void drawNumbersIntoList();
    void setBoard(OleColor colour);

private:
    void endRun();

    TipControls m_controls;
    RandomSource m_random;
    qint16 m_Modus = 0;
    qint16 m_Durchlauf = 0;
};
