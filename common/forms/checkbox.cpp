#include "forms/checkbox.h"

#include "forms/accessibility.h"
#include "forms/form.h"
#include "forms/wholeareabutton.h"

#include <QCheckBox>

namespace forms {

CheckBox::CheckBox(Form& form, const ControlRow& row)
    : Control(form, row, new WholeAreaButton<QCheckBox>(&form.client()))
    , box_(static_cast<QCheckBox*>(widget()))
{
    box_->setText(row.text);
    // Every change of the value is a Click, once: by the mouse, the keyboard, the program or an
    // accessibility client.
    QObject::connect(box_, &QCheckBox::toggled, this, [this] { fire(Click); });
}

QString CheckBox::Caption() const
{
    return box_->text();
}

void CheckBox::setCaption(const QString& caption)
{
    box_->setText(caption);
}

int CheckBox::Value() const
{
    return box_->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value)
{
    box_->setChecked(value != 0);
}

QAccessibleInterface* CheckBox::accessible(QObject* object)
{
    auto* button = qobject_cast<QCheckBox*>(object);
    return button ? accessibleButton(button, QAccessible::CheckBox) : nullptr;
}

} // namespace forms
