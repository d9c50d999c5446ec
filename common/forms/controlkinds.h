#pragma once

#include "forms/layout.h"

#include <span>

class QAccessibleInterface;
class QObject;

namespace forms {

class Control;
class Form;

// How a screen reader knows a control by name.
enum class Naming {
    ByCaption,      // its own caption, or it has no widget to name
    ByName,         // its name
    ByCaptionLabel, // the caption label just left of it or just above it, else its name
};

// What the form runtime knows of one kind of control beyond its class.
struct ControlKind {
    Kind kind;
    const char* name; // as the layout tables and the build's layout dump name it
    Control* (*make)(Form& form, const ControlRow& row);
    Naming naming;
    bool isCaptionLabel; // it can name a control that is named ByCaptionLabel
    // For a button of a form: the interface assistive technology reads when the button is
    // of this kind, else nullptr. nullptr here: the kind's buttons read as push buttons.
    QAccessibleInterface* (*accessible)(QObject* object);
};

// The row of the table for that kind; one missing from the table is a fault, reported at once.
const ControlKind& controlKind(Kind kind);
std::span<const ControlKind> controlKinds();

} // namespace forms
