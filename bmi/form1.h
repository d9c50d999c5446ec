#pragma once

#include "forms/forms.h"

namespace bmi {

// The body-mass-index calculator: weight and height in, one dated index line per calculation
// printed in Picture1, and the time of day kept in the title bar.
class Form1 : public forms::Form {
public:
    Form1();

    forms::Label& Label1 = control<forms::Label>("Label1");
    forms::TextBox& Text1 = control<forms::TextBox>("Text1");
    forms::Label& Label2 = control<forms::Label>("Label2");
    forms::TextBox& Text2 = control<forms::TextBox>("Text2");
    forms::CommandButton& Command1 = control<forms::CommandButton>("Command1");
    forms::PictureBox& Picture1 = control<forms::PictureBox>("Picture1");
    forms::TimerControl& Timer1 = control<forms::TimerControl>("Timer1");

private:
    void Form_Load();
    void Command1_Click();
    void Text1_KeyPress(rt::Integer& KeyAscii);
    void Text2_KeyPress(rt::Integer& KeyAscii);
    void Timer1_Timer();

    // The values of the last calculation; only the calculation writes them.
    float weightKg = 0;
    float heightCm = 0;
    float bmiValue = 0;
};

} // namespace bmi
