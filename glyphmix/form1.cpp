#include "form1.h"
#include "glyphs.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace glyphmix {

namespace {

// clang-format off
const FormRow kForm{u"生成字母"_s, 5325, 3795};

const Font kBoxFont{u"宋体"_s, 14.25f};
const Font kButtonFont{u"宋体"_s, 12};
const Font kPictureFont{u"宋体"_s, 10.5f};

const ControlRow kControls[] = {
    // kind               name        text                   left  top   width height tab font
    {Kind::TextBox,       "Text1",    {},                    240,  240,  2895, 2535,  0,  kBoxFont,     MultiLine | VScroll},
    {Kind::CommandButton, "Command1", u"生成text2中字符"_s,   240,  3000, 1335, 615,   1,  kButtonFont},
    {Kind::CommandButton, "Command2", u"统计text1和text2"_s,  1680, 3000, 1455, 615,   2,  kButtonFont},
    {Kind::TextBox,       "Text2",    {},                    3360, 240,  1815, 1815,  3,  kBoxFont,     MultiLine | VScroll},
    {Kind::PictureBox,    "Picture1", {},                    3360, 2160, 1815, 1455,  4,  kPictureFont},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls)
{
    Load = [this] { Form_Load(); };
    Click = [this] { Form_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void Form1::Form_Load()
{
    rt::Randomize();
    Text1.setText(DrawUntilZ());
}

void Form1::Form_Click()
{
    Form_Load();
}

void Form1::Command1_Click()
{
    Text2.setText(DrawUntilRepeat());
}

void Form1::Command2_Click()
{
    // Counted before anything is cleared: an overflow leaves the last counts shown.
    const ClassCounts n = CountClasses(Text1.Text() + Text2.Text());
    Picture1.Cls();
    Picture1.Print();
    Picture1.Print(u"数字字符个数"_s, Semi, n.digits);
    Picture1.Print(u"大写字母个数"_s, Semi, n.capitals);
    Picture1.Print(u"小写字母个数"_s, Semi, n.smalls);
    Picture1.Print(u"标点字符个数"_s, Semi, n.others);
}

} // namespace glyphmix
