#pragma once

#include <QAccessible>
#include <QString>

class QAbstractButton;

namespace forms {

class Surface;

// What assistive technology (screen readers, GUI-testing tools) sees of the windows beyond
// what Qt's own widgets tell it: the text printed on a form or a picture box; and a button's
// press action that clicks at once.
void installAccessibility();

// Tells assistive technology that the printed text of a surface changed from what it was.
void announceChange(Surface& surface, const QString& before);

// A form's button as assistive technology sees it, in the given role (a push button, a check
// box, an option button).
QAccessibleInterface* accessibleButton(QAbstractButton* button, QAccessible::Role role);

} // namespace forms
