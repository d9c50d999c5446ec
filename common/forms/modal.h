#pragma once

#include <QPoint>

class QDialog;
class QMenu;

namespace forms {

// A box or a pop-up menu that the program waits on, as exec() does: the call returns once it
// is closed, and the rest of the program's windows take no input meanwhile.
void showModal(QDialog& box);
void popUpModal(QMenu& menu, const QPoint& at);

} // namespace forms
