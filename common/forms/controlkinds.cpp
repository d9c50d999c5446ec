#include "forms/controlkinds.h"

#include "forms/controls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace forms {

namespace {

template <typename T> Control* make(Form& form, const ControlRow& row)
{
    return new T(form, row);
}

// One line per kind of control.
constexpr ControlKind kKinds[] = {
    {Kind::TextBox, make<TextBox>, Naming::ByCaptionLabel, false, nullptr},
    {Kind::CommandButton, make<CommandButton>, Naming::ByCaption, false, nullptr},
    {Kind::Label, make<Label>, Naming::ByCaption, true, nullptr},
    {Kind::ListBox, make<ListBox>, Naming::ByName, false, nullptr},
    {Kind::CheckBox, make<CheckBox>, Naming::ByCaption, false, CheckBox::accessible},
    {Kind::OptionButton, make<OptionButton>, Naming::ByCaption, false, OptionButton::accessible},
    {Kind::PictureBox, make<PictureBox>, Naming::ByName, false, nullptr},
    {Kind::Timer, make<TimerControl>, Naming::ByCaption, false, nullptr},
};

} // namespace

const ControlKind& controlKind(Kind kind)
{
    const auto* found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                     [kind](const ControlKind& k) { return k.kind == kind; });
    if (found == std::end(kKinds)) {
        std::fprintf(stderr, "control kind %d has no line in the table of kinds\n", int(kind));
        std::abort();
    }
    return *found;
}

std::span<const ControlKind> controlKinds()
{
    return kKinds;
}

} // namespace forms
