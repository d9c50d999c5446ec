#include "forms/form.h"

#include "forms/forms.h"

using namespace Qt::StringLiterals;

namespace forms {

// The error trap around every handler: a run-time error is shown in a message box, with the
// runtime's message, and the program keeps running.
void Form::run(const std::function<void()>& handler)
{
    if (!handler)
        return;
    try {
        handler();
    } catch (const rt::Error& e) {
        MsgBox(e.message());
    } catch (const std::exception& e) {
        MsgBox(u"内部错误："_s + QString::fromUtf8(e.what()));
    }
}

} // namespace forms
