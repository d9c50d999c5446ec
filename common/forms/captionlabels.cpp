#include "forms/captionlabels.h"

#include "forms/control.h"
#include "forms/controlkinds.h"

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

void nameUncaptioned(std::span<const ControlRow> rows, const std::vector<Control*>& controls)
{
    for (std::size_t b = 0; b < rows.size(); ++b) {
        const Naming naming = controlKind(rows[b].kind).naming;
        if (naming == Naming::ByName)
            controls[b]->widget()->setAccessibleName(controls[b]->Name());
        if (naming != Naming::ByCaptionLabel)
            continue;
        QLabel* nearest = nullptr;
        int nearestGap = kLabelReach + 1;
        for (std::size_t l = 0; l < rows.size(); ++l) {
            auto* label = qobject_cast<QLabel*>(controls[l]->widget());
            const int gap =
                controlKind(rows[l].kind).isCaptionLabel ? labelGap(rows[l], rows[b]) : -1;
            if (label && !label->buddy() && gap >= 0 && gap < nearestGap) {
                nearest = label;
                nearestGap = gap;
            }
        }
        if (nearest)
            nearest->setBuddy(controls[b]->widget());
        else
            controls[b]->widget()->setAccessibleName(controls[b]->Name());
    }
}

} // namespace forms
