#pragma once

#include "forms/forms.h"

namespace pairfactor {

// The greatest common divisor of the two fields, shown in Label1 when Command1 is pressed.
class Form1 : public forms::Form {
public:
    Form1();

    forms::TextBox& Text1 = control<forms::TextBox>("Text1");
    forms::TextBox& Text2 = control<forms::TextBox>("Text2");
    forms::CommandButton& Command1 = control<forms::CommandButton>("Command1");
    forms::Label& Label1 = control<forms::Label>("Label1");

private:
    void Command1_Click();
};

} // namespace pairfactor
