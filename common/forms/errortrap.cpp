#include "forms/errortrap.h"

#include "forms/forms.h"

using namespace Qt::StringLiterals;

namespace forms {

void runTrapped(const std::function<void()>& handler)
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
