#pragma once

#include "forms/application.h"
#include "hosttest.h"
#include "uitest.h"

#include <QString>
#include <memory>

// The fixture of a test that drives real windows: the toolkit is set up once as the program
// sets it up, and every test function starts with a fresh TestHost (HostTest).
class WindowTest : public HostTest {
    Q_OBJECT

protected:
    // The program's name, the title of its message boxes.
    virtual QString program() const = 0;
    // The program's first window, its Form1, as the program starts with it.
    virtual std::unique_ptr<forms::Form> firstWindow() const = 0;

private slots:
    void initTestCase() { forms::setUpToolkit(program()); }

    // Every program's first window is what its tables say (uitest::checkTables).
    void windowFollowsItsTables()
    {
        const std::unique_ptr<forms::Form> form = firstWindow();
        uitest::checkTables(*form);
    }
};
