#pragma once

#include "forms/control.h"

class QTimer;

namespace forms {

class Timer : public Control {
public:
    Timer(Form& form, const ControlRow& row);

    int Interval() const;
    void setInterval(int ms);
    bool Enabled() const override;
    void setEnabled(bool enabled) override;

    // The Timer event: every Interval milliseconds while enabled.
    std::function<void()> Tick;

private:
    QTimer* timer_;
};

} // namespace forms
