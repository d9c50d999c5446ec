#include "forms/timer.h"

#include "forms/form.h"

#include <QTimer>

namespace forms {

Timer::Timer(Form& form, const ControlRow& row)
    : Control(form, row, nullptr)
    , timer_(new QTimer(this))
{
    timer_->setInterval(row.interval);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { raise(Tick); });
    if (row.interval > 0)
        timer_->start();
}

int Timer::Interval() const
{
    return timer_->interval();
}

void Timer::setInterval(int ms)
{
    timer_->setInterval(ms);
    if (ms <= 0)
        timer_->stop();
}

bool Timer::Enabled() const
{
    return timer_->isActive();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled && timer_->interval() > 0)
        timer_->start();
    else
        timer_->stop();
}

} // namespace forms
