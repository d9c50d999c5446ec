#pragma once

#include "forms/control.h"

#include <QString>
#include <QStringList>

namespace forms {

class ButtonWidget;

class CommandButton : public Control {
public:
    CommandButton(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    // The caption's lines as drawn: its own line breaks, and a line too wide for the face
    // wrapped onto the next.
    QStringList shownLines() const;
    // Setting Value to true clicks the button, as a click by the user would; false does
    // nothing, since a command button is never left pressed.
    void setValue(bool pressed);

    std::function<void()> Click;

private:
    void fontChanged() override;
    ButtonWidget* button_;
};

} // namespace forms
