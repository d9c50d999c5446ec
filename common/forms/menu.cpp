#include "forms/menu.h"

#include "forms/form.h"

#include <QAction>
#include <QMenu>

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

void MenuItem::setVisible(bool visible)
{
    action_->setVisible(visible);
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

} // namespace forms
