#pragma once

#include "forms/layout.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <span>

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

// The window's menu items by name: the menu bar and its submenus, built from the menu table.
class Menus {
public:
    void build(Form& form, std::span<const MenuRow> rows);
    // nullptr when the table has no item of that name.
    MenuItem* find(const char* name) const;

private:
    std::map<QString, MenuItem*> items_;
};

} // namespace forms
