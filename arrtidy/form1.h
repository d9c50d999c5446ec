#pragma once

#include "forms/forms.h"

namespace arrtidy {

// Each click draws twenty numbers from 0 to 19 and prints them, then the list without its
// repeats, then that list largest first.
class Form1 : public forms::Form {
public:
    Form1();

private:
    void Form_Click();
    void printAll(const rt::Array<rt::Integer>& a);
};

} // namespace arrtidy
