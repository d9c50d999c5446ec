#pragma once

#include "forms/control.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace forms {

class ButtonWidget;

// The lines a button of the given width draws its caption in: the caption's own line breaks,
// and a line too wide for the font wrapped onto the next, at a blank or between Chinese
// characters where it can, anywhere where it must.
QStringList buttonCaptionLines(const QString& caption, const QFont& font, int buttonWidth);

class CommandButton : public Control {
public:
    CommandButton(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    // Setting Value to true clicks the button, as a click by the user would; false does
    // nothing, since a command button is never left pressed.
    void setValue(bool pressed);

    std::function<void()> Click;

private:
    void fontChanged() override;
    ButtonWidget* button_;
};

} // namespace forms
