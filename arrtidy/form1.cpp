#include "form1.h"

#include "tidy.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace arrtidy {

namespace {

// clang-format off
const FormRow kForm{u"数组排序"_s, 8895, 1620, Border::Sizable, StartUp::Default, {},
                    Font{u"宋体"_s, 12}};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, {})
{
    Click = [this] { Form_Click(); };
}

void Form1::Form_Click()
{
    rt::Randomize();
    rt::Array<rt::Integer> a(0, 19);
    Cls();
    Print(u"原数列如下："_s);
    const rt::Long last = a.UBound();
    for (rt::Integer i = rt::Integer(a.LBound()); rt::Long(i) <= last; ++i) {
        a(i) = rt::CInt(rt::Int(rt::Rnd() * 20));
        Print(a(i), Semi);
    }
    Print();
    RemoveRepeats(a);
    Print(u"删除重复元素后的数列："_s);
    printAll(a);
    Print();
    SortDescending(a);
    Print(u"排序后的数列："_s);
    printAll(a); // the print position stays at the end of the last line
}

void Form1::printAll(const rt::Array<rt::Integer>& a)
{
    const rt::Long last = a.UBound();
    for (rt::Integer i = rt::Integer(a.LBound()); rt::Long(i) <= last; ++i)
        Print(a(i), Semi);
}

} // namespace arrtidy
