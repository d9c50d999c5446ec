#include "forms/menu.h"

#include "forms/form.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace forms {

MenuItem::MenuItem(Form& form, const MenuRow& row, QAction* action, QMenu* submenu)
    : QObject(&form)
    , form_(form)
    , action_(action)
    , submenu_(submenu)
{
    setObjectName(QString::fromLatin1(row.name));
    action_->setObjectName(objectName());
    if (submenu_)
        submenu_->setObjectName(objectName());
    action_->setVisible(row.visible);
    QObject::connect(action_, &QAction::triggered, this, [this] { triggered(); });
}

QString MenuItem::Caption() const
{
    return action_->isSeparator() ? QStringLiteral("-") : action_->text();
}

void MenuItem::setCaption(const QString& caption)
{
    action_->setText(caption);
}

void MenuItem::setChecked(bool checked)
{
    checked_ = checked;
    // Only a checked item is checkable, so an unchecked one shows no empty box.
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

bool MenuItem::Visible() const
{
    return action_->isVisible();
}

bool MenuItem::Enabled() const
{
    return action_->isEnabled();
}

void MenuItem::setEnabled(bool enabled)
{
    action_->setEnabled(enabled);
}

void MenuItem::triggered()
{
    // Choosing an item never changes its check mark by itself; only the program does.
    if (action_->isChecked() != checked_)
        action_->setChecked(checked_);
    form_.run(Click);
}

MenuItem* Menus::find(const char* name) const
{
    const auto it = items_.find(QString::fromLatin1(name));
    return it == items_.end() ? nullptr : it->second;
}

void Menus::build(Form& form, std::span<const MenuRow> menus)
{
    auto hasItems = [&](const char* name) {
        return std::any_of(menus.begin(), menus.end(), [&](const MenuRow& r) {
            return r.parent && qstrcmp(r.parent, name) == 0;
        });
    };
    for (const MenuRow& row : menus) {
        QMenu* parentMenu = nullptr;
        if (row.parent) {
            parentMenu = form.menu(row.parent).submenu();
            if (!parentMenu) {
                std::fprintf(stderr, "menu %s has no items of its own\n", row.parent);
                std::abort();
            }
        }
        QAction* action = nullptr;
        QMenu* submenu = nullptr;
        if (hasItems(row.name)) {
            submenu = new QMenu(row.caption, &form);
            action = parentMenu ? parentMenu->addMenu(submenu) : form.menuBar()->addMenu(submenu);
        } else if (row.caption == u"-"_s) {
            action = parentMenu ? parentMenu->addSeparator() : form.menuBar()->addSeparator();
        } else {
            action = parentMenu ? parentMenu->addAction(row.caption)
                                : form.menuBar()->addAction(row.caption);
        }
        if (!row.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(row.shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
            form.addAction(action); // a shortcut works while its menu is closed
        }
        items_[QString::fromLatin1(row.name)] = new MenuItem(form, row, action, submenu);
    }
}

} // namespace forms
