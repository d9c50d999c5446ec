#pragma once

#include "forms/forms.h"

namespace tapkey {

// The front of a telephone handset: the display Text1 above twelve keys. The digit keys
// append their digit, "c" takes the last one back, the mode key flips its own caption, and
// a double-click on the black background ends the program.
class Form1 : public forms::Form {
public:
    Form1();

    forms::TextBox& Text1 = control<forms::TextBox>("Text1");
    forms::CommandButton& Command1 = control<forms::CommandButton>("Command1");
    forms::CommandButton& Command2 = control<forms::CommandButton>("Command2");
    forms::CommandButton& Command3 = control<forms::CommandButton>("Command3");
    forms::CommandButton& Command4 = control<forms::CommandButton>("Command4");
    forms::CommandButton& Command5 = control<forms::CommandButton>("Command5");
    forms::CommandButton& Command6 = control<forms::CommandButton>("Command6");
    forms::CommandButton& Command7 = control<forms::CommandButton>("Command7");
    forms::CommandButton& Command8 = control<forms::CommandButton>("Command8");
    forms::CommandButton& Command9 = control<forms::CommandButton>("Command9");
    forms::CommandButton& Command10 = control<forms::CommandButton>("Command10");
    forms::CommandButton& Command11 = control<forms::CommandButton>("Command11");
    forms::CommandButton& Command12 = control<forms::CommandButton>("Command12");

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Form_DblClick();
};

} // namespace tapkey
