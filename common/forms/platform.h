#pragma once

#include <QPoint>

class QDialog;
class QMenu;
class QWidget;

namespace forms {

// What a desktop's window system and the browser's page do differently, each side in a file of
// its own that the build takes: platform_desktop.cpp, and platform_wasm.cpp with what the page
// provides (web/page-and-program.md).

// A box or a pop-up menu that the program waits on, as exec() does: the call returns once it
// is closed, and the rest of the program's windows take no input meanwhile.
void showModal(QDialog& box);
void popUpModal(QMenu& menu, const QPoint& at);

// The Chinese faces the program carries with it, where the system has none.
void loadCarriedFaces();

// Where a window that is not centred on the screen first stands.
void placeWindow(QWidget& window);

// The end of the program, once its windows are hidden.
void endProgram();

} // namespace forms
