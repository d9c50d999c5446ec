#pragma once

#include "forms/forms.h"
#include "students.h"

namespace stuledger {

// The student records window: the list shown as lines in Text1, loaded from student1.dat,
// sorted by age or sex, saved to student2.dat, all through the menus.
class Form1 : public forms::Form {
public:
    Form1();

    forms::TextBox& Text1 = control<forms::TextBox>("Text1");

    const StudentLedger& ledger() const { return ledger_; }

private:
    void Text1_MouseDown(int button, int shift, float x, float y);
    void MFile_Open_Click();
    void MFile_SaveAs_Click();
    void MFile_Exit_Click();
    void fsong_Click();
    void flishu_Click();
    void fsub_Click();
    void fadd_Click();
    void MSort_Age_ASC_Click();
    void MSort_Age_DSC_Click();
    void MSort_Sex_ASC_Click();
    void MSort_Sex_DSC_Click();
    void Age_Asc_Click();

    void sort(SortKey key, SortOrder order);

    StudentLedger ledger_;
};

} // namespace stuledger
