#pragma once

#include "forms/application.h"
#include "testhost.h"
#include "uitest.h"

#include <QObject>
#include <QString>
#include <optional>

// The fixture of a test that drives real windows: the toolkit is set up once as the program
// sets it up, and every test function starts with a fresh TestHost.
class WindowTest : public QObject {
    Q_OBJECT

protected:
    // The program's name, the title of its message boxes.
    virtual QString program() const = 0;

    std::optional<TestHost> host; // made afresh for each test function

private slots:
    void initTestCase() { forms::setUpToolkit(program()); }
    void init() { host.emplace(); }
    void cleanup() { host.reset(); }
};
