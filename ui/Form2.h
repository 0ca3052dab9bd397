#pragma once

#include "FormWindow.h"

class Button;
class ColourLabel;

// The closing dialog; the program ends through it.
class Form2 : public FormWindow
{
    Q_OBJECT

public:
    // The one instance of the program, created on first use.
    static Form2 *shared();
    static bool exists();

    ~Form2() override;

    ColourLabel *Label1;
    Button *commando1;

    void commando1_Click();
    void Form_Terminate();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Form2();
};
