#include "forms/form.h"

#include "forms/forms.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

Control* makeControl(Form& form, const ControlRow& row)
{
    switch (row.kind) {
    case Kind::TextBox:
        return new TextBox(form, row);
    case Kind::CommandButton:
        return new CommandButton(form, row);
    case Kind::Label:
        return new Label(form, row);
    case Kind::ListBox:
        return new ListBox(form, row);
    case Kind::CheckBox:
        return new CheckBox(form, row);
    case Kind::OptionButton:
        return new OptionButton(form, row);
    case Kind::PictureBox:
        return new PictureBox(form, row);
    case Kind::Timer:
        return new Timer(form, row);
    }
    return nullptr;
}

// How far a caption label may stand from the text box it names, in twips.
constexpr int kLabelReach = 240;

// The gap from the label to the box when the label stands just left of it or just above it,
// overlapping it across; -1 when the label does not name the box.
int labelGap(const ControlRow& label, const ControlRow& box)
{
    const bool acrossRows = label.top < box.top + box.height && box.top < label.top + label.height;
    const bool acrossColumns =
        label.left < box.left + box.width && box.left < label.left + label.width;
    const int leftGap = box.left - (label.left + label.width);
    const int topGap = box.top - (label.top + label.height);
    if (acrossRows && leftGap >= 0 && leftGap <= kLabelReach)
        return leftGap;
    if (acrossColumns && topGap >= 0 && topGap <= kLabelReach)
        return topGap;
    return -1;
}

bool takesFocus(const Control* c)
{
    const QWidget* w = c->widget();
    return w && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden();
}

} // namespace

Form::Form(const FormRow& form, std::span<const ControlRow> controls,
           std::span<const MenuRow> menus)
    : font_(form.font)
    , client_(new Surface(this))
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
    // The client area's events, and the presses on the controls too: the toolkit pairs two
    // clicks by time and place alone, so a double-click on the background may have begun on a
    // control.
    qApp->installEventFilter(this);

    for (const ControlRow& row : controls)
        controls_.push_back(makeControl(*this, row));
    nameUncaptioned(controls);

    // The tab key follows TabIndex.
    std::vector<Control*> order;
    std::copy_if(controls_.begin(), controls_.end(), std::back_inserter(order),
                 [](const Control* c) { return c->widget() && c->TabIndex() >= 0; });
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());

    buildMenus(menus);
    place(form);
}

Form::~Form()
{
    qApp->removeEventFilter(this);
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
    }
}

void Form::nameUncaptioned(std::span<const ControlRow> rows)
{
    for (std::size_t b = 0; b < rows.size(); ++b) {
        const Kind kind = rows[b].kind;
        if (kind == Kind::ListBox || kind == Kind::PictureBox)
            controls_[b]->widget()->setAccessibleName(controls_[b]->Name());
        if (kind != Kind::TextBox)
            continue;
        QLabel* nearest = nullptr;
        int nearestGap = kLabelReach + 1;
        for (std::size_t l = 0; l < rows.size(); ++l) {
            auto* label = qobject_cast<QLabel*>(controls_[l]->widget());
            const int gap = rows[l].kind == Kind::Label ? labelGap(rows[l], rows[b]) : -1;
            if (label && !label->buddy() && gap >= 0 && gap < nearestGap) {
                nearest = label;
                nearestGap = gap;
            }
        }
        if (nearest)
            nearest->setBuddy(controls_[b]->widget());
        else
            controls_[b]->widget()->setAccessibleName(controls_[b]->Name());
    }
}

void Form::buildMenus(std::span<const MenuRow> menus)
{
    auto hasItems = [&](const char* name) {
        return std::any_of(menus.begin(), menus.end(), [&](const MenuRow& r) {
            return r.parent && qstrcmp(r.parent, name) == 0;
        });
    };
    for (const MenuRow& row : menus) {
        QMenu* parentMenu = nullptr;
        if (row.parent) {
            parentMenu = menu(row.parent).submenu();
            if (!parentMenu) {
                std::fprintf(stderr, "menu %s has no items of its own\n", row.parent);
                std::abort();
            }
        }
        QAction* action = nullptr;
        QMenu* submenu = nullptr;
        if (hasItems(row.name)) {
            submenu = new QMenu(row.caption, this);
            action = parentMenu ? parentMenu->addMenu(submenu) : menuBar()->addMenu(submenu);
        } else if (row.caption == u"-"_s) {
            action = parentMenu ? parentMenu->addSeparator() : menuBar()->addSeparator();
        } else {
            action =
                parentMenu ? parentMenu->addAction(row.caption) : menuBar()->addAction(row.caption);
        }
        if (!row.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(row.shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action); // a shortcut works while its menu is closed
        }
        menus_[QString::fromLatin1(row.name)] = new MenuItem(*this, row, action, submenu);
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
    const auto it = menus_.find(QString::fromLatin1(name));
    if (it == menus_.end())
        missing(name);
    return *it->second;
}

int Form::ScaleWidth() const
{
    return client_->width() * 15;
}

int Form::ScaleHeight() const
{
    return client_->height() * 15;
}

void Form::PopupMenu(MenuItem& item)
{
    if (QMenu* m = item.submenu())
        m->exec(QCursor::pos());
}

void Form::Show()
{
    run(Load);
    show();
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
    if (!handler)
        return;
    try {
        handler();
    } catch (const rt::Error& e) {
        MsgBox(e.message());
    } catch (const std::exception& e) {
        MsgBox(u"内部错误："_s + QString::fromUtf8(e.what()));
    }
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
