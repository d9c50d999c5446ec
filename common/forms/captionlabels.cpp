#include "forms/form.h"

#include <QLabel>

namespace forms {

namespace {

// How far a caption label may stand from the text box it names, in twips.
constexpr int kLabelReach = 240;

// The gap from the label to the box when the label stands just left of it or just above it,
// overlapping it across; -1 when the label does not name the box.
int labelGap(const ControlRow& label, const ControlRow& box)
{
    const bool acrossRows = label.top < box.top + box.height && box.top < label.top + label.height;
    const bool acrossColumns =
        label.left < box.left + box.width && box.left < label.left + label.width;
    const int leftGap = box.left - (label.left + label.width);
    const int topGap = box.top - (label.top + label.height);
    if (acrossRows && leftGap >= 0 && leftGap <= kLabelReach)
        return leftGap;
    if (acrossColumns && topGap >= 0 && topGap <= kLabelReach)
        return topGap;
    return -1;
}

} // namespace

void Form::nameUncaptioned(std::span<const ControlRow> rows)
{
    for (std::size_t b = 0; b < rows.size(); ++b) {
        const Kind kind = rows[b].kind;
        if (kind == Kind::ListBox || kind == Kind::PictureBox)
            controls_[b]->widget()->setAccessibleName(controls_[b]->Name());
        if (kind != Kind::TextBox)
            continue;
        QLabel* nearest = nullptr;
        int nearestGap = kLabelReach + 1;
        for (std::size_t l = 0; l < rows.size(); ++l) {
            auto* label = qobject_cast<QLabel*>(controls_[l]->widget());
            const int gap = rows[l].kind == Kind::Label ? labelGap(rows[l], rows[b]) : -1;
            if (label && !label->buddy() && gap >= 0 && gap < nearestGap) {
                nearest = label;
                nearestGap = gap;
            }
        }
        if (nearest)
            nearest->setBuddy(controls_[b]->widget());
        else
            controls_[b]->widget()->setAccessibleName(controls_[b]->Name());
    }
}

} // namespace forms
