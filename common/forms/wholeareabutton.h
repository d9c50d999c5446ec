#pragma once

#include <QPoint>

namespace forms {

// A check box or option button that takes a click anywhere in its rectangle, not only on
// its box and caption.
template <typename Button> class WholeAreaButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

} // namespace forms
