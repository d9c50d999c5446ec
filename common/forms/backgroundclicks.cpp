#include "forms/form.h"

#include <QMouseEvent>

// Click and DblClick of a form come from its background alone: the part of the client area
// that no control covers.
namespace forms {

// A point of the client area that no control covers; a release outside the window is none.
bool Form::isBackground(QPoint point) const
{
    return client_->rect().contains(point) && client_->childAt(point) == nullptr;
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != client_) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == this)
                clickedBackground_ = false;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Resize:
        if (started_ && !(windowState() & Qt::WindowMinimized))
            run(Resize);
        break;
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
            run(Click);
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
            run(DblClick);
        } else {
            // Its first click was on a control: on the background this one is a plain Click.
            pressOnBackground_ = onBackground;
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace forms
