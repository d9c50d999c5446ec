#include "form1.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace tapkey {

namespace {

const FormRow kForm{u"Form1"_s, 5310, 7590, Border::None, StartUp::CenterScreen, Qt::black};

const Font kKeyFont{u"宋体"_s, 15.75f, 700, 134};
// The "c" key's face is the vertical-writing variant, so its letter stands turned.
const Font kDeleteFont{u"@宋体"_s, 15.75f, 700, 134};

// clang-format off
const ControlRow kControls[] = {
    // kind               name         text                 left  top   width height tab font         style
    {Kind::TextBox,       "Text1",     {},                  120,  480,  5055, 2415,  0,  kKeyFont,    MultiLine | VScroll | Locked},
    {Kind::CommandButton, "Command1",  u"1\r\n_"_s,         360,  3120, 1490, 1010,  1,  kKeyFont},
    {Kind::CommandButton, "Command2",  u"2\r\nabc"_s,       1920, 3120, 1490, 1010,  2,  kKeyFont},
    {Kind::CommandButton, "Command3",  u"3\r\ndef"_s,       3480, 3120, 1490, 1010,  3,  kKeyFont},
    {Kind::CommandButton, "Command4",  u"4\r\nghi"_s,       360,  4200, 1490, 1010,  4,  kKeyFont},
    {Kind::CommandButton, "Command5",  u"5\r\njkl"_s,       1920, 4200, 1490, 1010,  5,  kKeyFont},
    {Kind::CommandButton, "Command6",  u"6\r\nmno"_s,       3480, 4200, 1490, 1010,  6,  kKeyFont},
    {Kind::CommandButton, "Command7",  u"7\r\npqrs"_s,      360,  5280, 1490, 1010,  7,  kKeyFont},
    {Kind::CommandButton, "Command8",  u"8\r\ntuv"_s,       1920, 5280, 1490, 1010,  8,  kKeyFont},
    {Kind::CommandButton, "Command9",  u"9\r\nwxyz"_s,      3480, 5280, 1490, 1010,  9,  kKeyFont},
    {Kind::CommandButton, "Command10", u"c"_s,              360,  6360, 1490, 1010,  10, kDeleteFont},
    {Kind::CommandButton, "Command11", u"0\r\n\uFE3C\r\n"_s, 1920, 6360, 1490, 1010,  11, kKeyFont},
    // The graphical key: its picture stands above its caption.
    {.kind = Kind::CommandButton, .name = "Command12", .text = u"123"_s,
     .left = 3480, .top = 6360, .width = 1490, .height = 1010, .tabIndex = 12, .font = kKeyFont,
     .style = Graphical, .picture = u":/tapkey/swap.bmp"_s},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls)
{
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Command6.Click = [this] { Command6_Click(); };
    Command7.Click = [this] { Command7_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command10.Click = [this] { Command10_Click(); };
    Command11.Click = [this] { Command11_Click(); };
    Command12.Click = [this] { Command12_Click(); };
    DblClick = [this] { Form_DblClick(); };
}

// One digit per press: the letters on the keys are labels only.

void Form1::Command1_Click()
{
    Text1.setText(Text1.Text() + u"1"_s);
}

void Form1::Command2_Click()
{
    Text1.setText(Text1.Text() + u"2"_s);
}

void Form1::Command3_Click()
{
    Text1.setText(Text1.Text() + u"3"_s);
}

void Form1::Command4_Click()
{
    Text1.setText(Text1.Text() + u"4"_s);
}

void Form1::Command5_Click()
{
    Text1.setText(Text1.Text() + u"5"_s);
}

void Form1::Command6_Click()
{
    Text1.setText(Text1.Text() + u"6"_s);
}

void Form1::Command7_Click()
{
    Text1.setText(Text1.Text() + u"7"_s);
}

void Form1::Command8_Click()
{
    Text1.setText(Text1.Text() + u"8"_s);
}

void Form1::Command9_Click()
{
    Text1.setText(Text1.Text() + u"9"_s);
}

// The "0" key is the middle one of the bottom row, Command11.
void Form1::Command11_Click()
{
    Text1.setText(Text1.Text() + u"0"_s);
}

// Takes back the last character. IIf works out both counts first, so on an empty display
// the length less one is -1 and is thrown away; Left is never asked for a negative count.
void Form1::Command10_Click()
{
    Text1.setText(rt::Left(Text1.Text(),
                           rt::IIf(Text1.Text() == u""_s, rt::Long(0), rt::Len(Text1.Text()) - 1)));
}

// "abc123" less the caption it shows now: "123" gives "abc", and "abc" gives "123".
void Form1::Command12_Click()
{
    Command12.setCaption(rt::Replace(u"abc123"_s, Command12.Caption(), u""_s));
}

void Form1::Form_DblClick()
{
    End();
}

} // namespace tapkey
