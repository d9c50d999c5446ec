#pragma once

#include "forms/widgethost.h"

#include <QApplication>
#include <memory>

namespace forms {

class Form;

// A program's start: the toolkit, the real host, the program's title and default font.
class Application {
public:
    Application(int& argc, char** argv, const QString& title);
    ~Application();

    // Shows the window (Load, show, Resize, first focus) and runs the event loop.
    int run(Form& form);

private:
    QApplication app_;
    WidgetHost host_;
};

// The program-wide settings, for the program and for tests that build a window themselves.
void setUpToolkit(const QString& title);

// What makes a program's first window: every program's is its Form1, made by
// firstWindow<name::Form1>.
using FirstWindow = std::unique_ptr<Form> (*)();
template <class Window> std::unique_ptr<Form> firstWindow()
{
    return std::make_unique<Window>();
}

// A program, started: the toolkit set up under the program's name, its first window made and
// shown (Load, show, Resize, first focus), and the event loop until the program ends. The
// executable's main starts its program so, and in the browser the course's one module starts
// the program the page names. In the browser the event loop never returns: it unwinds to the
// page, and the program's objects stay where they stand on the stack, in this call; a caller
// that would destroy something after the call gives that stack back (see course_wasm.cpp).
int runProgram(int argc, char** argv, const char* name, FirstWindow firstWindow);

} // namespace forms
