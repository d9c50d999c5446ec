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
    {Kind::TextBox, "TextBox", make<TextBox>, Naming::ByCaptionLabel, false, nullptr},
    {Kind::CommandButton, "CommandButton", make<CommandButton>, Naming::ByCaption, false, nullptr},
    {Kind::Label, "Label", make<Label>, Naming::ByCaption, true, nullptr},
    {Kind::ListBox, "ListBox", make<ListBox>, Naming::ByName, false, nullptr},
    {Kind::CheckBox, "CheckBox", make<CheckBox>, Naming::ByCaption, false, CheckBox::accessible},
    {Kind::OptionButton, "OptionButton", make<OptionButton>, Naming::ByCaption, false,
     OptionButton::accessible},
    {Kind::PictureBox, "PictureBox", make<PictureBox>, Naming::ByName, false, nullptr},
    {Kind::Timer, "Timer", make<TimerControl>, Naming::ByCaption, false, nullptr},
};

// Every kind has its line above, which the compiler holds to: a kind added to Kind without its
// case here does not compile (-Wswitch-enum, an error in this file, wants a case for every
// kind even beside a default), and the check below wants a line for every kind named here.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch-enum"
constexpr bool isKind(Kind kind)
{
    switch (kind) {
    case Kind::TextBox:
    case Kind::CommandButton:
    case Kind::Label:
    case Kind::ListBox:
    case Kind::CheckBox:
    case Kind::OptionButton:
    case Kind::PictureBox:
    case Kind::Timer:
        return true;
    default: // a value of the type that no kind has
        return false;
    }
}
#pragma GCC diagnostic pop

constexpr bool everyKindHasItsLine()
{
    for (int value = 0; value < 256; ++value) {
        const auto kind = static_cast<Kind>(value);
        if (isKind(kind) && std::none_of(std::begin(kKinds), std::end(kKinds),
                                         [kind](const ControlKind& k) { return k.kind == kind; }))
            return false;
    }
    return true;
}
static_assert(everyKindHasItsLine(), "a kind of control has no line in the table of kinds");

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
