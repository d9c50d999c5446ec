#include "forms/backgroundclicks.h"

#include "forms/form.h"

#include <QApplication>
#include <QMouseEvent>

namespace forms {

BackgroundClicks::BackgroundClicks(Form& form)
    : form_(form)
{
    qApp->installEventFilter(this);
}

BackgroundClicks::~BackgroundClicks()
{
    qApp->removeEventFilter(this);
}

// A point of the client area that no control covers; a release outside the window is none.
bool BackgroundClicks::isBackground(QPoint point) const
{
    const Surface& client = form_.client();
    return client.rect().contains(point) && client.childAt(point) == nullptr;
}

bool BackgroundClicks::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &form_.client()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == &form_)
                clickedBackground_ = false;
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        pressOnBackground_ = isBackground(mouse->position().toPoint());
        afterDoubleClick_ = false;
        clickedBackground_ = clickedBackground_ && pressOnBackground_;
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool onBackground = isBackground(mouse->position().toPoint());
        // The release that ends a double-click is no second Click.
        if (pressOnBackground_ && onBackground && !afterDoubleClick_) {
            clickedBackground_ = true;
            form_.run(form_.Click);
        }
        pressOnBackground_ = false;
        afterDoubleClick_ = false;
        break;
    }
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool onBackground = isBackground(mouse->position().toPoint());
        if (onBackground && clickedBackground_) {
            clickedBackground_ = false;
            afterDoubleClick_ = true;
            form_.run(form_.DblClick);
        } else {
            // Its first click was on a control: on the background this one is a plain Click.
            pressOnBackground_ = onBackground;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace forms
