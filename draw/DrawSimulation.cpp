#include "DrawSimulation.h"

#include "Button.h"
#include "NumberFormat.h"

using namespace Qt::StringLiterals;

DrawSimulation::DrawSimulation(const DrawControls &controls, TipEngine &engine)
    : m_controls(controls), m_engine(engine)
{
}

void DrawSimulation::commando4_Click()
{
    const auto &board = m_controls.Label3;
    for (int n = 1; n <= 49; ++n)
        m_Zellfarben[std::size_t(n)] = board(n)->BackColor();
    if (m_engine.Modus() == 0)
        m_engine.setBoard(BoardColours::Neutral);
    m_engine.drawNumbersIntoList();
    m_engine.Command2_Click();
    if (m_engine.Modus() == 0)
        m_engine.setBoard(BoardColours::Neutral);
    for (ColourLabel *cell : m_controls.label1)
        cell->setCaption(QString());
    for (int n = 1; n <= 49; ++n) {
        board(n)->setBackColor(m_Zellfarben[std::size_t(n)]);
        if (board(n)->BackColor() == BoardColours::Red)
            board(n)->setBackColor(BoardColours::Green);
    }
    m_controls.Timer2.setEnabled(true);
}

void DrawSimulation::Timer2_Timer()
{
    const qint16 k = m_Ziehungsschritt;
    m_controls.commando4.setCaption(u"Ziehung wird durchgeführt"_s);
    const QString item = m_controls.List1.List(k);
    m_controls.label1(k)->setCaption(formatNumber(item, u"0"));
    const qint32 x = wholeValue(item);
    if (m_controls.Label3.contains(x) && m_controls.Label3(x)->BackColor() == BoardColours::Green)
        m_controls.Label3(x)->setBackColor(BoardColours::Red);
    ++m_Ziehungsschritt;
    if (m_Ziehungsschritt == 6) {
        m_controls.Timer2.setEnabled(false);
        m_Ziehungsschritt = 0;
        m_controls.commando4.setCaption(u"Ziehung simulieren"_s);
    }
}
