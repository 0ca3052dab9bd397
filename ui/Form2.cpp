#include "Form2.h"

#include "Button.h"
#include "ColourLabel.h"
#include "Platform.h"

#include <QCloseEvent>

using namespace Qt::StringLiterals;

namespace {
Form2 *s_instance = nullptr;
}

Form2 *Form2::shared()
{
    if (!s_instance)
        s_instance = new Form2;
    return s_instance;
}

bool Form2::exists()
{
    return s_instance != nullptr;
}

Form2::Form2()
    : FormWindow(u":/ui/Form2.json"_s), Label1(control<ColourLabel>(u"Label1"_s)),
      commando1(control<Button>(u"commando1"_s))
{
    connect(commando1, &Button::Click, this, &Form2::commando1_Click);
}

Form2::~Form2()
{
    Form_Terminate();
}

void Form2::commando1_Click()
{
    Platform::endProgram();
}

void Form2::Form_Terminate()
{
    Platform::endProgram();
}

void Form2::closeEvent(QCloseEvent *)
{
    // Closing the dialog destroys it, and with it the program.
    Form_Terminate();
}
