#pragma once

#include "forms/control.h"

#include <QString>

class QAccessibleInterface;
class QRadioButton;

namespace forms {

// Option buttons of one window form one group: selecting one clears the others.
class OptionButton : public Control {
public:
    OptionButton(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    bool Value() const;
    void setValue(bool selected);

    // Fired when the button becomes the selected one.
    std::function<void()> Click;

    // Read by assistive technology as a option button.
    static QAccessibleInterface* accessible(QObject* object);

private:
    QRadioButton* button_;
};

} // namespace forms
