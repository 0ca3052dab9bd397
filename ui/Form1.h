#pragma once

#include "ColourLabel.h"
#include "ComboBox.h"
#include "CommandButton.h"
#include "ControlArray.h"
#include "DrawSimulation.h"
#include "FormWindow.h"
#include "ListBox.h"
#include "Shapes.h"
#include "Timer.h"
#include "TipEngine.h"

#include <memory>

class Button;

// The main window: result row, number board, depth box and the three buttons.
// The controls below are the program's state.
class Form1 : public FormWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    ControlArray<ColourLabel> label1;
    ControlArray<ColourLabel> Label3;
    Frame *Frame1;
    ColourLabel *Label4;
    ComboBox *Combo1;
    ColourLabel *Label5;
    PictureBox *Image1;
    Button *commando1;
    Button *commando3;
    Button *commando4;
    ListBox *List1;
    CommandButton *Command2;
    Timer *Timer1;
    Timer *Timer2;

    qint16 Modus() const { return m_tips->Modus(); }
    qint16 Durchlauf() const { return m_tips->Durchlauf(); }
    qint16 Ziehungsschritt() const { return m_draw->Ziehungsschritt(); }
    TipEngine &tipEngine() { return *m_tips; }

    void Form_Load();
    void commando1_Click() { m_tips->commando1_Click(); }
    void Command2_Click() { m_tips->Command2_Click(); }
    void commando3_Click() { m_tips->commando3_Click(); }
    void commando4_Click() { m_draw->commando4_Click(); }
    void Label3_Click(const qint16 &Index) { m_tips->Label3_Click(Index); }
    void Timer1_Timer() { m_tips->Timer1_Timer(); }
    void Timer2_Timer() { m_draw->Timer2_Timer(); }
    void Form_QueryUnload();
    void Form_Unload();
    void Form_Terminate();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showInfoDialog();

    std::unique_ptr<TipEngine> m_tips;
    std::unique_ptr<DrawSimulation> m_draw;
    bool m_unloaded = false;
};
