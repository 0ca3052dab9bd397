#include "Form1.h"

#include "Button.h"
#include "CellDescription.h"
#include "Form2.h"

#include <QCloseEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

Form1::Form1(QWidget *parent)
    : FormWindow(u":/ui/Form1.json"_s, parent), label1(controlArray<ColourLabel>(u"label1"_s)),
      Label3(controlArray<ColourLabel>(u"Label3"_s)), Frame1(control<Frame>(u"Frame1"_s)),
      Label4(control<ColourLabel>(u"Label4"_s)), Combo1(control<ComboBox>(u"Combo1"_s)),
      Label5(control<ColourLabel>(u"Label5"_s)), Image1(control<PictureBox>(u"Image1"_s)),
      commando1(control<Button>(u"commando1"_s)), commando3(control<Button>(u"commando3"_s)),
      commando4(control<Button>(u"commando4"_s)), List1(control<ListBox>(u"List1"_s)),
      Command2(control<CommandButton>(u"Command2"_s)), Timer1(control<Timer>(u"Timer1"_s)),
      Timer2(control<Timer>(u"Timer2"_s)),
      m_tips(std::make_unique<TipEngine>(TipControls{*List1, Label3, label1, *Combo1, *Timer1})),
      m_draw(std::make_unique<DrawSimulation>(
          DrawControls{*List1, Label3, label1, *Timer2, *commando4}, *m_tips))
{
    connect(commando1, &Button::Click, this, &Form1::commando1_Click);
    connect(commando3, &Button::Click, this, &Form1::commando3_Click);
    connect(commando4, &Button::Click, this, &Form1::commando4_Click);
    connect(Command2, &CommandButton::Click, this, &Form1::Command2_Click);
    for (ColourLabel *cell : Label3) {
        connect(cell, &ColourLabel::Click, this, &Form1::Label3_Click);
        cell->setAccessibleDescriber(
            [](const ColourLabel &c) { return describeBoardCell(c.Index(), c.BackColor()); },
            QAccessible::CheckBox);
    }
    for (ColourLabel *cell : label1) {
        cell->setAccessibleDescriber(
            [](const ColourLabel &c) {
                return AccessibleSpeech{describeResultCell(c.Index(), c.Caption())};
            },
            QAccessible::StaticText);
    }
    control<QWidget>(u"Group1"_s)->setAccessibleName(u"Ergebnis"_s);
    Frame1->setAccessibleName(u"Zahlenfeld"_s);
    Image1->setAccessibleName(u"Lottokugel"_s);
    Label4->setBuddy(Combo1);
    // The text field inside the box takes the focus; it is named like the box.
    Combo1->lineEdit()->setAccessibleName(Label4->Caption());
    connect(Timer1, &Timer::tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &Timer::tick, this, &Form1::Timer2_Timer);
    Form_Load();
}

Form1::~Form1()
{
    if (m_unloaded)
        Form_Terminate();
}

void Form1::Form_Load()
{
    commando3->setCaption(u"Ermittle\r\nseltene / häufige\r\nZahlen"_s);
    for (int n = 1; n <= 49; ++n)
        Label3(n)->setCaption(QString::number(n));
    Combo1->setText(u"10"_s);
}

void Form1::Form_QueryUnload()
{
    showInfoDialog();
}
void Form1::Form_Unload()
{
    showInfoDialog();
}
void Form1::Form_Terminate()
{
    showInfoDialog();
}

void Form1::showInfoDialog()
{
    hide();
    // In its normal state, also where windows open full screen by default.
    Form2::shared()->showNormal();
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    Form_Unload();
    // Unloading the window stops its timers.
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    m_unloaded = true;
    event->accept();
}
