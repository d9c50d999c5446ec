#include "form1.h"

using namespace Qt::StringLiterals;
using namespace forms;

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

QString drawCharacter()
{
    return rt::Chr(rt::CInt(rt::Int(rt::Rnd() * 94) + 33));
}

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
    QString last; // empty, so the first test never stops the loop
    Text1.setText(u""_s);
    rt::Randomize();
    while (last != u"Z"_s) {
        last = drawCharacter();
        Text1.setText(Text1.Text() + last);
    }
}

void Form1::Form_Click()
{
    Form_Load();
}

void Form1::Command1_Click()
{
    Text2.setText(u""_s);
    for (;;) {
        const QString last = drawCharacter();
        Text2.setText(Text2.Text() + last);
        const QString text = Text2.Text();
        if (rt::InStr(rt::Left(text, rt::Len(text) - 1), last) > 0)
            break;
    }
}

void Form1::Command2_Click()
{
    const QString s = Text1.Text() + Text2.Text();
    // 16-bit counters: more than 32767 of one class is the runtime's overflow error.
    rt::Integer digits = 0;
    rt::Integer capitals = 0;
    rt::Integer smalls = 0;
    rt::Integer others = 0;
    const rt::Long end = rt::Len(s);
    for (rt::Long i = 1; i <= end; ++i) {
        const rt::Integer c = rt::Asc(rt::Mid(s, i, 1));
        if (c >= 48 && c <= 57)
            ++digits;
        else if (c >= 65 && c <= 90)
            ++capitals;
        else if (c > rt::Asc(u"z"_s) || c < rt::Asc(u"a"_s))
            ++others; // punctuation, blanks, line breaks and every double-byte character
        else
            ++smalls;
    }
    Picture1.Cls();
    Picture1.Print();
    Picture1.Print(u"数字字符个数"_s, Semi, digits);
    Picture1.Print(u"大写字母个数"_s, Semi, capitals);
    Picture1.Print(u"小写字母个数"_s, Semi, smalls);
    Picture1.Print(u"标点字符个数"_s, Semi, others);
}
