#pragma once

#include <functional>

namespace forms {

// The error trap around every handler: a run-time error is shown in a message box, with the
// runtime's message, and the program keeps running.
void runTrapped(const std::function<void()>& handler);

} // namespace forms
