#pragma once

#include "forms/forms.h"

namespace sigtrail {

// The event trace window: each traced event appends one line to List1, so the list shows
// which events the form runtime fired, and in what order.
class Form1 : public forms::Form {
public:
    Form1();

    forms::TextBox& Text1 = control<forms::TextBox>("Text1");
    forms::ListBox& List1 = control<forms::ListBox>("List1");
    forms::CommandButton& Command1 = control<forms::CommandButton>("Command1");
    forms::OptionButton& Option1 = control<forms::OptionButton>("Option1");
    forms::OptionButton& Option2 = control<forms::OptionButton>("Option2");
    forms::CheckBox& Check1 = control<forms::CheckBox>("Check1");
    forms::CheckBox& Check2 = control<forms::CheckBox>("Check2");
    forms::CommandButton& Command2 = control<forms::CommandButton>("Command2");

private:
    void Check1_Click();
    void Check2_Click();
    void Command1_Click();
    void Command2_Click();
    void Form_Click();
    void Form_DblClick();
    void Form_Resize();
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void Text1_GotFocus();
};

} // namespace sigtrail
