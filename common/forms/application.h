#pragma once

#include "forms/widgethost.h"

#include <QApplication>

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

} // namespace forms
