#pragma once

#include "testhost.h"

#include <QObject>
#include <optional>

// The fixture of a test that shows no window of a program's: every test function starts with a
// fresh TestHost (its own folder, clock and seed, no message box answered yet). A test class
// derives from it and adds its test functions as private slots.
class HostTest : public QObject {
    Q_OBJECT

protected:
    std::optional<TestHost> host; // made afresh for each test function

private slots:
    void init() { host.emplace(); }
    void cleanup() { host.reset(); }
};
