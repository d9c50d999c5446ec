#include "forms/control.h"

#include "forms/form.h"
#include "runtime/text.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// What a key types. The browser's platform gives the keys that type a control character
// without it, where the desktop's give it: Enter must still be KeyAscii 13 there.
QString typedBy(const QKeyEvent& key)
{
    if (!key.text().isEmpty() ||
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return key.text();
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return u"\r"_s;
    case Qt::Key_Backspace:
        return u"\b"_s;
    case Qt::Key_Escape:
        return u"\x1b"_s;
    default:
        return {};
    }
}

} // namespace

Control::Control(Form& form, const ControlRow& row, QWidget* widget)
    : QObject(&form)
    , form_(form)
    , widget_(widget)
    , tabIndex_(row.tabIndex)
    , font_(row.font)
{
    setObjectName(QString::fromLatin1(row.name));
    if (!widget_)
        return;
    widget_->setObjectName(objectName());
    widget_->setGeometry(px(row.left), px(row.top), px(row.width), px(row.height));
    widget_->setFont(toQFont(font_));
    widget_->installEventFilter(this);
}

Control::~Control() = default;

bool Control::Enabled() const
{
    return widget_ && widget_->isEnabled();
}

void Control::setEnabled(bool enabled)
{
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Control::Visible() const
{
    return widget_ && !widget_->isHidden();
}

int Control::Left() const
{
    return widget_ ? twips(widget_->x()) : 0;
}

int Control::Top() const
{
    return widget_ ? twips(widget_->y()) : 0;
}

int Control::Width() const
{
    return widget_ ? twips(widget_->width()) : 0;
}

int Control::Height() const
{
    return widget_ ? twips(widget_->height()) : 0;
}

void Control::setFontName(const QString& name)
{
    font_.name = name;
    fontChanged();
}

void Control::setFontSize(float size)
{
    if (!acceptsFontSize(size))
        return;
    font_.size = size;
    fontChanged();
}

void Control::fontChanged()
{
    if (widget_)
        widget_->setFont(toQFont(font_));
}

void Control::SetFocus()
{
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

void Control::fire(const std::function<void()>& handler)
{
    form_.run(handler);
}

void Control::watchMouse(QWidget* surface)
{
    // A press the viewport leaves unhandled comes on to the scroll area itself: count it once.
    mouseSurface_ = surface;
    surface->installEventFilter(this);
}

namespace {

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

bool Control::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        if (watched != widget_)
            break;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason)
            break;
        if (reason == Qt::ActiveWindowFocusReason && form_.focusAtDeactivation() == this)
            break;
        form_.setFocusAtDeactivation(nullptr);
        fire(GotFocus);
        break;
    }
    case QEvent::FocusOut:
        if (watched == widget_ &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason)
            form_.setFocusAtDeactivation(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!MouseDown || watched != (mouseSurface_ ? mouseSurface_ : widget_.data()))
            break;
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* source = static_cast<QWidget*>(watched);
        const QPointF at = source->mapTo(widget_, mouse->position());
        const int button = buttonCode(mouse->button());
        const int shift = shiftCode(mouse->modifiers());
        fire([&] { MouseDown(button, shift, float(twips(at.x())), float(twips(at.y()))); });
        break;
    }
    case QEvent::KeyPress: {
        if (watched != widget_ || !KeyPress)
            break;
        const QString typed = typedBy(*static_cast<QKeyEvent*>(event));
        if (typed.isEmpty())
            break;
        rt::Integer code = rt::Asc(typed);
        const rt::Integer before = code;
        fire([&] { KeyPress(code); });
        if (code == before)
            break;
        if (code.value() != 0)
            fire([&] { insertTyped(rt::Chr(code)); });
        return true; // the handler dropped or replaced the key
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace forms
