#include "form1.h"

using namespace Qt::StringLiterals;
using namespace forms;

namespace stuledger {

namespace {

// The records file the program reads and the one it saves, both in its own folder.
const QString kRecordsFile = u"student1.dat"_s;
const QString kSavedFile = u"student2.dat"_s;

// clang-format off
const FormRow kForm{u"stuledger练习"_s, 3135, 3570, Border::Sizable, StartUp::Default};

const ControlRow kControls[] = {
    // kind          name     text  left  top   width  height  tab  font  style
    {Kind::TextBox, "Text1",  {},   120,  120,  2895,  3255,   0,   {},   MultiLine | VScroll},
};

const MenuRow kMenus[] = {
    // name             caption          parent           shortcut      visible
    {"MFile",           u"文件"_s},
    {"MFile_Open",      u"打开"_s,       "MFile",         u"Ctrl+O"_s},
    {"MFile_SaveAs",    u"保存"_s,       "MFile"},
    {"MFile_L1",        u"-"_s,          "MFile"},
    {"MFile_Exit",      u"退出"_s,       "MFile"},
    {"MFormat",         u"格式"_s},
    {"MFormat_Font",    u"字体"_s,       "MFormat"},
    {"fsong",           u"宋体"_s,       "MFormat_Font"},
    {"flishu",          u"隶书"_s,       "MFormat_Font"},
    {"fsize",           u"字号"_s,       "MFormat"},
    {"fsub",            u"变小"_s,       "fsize"},
    {"fadd",            u"变大"_s,       "fsize"},
    {"MSort",           u"排序"_s},
    {"MSort_Age",       u"年龄"_s,       "MSort"},
    {"MSort_Age_ASC",   u"升序"_s,       "MSort_Age"},
    {"MSort_Age_DSC",   u"降序"_s,       "MSort_Age"},
    {"MSort_Sex",       u"性别"_s,       "MSort"},
    {"MSort_Sex_ASC",   u"升序"_s,       "MSort_Sex"},
    {"MSort_Sex_DSC",   u"降序"_s,       "MSort_Sex"},
    {"PMenu",           u"弹出菜单"_s,   nullptr,         {},           false},
    {"Text_Format",     u"字体格式"_s,   "PMenu"},
    {"Age_Asc",         u"年龄升序"_s,   "PMenu"},
};
// clang-format on

} // namespace

Form1::Form1()
    : Form(kForm, kControls, kMenus)
{
    Text1.MouseDown = [this](int button, int shift, float x, float y) {
        Text1_MouseDown(button, shift, x, y);
    };
    menu("MFile_Open").Click = [this] { MFile_Open_Click(); };
    menu("MFile_SaveAs").Click = [this] { MFile_SaveAs_Click(); };
    menu("MFile_Exit").Click = [this] { MFile_Exit_Click(); };
    menu("fsong").Click = [this] { fsong_Click(); };
    menu("flishu").Click = [this] { flishu_Click(); };
    menu("fsub").Click = [this] { fsub_Click(); };
    menu("fadd").Click = [this] { fadd_Click(); };
    menu("MSort_Age_ASC").Click = [this] { MSort_Age_ASC_Click(); };
    menu("MSort_Age_DSC").Click = [this] { MSort_Age_DSC_Click(); };
    menu("MSort_Sex_ASC").Click = [this] { MSort_Sex_ASC_Click(); };
    menu("MSort_Sex_DSC").Click = [this] { MSort_Sex_DSC_Click(); };
    menu("Age_Asc").Click = [this] { Age_Asc_Click(); };
}

void Form1::Text1_MouseDown(int button, int, float, float)
{
    Text1.setEnabled(false);
    Text1.setEnabled(true);
    // Switched off, the box lost the focus the click gave it; the user means to type there.
    Text1.SetFocus();
    if (button == 2)
        PopupMenu(menu("MFormat"));
}

void Form1::MFile_Open_Click()
{
    const QString lines = ledger_.Load(rt::App::File(kRecordsFile));
    if (lines.isEmpty())
        return;
    // One insertion at the end: appending line by line would copy the whole text each time.
    Text1.setSelStart(int(Text1.Text().size()));
    Text1.setSelText(lines);
}

void Form1::MFile_SaveAs_Click()
{
    ledger_.Save(rt::App::File(kSavedFile), rt::App::File(kRecordsFile));
}

void Form1::MFile_Exit_Click()
{
    // A save that fails raises its error here, before End: the program stays open.
    if (!ledger_.Saved && MsgBox(u"是否需要保存？"_s, vbYesNo) == vbYes)
        MFile_SaveAs_Click();
    End();
}

void Form1::fsong_Click()
{
    Text1.setFontName(u"宋体"_s);
}

void Form1::flishu_Click()
{
    Text1.setFontName(u"隶书"_s);
}

// The runtime leaves a size it cannot take as it was, so no step here can fail.
void Form1::fsub_Click()
{
    Text1.setFontSize(Text1.FontSize() - 4);
}

void Form1::fadd_Click()
{
    Text1.setFontSize(Text1.FontSize() + 4);
}

void Form1::sort(SortKey key, SortOrder order)
{
    if (!ledger_.Sort(key, order))
        return;
    if (key == SortKey::Age) {
        menu("MSort_Age_ASC").setChecked(order == SortOrder::Ascending);
        menu("MSort_Age_DSC").setChecked(order == SortOrder::Descending);
    }
    Text1.setText(QString());
    Text1.setText(ledger_.Lines());
}

void Form1::MSort_Age_ASC_Click()
{
    sort(SortKey::Age, SortOrder::Ascending);
}

void Form1::MSort_Age_DSC_Click()
{
    sort(SortKey::Age, SortOrder::Descending);
}

void Form1::MSort_Sex_ASC_Click()
{
    sort(SortKey::Sex, SortOrder::Ascending);
}

void Form1::MSort_Sex_DSC_Click()
{
    sort(SortKey::Sex, SortOrder::Descending);
}

void Form1::Age_Asc_Click()
{
    MSort_Age_ASC_Click();
}

} // namespace stuledger
