#pragma once

#include <QObject>
#include <QPoint>

namespace forms {

class Form;

// Click and DblClick of a form come from its background alone: the part of the client area
// that no control covers. It watches the presses on the controls too: the toolkit pairs two
// clicks by time and place alone, so a double-click on the background may have begun on a
// control.
class BackgroundClicks : public QObject {
public:
    explicit BackgroundClicks(Form& form);
    ~BackgroundClicks() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isBackground(QPoint point) const;

    Form& form_;
    bool pressOnBackground_ = false;
    bool afterDoubleClick_ = false;
    // The last click was a Click on the background, so a double-click there completes it.
    bool clickedBackground_ = false;
};

} // namespace forms
