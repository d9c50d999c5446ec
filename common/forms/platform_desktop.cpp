#include "forms/platform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMenu>

namespace forms {

void showModal(QDialog& box)
{
    box.exec();
}

void popUpModal(QMenu& menu, const QPoint& at)
{
    menu.exec(at);
}

// A desktop has its Chinese faces installed.
void loadCarriedFaces() {}

// Where the window manager puts it.
void placeWindow(QWidget&) {}

void endProgram()
{
    QCoreApplication::exit(0);
}

} // namespace forms
