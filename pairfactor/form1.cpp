#include "form1.h"
#include "gcd.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace pairfactor {

namespace {

const Font kSong{u"宋体"_s, 15.75f};

// clang-format off
const FormRow kForm{u"最大公因数"_s, 5025, 2025, Border::Sizable, StartUp::Default};

const ControlRow kControls[] = {
    // kind               name        text               left  top   width height tab font   style
    {Kind::TextBox,       "Text1",    u"24"_s,           480,  480,  735,  495,   0,  kSong},
    {Kind::TextBox,       "Text2",    u"46"_s,           1440, 480,  735,  495,   1,  kSong},
    {Kind::CommandButton, "Command1", u"求最大公因数"_s, 2520, 480,  2055, 495,   2,  kSong},
    {Kind::Label,         "Label1",   u"Label1"_s,       1680, 1320, 990,  315,   3,  kSong, AutoSize},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls)
{
    Command1.Click = [this] { Command1_Click(); };
}

void Form1::Command1_Click()
{
    const double a = rt::Val(Text1.Text());
    const double b = rt::Val(Text2.Text());
    // A value too large for an Integer is the overflow error before anything is shown.
    rt::Integer B = rt::CInt(rt::Abs(b));
    rt::Integer A = rt::CInt(rt::Abs(a));
    const rt::Integer R = GCD(A, B);
    Label1.setCaption(u"最大公因数为"_s + rt::CStr(R));
}

} // namespace pairfactor
