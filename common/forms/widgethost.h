#pragma once

#include "runtime/host.h"

namespace forms {

// The host of a running program: real message boxes, and End that closes every window and
// leaves the event loop before another event is handled.
class WidgetHost : public rt::Host {
public:
    int msgBox(const QString& prompt, int buttons, const QString& title) override;
    void end() override;
};

} // namespace forms
