#pragma once

#include "forms/control.h"

#include <QString>

class QAccessibleInterface;
class QCheckBox;

namespace forms {

class CheckBox : public Control {
public:
    CheckBox(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    int Value() const; // 0 unchecked, 1 checked
    void setValue(int value);

    std::function<void()> Click;

    // Read by assistive technology as a check box.
    static QAccessibleInterface* accessible(QObject* object);

private:
    QCheckBox* box_;
};

} // namespace forms
