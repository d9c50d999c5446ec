#pragma once

#include "forms/backgroundclicks.h"
#include "forms/controls.h"
#include "forms/layout.h"
#include "forms/menu.h"
#include "forms/surface.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <span>
#include <vector>

namespace forms {

// One program window, built from its layout tables. The client area is a print surface;
// the controls stand on it, the menu bar above it. The form holds the window, its controls
// and the error trap; its background clicks and its menus keep their own state.
class Form : public QMainWindow {
public:
    Form(const FormRow& form, std::span<const ControlRow> controls,
         std::span<const MenuRow> menus = {});
    ~Form() override;

    // The control or menu item of that name; asking for one the layout lacks is a fault
    // of the program, reported at once.
    template <typename T> T& control(const char* name) const
    {
        auto* c = dynamic_cast<T*>(find(name));
        if (!c)
            missing(name);
        return *c;
    }
    MenuItem& menu(const char* name) const;
    std::vector<Control*> controls() const { return controls_; }
    // The layout tables the window was built from.
    const FormRow& formRow() const { return formRow_; }
    std::span<const ControlRow> controlRows() const { return controlRows_; }
    std::span<const MenuRow> menuRows() const { return menuRows_; }

    QString Name() const { return QStringLiteral("Form1"); }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    QString FontName() const { return font_.name; }
    float FontSize() const { return font_.size; }
    // The client area in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    template <typename... Items> void Print(const Items&... items)
    {
        client_->print({PrintPiece(items)...});
    }
    void Cls() { client_->Cls(); }
    QStringList printedLines() const { return client_->printedLines(); }
    Surface& client() const { return *client_; }

    // Shows a menu's items at the mouse and returns when the menu closes.
    void PopupMenu(MenuItem& menu);

    // Start-up: Load, the window shows, Resize, then the focus goes to the focusable control
    // with the lowest TabIndex.
    void Show();

    // Runs a handler inside the error trap: a run-time error shows its message in a message
    // box and the program goes on.
    void run(const std::function<void()>& handler);

    // The control whose focus went with the window when it was last deactivated: its focus
    // coming back with the window is no new GotFocus.
    Control* focusAtDeactivation() const { return focusAtDeactivation_; }
    void setFocusAtDeactivation(Control* control) { focusAtDeactivation_ = control; }

    std::function<void()> Load;
    std::function<void()> Resize;
    std::function<void()> Click;    // on the background only
    std::function<void()> DblClick; // on the background only, after Click

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Control* find(const char* name) const;
    [[noreturn]] void missing(const char* name) const;
    void place(const FormRow& form);

    const FormRow& formRow_;
    std::span<const ControlRow> controlRows_;
    std::span<const MenuRow> menuRows_;
    Font font_;
    Surface* client_;
    BackgroundClicks backgroundClicks_;
    std::vector<Control*> controls_;
    Menus menus_;
    bool started_ = false;
    QPointer<Control> focusAtDeactivation_;
};

} // namespace forms
