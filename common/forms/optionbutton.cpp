#include "forms/optionbutton.h"

#include "forms/accessibility.h"
#include "forms/form.h"
#include "forms/wholeareabutton.h"

#include <QRadioButton>

namespace forms {

OptionButton::OptionButton(Form& form, const ControlRow& row)
    : Control(form, row, new WholeAreaButton<QRadioButton>(&form.client()))
    , button_(static_cast<QRadioButton*>(widget()))
{
    button_->setText(row.text);
    QObject::connect(button_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fire(Click);
    });
}

QString OptionButton::Caption() const
{
    return button_->text();
}

void OptionButton::setCaption(const QString& caption)
{
    button_->setText(caption);
}

bool OptionButton::Value() const
{
    return button_->isChecked();
}

void OptionButton::setValue(bool selected)
{
    button_->setChecked(selected);
}

QAccessibleInterface* OptionButton::accessible(QObject* object)
{
    auto* button = qobject_cast<QRadioButton*>(object);
    return button ? accessibleButton(button, QAccessible::RadioButton) : nullptr;
}

} // namespace forms
