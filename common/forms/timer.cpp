#include "forms/timer.h"

#include "forms/form.h"

#include <QTimer>

namespace forms {

TimerControl::TimerControl(Form& form, const ControlRow& row)
    : Control(form, row, nullptr)
    , timer_(new QTimer(this))
{
    timer_->setInterval(row.interval);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { fire(Timer); });
    if (row.interval > 0)
        timer_->start();
}

int TimerControl::Interval() const
{
    return timer_->interval();
}

void TimerControl::setInterval(int ms)
{
    timer_->setInterval(ms);
    if (ms <= 0)
        timer_->stop();
}

bool TimerControl::Enabled() const
{
    return timer_->isActive();
}

void TimerControl::setEnabled(bool enabled)
{
    if (enabled && timer_->interval() > 0)
        timer_->start();
    else
        timer_->stop();
}

} // namespace forms
