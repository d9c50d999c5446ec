#pragma once

#include "forms/forms.h"

namespace glyphmix {

// The letter generator: Text1 fills with random characters up to the first "Z", Text2 until
// one repeats, and Picture1 shows how many digits, capitals, small letters and others both hold.
class Form1 : public forms::Form {
public:
    Form1();

    forms::TextBox& Text1 = control<forms::TextBox>("Text1");
    forms::CommandButton& Command1 = control<forms::CommandButton>("Command1");
    forms::CommandButton& Command2 = control<forms::CommandButton>("Command2");
    forms::TextBox& Text2 = control<forms::TextBox>("Text2");
    forms::PictureBox& Picture1 = control<forms::PictureBox>("Picture1");

private:
    void Form_Load();
    void Form_Click();
    void Command1_Click();
    void Command2_Click();
};

} // namespace glyphmix
