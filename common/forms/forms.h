#pragma once

// The form runtime: windows from layout tables, controls, menus, printing, message boxes.
#include "forms/application.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/layout.h"
#include "forms/menu.h"
#include "runtime/runtime.h"

namespace forms {

// Button sets and answers of a message box.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNo = 4;
inline constexpr int vbOK = 1;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// A message box through the host. Without a title of its own it shows the program's title.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = {});
// Ends the program at once through the host: no question and no further event. A handler
// returns right after calling it.
void End();
// The program's title, its deliverable's name.
QString appTitle();

} // namespace forms
