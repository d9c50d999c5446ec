#pragma once

#include "forms/layout.h"

#include <span>
#include <vector>

namespace forms {

class Control;

// Names a control that has no caption of its own for a screen reader, as its kind says: by its
// caption label (a text box: the label just left of it or just above it becomes its buddy),
// else by its name. controls[i] was made from rows[i].
void nameUncaptioned(std::span<const ControlRow> rows, const std::vector<Control*>& controls);

} // namespace forms
