#pragma once

#include "forms/control.h"

class QTimer;

namespace forms {

// A timer: no widget, only its event. The class is not called Timer, since its event is.
class TimerControl : public Control {
public:
    TimerControl(Form& form, const ControlRow& row);

    int Interval() const;
    void setInterval(int ms);
    bool Enabled() const override;
    void setEnabled(bool enabled) override;

    // The Timer event: every Interval milliseconds while enabled.
    std::function<void()> Timer;

private:
    QTimer* timer_;
};

} // namespace forms
