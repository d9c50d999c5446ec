#include "forms/form.h"

#include "forms/captionlabels.h"
#include "forms/controlkinds.h"
#include "forms/errortrap.h"
#include "forms/platform.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {

bool takesFocus(const Control* c)
{
    const QWidget* w = c->widget();
    return w && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden();
}

} // namespace

Form::Form(const FormRow& form, std::span<const ControlRow> controls,
           std::span<const MenuRow> menus)
    : formRow_(form)
    , controlRows_(controls)
    , menuRows_(menus)
    , font_(form.font)
    , client_(new Surface(this))
    , backgroundClicks_(*this)
{
    setObjectName(Name());
    setWindowTitle(form.caption);
    setCentralWidget(client_);
    client_->setObjectName(Name());
    client_->setFont(toQFont(font_));
    client_->setFocusPolicy(Qt::NoFocus);
    if (form.background.isValid()) {
        QPalette palette = client_->palette();
        palette.setColor(QPalette::Window, form.background);
        client_->setPalette(palette);
    }
    // The client area's Resize.
    client_->installEventFilter(this);

    for (const ControlRow& row : controls)
        controls_.push_back(controlKind(row.kind).make(*this, row));
    nameUncaptioned(controls, controls_);

    // The tab key follows TabIndex.
    std::vector<Control*> order;
    std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(order),
                 [](const Control* c) { return c->widget() && c->TabIndex() >= 0; });
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());

    menus_.build(*this, menus);
    place(form);
}

Form::~Form()
{
    // The controls go before the window closes: closing it moves the focus, and a control
    // would note where the focus was on a form that is no more.
    qDeleteAll(controls_);
    controls_.clear();
}

void Form::place(const FormRow& form)
{
    Qt::WindowFlags flags = Qt::Window;
    switch (form.border) {
    case Border::Sizable:
        break;
    case Border::FixedSingle:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
        break;
    case Border::None:
        flags |= Qt::FramelessWindowHint;
        break;
    }
    setWindowFlags(flags);

    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    const QSize size(px(form.width), px(form.height) + menuHeight);
    // Only a sizable frame lets the user change the size; a window without a frame has no
    // handles for it, and a window manager must not give it any either.
    if (form.border != Border::Sizable)
        setFixedSize(size);
    else
        resize(size);

    if (form.startUp == StartUp::CenterScreen) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            // Half of what is left on each side (QRect::center would round a pixel short).
            move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
        }
    } else {
        placeWindow(*this);
    }
}

Control* Form::find(const char* name) const
{
    const QString wanted = QString::fromLatin1(name);
    for (Control* c : controls_)
        if (c->Name() == wanted)
            return c;
    return nullptr;
}

void Form::missing(const char* name) const
{
    std::fprintf(stderr, "Form1 has no control or menu item %s of that kind\n", name);
    std::abort();
}

MenuItem& Form::menu(const char* name) const
{
    MenuItem* item = menus_.find(name);
    if (!item)
        missing(name);
    return *item;
}

int Form::ScaleWidth() const
{
    return twips(client_->width());
}

int Form::ScaleHeight() const
{
    return twips(client_->height());
}

void Form::PopupMenu(MenuItem& item)
{
    if (QMenu* m = item.submenu())
        popUpModal(*m, QCursor::pos());
}

void Form::Show()
{
    run(Load);
    // At its own size everywhere: the browser's platform would otherwise fill the page with a
    // program's first window.
    setVisible(true);
    started_ = true;
    run(Resize);
    std::vector<Control*> focusable;
    std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(focusable), takesFocus);
    const auto first = std::min_element(
        focusable.begin(), focusable.end(),
        [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    // The focus only arrives, and with it the first GotFocus, once the window is active; a
    // desktop without a window manager would never make it so.
    activateWindow();
    if (first != focusable.end())
        (*first)->SetFocus();
}

void Form::run(const std::function<void()>& handler)
{
    runTrapped(handler);
}

void Form::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && started_) {
        const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        // Minimising and restoring change no size of the client area, yet both are a Resize.
        if ((old & Qt::WindowMinimized) != (windowState() & Qt::WindowMinimized))
            run(Resize);
    }
    QMainWindow::changeEvent(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize && started_ &&
        !(windowState() & Qt::WindowMinimized))
        run(Resize);
    return QMainWindow::eventFilter(watched, event);
}

} // namespace forms
