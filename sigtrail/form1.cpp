#include "form1.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace sigtrail {

namespace {

const FormRow kForm{u"Form1"_s, 5355, 2205, Border::Sizable, StartUp::Default};

// clang-format off
const ControlRow kControls[] = {
    // kind               name        text            left  top   width height tab
    {Kind::TextBox,       "Text1",    u"Text1"_s,     3960, 240,  1215, 375,  0},
    {Kind::ListBox,       "List1",    {},             120,  120,  2415, 1860, 1},
    {Kind::CommandButton, "Command1", u"Command1"_s,  3960, 720,  1215, 450,  2},
    {Kind::OptionButton,  "Option1",  u"Option1"_s,   2640, 120,  975,  375,  3},
    {Kind::OptionButton,  "Option2",  u"Option2"_s,   2640, 570,  975,  375,  4},
    {Kind::CheckBox,      "Check1",   u"Check1"_s,    2640, 1020, 975,  375,  5},
    {Kind::CheckBox,      "Check2",   u"Check2"_s,    2640, 1470, 975,  375,  6},
    {Kind::CommandButton, "Command2", u"Command2"_s,  3960, 1320, 1215, 450,  7},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls)
{
    Check1.Click = [this] { Check1_Click(); };
    Check2.Click = [this] { Check2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Click = [this] { Form_Click(); };
    DblClick = [this] { Form_DblClick(); };
    Resize = [this] { Form_Resize(); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Text1.Change = [this] { Text1_Change(); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
}

// Each line is built from the property as it stands now, not from a fixed name, so a
// caption changed at run time would show in the log.

void Form1::Check1_Click()
{
    List1.AddItem(u"单击了复选框"_s + Check1.Caption());
}

void Form1::Check2_Click()
{
    List1.AddItem(u"单击了复选框"_s + Check2.Caption());
}

void Form1::Command1_Click()
{
    List1.AddItem(u"单击了命令按钮"_s + Command1.Caption());
}

void Form1::Command2_Click()
{
    List1.AddItem(u"单击了命令按钮"_s + Command2.Caption());
}

void Form1::Form_Click()
{
    List1.AddItem(u"单击了窗体"_s + Caption());
}

void Form1::Form_DblClick()
{
    List1.AddItem(u"双击了窗体"_s + Caption());
}

void Form1::Form_Resize()
{
    List1.AddItem(u"窗体"_s + Caption() + u"的大小改变"_s);
}

void Form1::Option1_Click()
{
    List1.AddItem(u"选择了单选按钮"_s + Option1.Caption());
}

void Form1::Option2_Click()
{
    List1.AddItem(u"选择了单选按钮"_s + Option2.Caption());
}

void Form1::Text1_Change()
{
    List1.AddItem(Text1.Name() + u"内容改变"_s);
}

void Form1::Text1_GotFocus()
{
    List1.AddItem(Text1.Name() + u"得到焦点"_s);
}

} // namespace sigtrail
