#pragma once

#include "forms/layout.h"
#include "runtime/numbers.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace forms {

class Form;

// What every control has: its name, place, font, enabled state and the events that any
// control can fire. Handlers are plain functions the program assigns; the control fires
// them inside its form's error trap.
class Control : public QObject {
public:
    Control(Form& form, const ControlRow& row, QWidget* widget);
    ~Control() override;

    QString Name() const { return objectName(); }
    int TabIndex() const { return tabIndex_; }
    QWidget* widget() const { return widget_; }
    Form& form() const { return form_; }

    virtual bool Enabled() const;
    virtual void setEnabled(bool enabled);
    bool Visible() const;
    // Position and size in twips, within the form's client area.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    QString FontName() const { return font_.name; }
    void setFontName(const QString& name);
    float FontSize() const { return font_.size; }
    // A size the toolkit cannot take (below 1 point, beyond 1000, not a number) is ignored.
    void setFontSize(float size);
    bool FontBold() const { return font_.weight >= 700; }
    const Font& font() const { return font_; }

    void SetFocus();

    std::function<void()> GotFocus;
    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips.
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    // The typed character's code; the handler may change it, and 0 drops the key.
    std::function<void(rt::Integer& keyAscii)> KeyPress;

protected:
    // Runs an event handler inside the form's error trap.
    void fire(const std::function<void()>& handler);
    // Also watch this widget (a scroll area's viewport) for the mouse.
    void watchMouse(QWidget* surface);
    virtual void fontChanged();
    // The character a KeyPress handler asked for instead of the typed one.
    virtual void insertTyped(const QString&) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form& form_;
    QPointer<QWidget> widget_;
    QWidget* mouseSurface_ = nullptr; // where the mouse is watched, when not the widget
    int tabIndex_;
    Font font_;
};

} // namespace forms
