#include "form1.h"
#include "bodymass.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace bmi {

namespace {

const Font kSong14{u"宋体"_s, 14.25f};
const Font kSong15{u"宋体"_s, 15};
const Font kSong12{u"宋体"_s, 12};

// clang-format off
const FormRow kForm{u"Form1"_s, 5325, 2640, Border::FixedSingle, StartUp::Default};

const ControlRow kControls[] = {
    // kind               name        text           left  top  width height tab font     style
    {Kind::Label,         "Label1",   u"体重(Kg)"_s, 120,  225, 1170, 285,   0,  kSong14, AutoSize},
    {Kind::TextBox,       "Text1",    u"50"_s,       1320, 165, 615,  405,   4,  kSong14},
    {Kind::Label,         "Label2",   u"身高(Cm)"_s, 2040, 225, 1170, 285,   1,  kSong14, AutoSize},
    {Kind::TextBox,       "Text2",    u"167"_s,      3240, 165, 735,  405,   2,  kSong14},
    {Kind::CommandButton, "Command1", u"计算"_s,     4200, 120, 855,  495,   5,  kSong15},
    {Kind::PictureBox,    "Picture1", {},            720,  720, 4335, 1695,  3,  kSong12},
    // A timer has no place on the window, only its interval in milliseconds.
    {.kind = Kind::Timer, .name = "Timer1", .interval = 1000},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls)
{
    Load = [this] { Form_Load(); };
    Command1.Click = [this] { Command1_Click(); };
    Text1.KeyPress = [this](rt::Integer& KeyAscii) { Text1_KeyPress(KeyAscii); };
    Text2.KeyPress = [this](rt::Integer& KeyAscii) { Text2_KeyPress(KeyAscii); };
    Timer1.Timer = [this] { Timer1_Timer(); };
}

void Form1::Form_Load()
{
    Picture1.Cls();
}

void Form1::Command1_Click()
{
    // A value beyond the single range is the overflow error, as storing it in a Single is.
    weightKg = rt::CSng(rt::Val(Text1.Text()));
    heightCm = rt::CSng(rt::Val(Text2.Text()));
    if (!(weightKg > 0 && heightCm > 0)) {
        MsgBox(u"输入错误"_s);
        return;
    }
    bmiValue = BodyMassIndex(weightKg, heightCm);
    Picture1.Print(rt::Date() + u"的BMI是"_s + IndexText(bmiValue));
}

void Form1::Text1_KeyPress(rt::Integer& KeyAscii)
{
    if (KeyAscii == 13)
        Command1_Click();
}

void Form1::Text2_KeyPress(rt::Integer& KeyAscii)
{
    // A copy: whatever the calculation might do with the code, the typed key stays as it is.
    rt::Integer code = KeyAscii;
    Text1_KeyPress(code);
}

void Form1::Timer1_Timer()
{
    setCaption(rt::Time());
}

} // namespace bmi
