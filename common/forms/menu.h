#pragma once

#include "forms/layout.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace forms {

class Form;

// One item of the window's menu tree: on the menu bar, in a submenu, or a separator.
class MenuItem : public QObject {
public:
    MenuItem(Form& form, const MenuRow& row, QAction* action, QMenu* submenu);

    QString Name() const { return objectName(); }
    QString Caption() const;
    void setCaption(const QString& caption);
    bool Checked() const { return checked_; }
    void setChecked(bool checked);
    bool Visible() const;
    bool Enabled() const;
    void setEnabled(bool enabled);

    QAction* action() const { return action_; }
    QMenu* submenu() const { return submenu_; } // nullptr for an item without items

    std::function<void()> Click;

private:
    void triggered();

    Form& form_;
    QAction* action_;
    QMenu* submenu_;
    bool checked_ = false;
};

} // namespace forms
