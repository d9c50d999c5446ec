#pragma once

// The small controls: labels, list boxes, check boxes, option buttons, picture boxes, timers.
#include "forms/control.h"
#include "forms/surface.h"

#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QCheckBox;
class QRadioButton;
class QTimer;

namespace forms {

class Label : public Control {
public:
    Label(Form& form, const ControlRow& row);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }

private:
    void fontChanged() override;
    void fit();

    QLabel* label_;
    QString caption_;
    bool autoSize_;
};

class ListBox : public Control {
public:
    ListBox(Form& form, const ControlRow& row);

    void AddItem(const QString& item);
    int ListCount() const;
    QString List(int index) const; // from 0
    QStringList items() const;
    void Clear();

    std::function<void()> Click;

private:
    QListWidget* list_;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    int Value() const; // 0 unchecked, 1 checked
    void setValue(int value);

    std::function<void()> Click;

private:
    QCheckBox* box_;
};

// Option buttons of one window form one group: selecting one clears the others.
class OptionButton : public Control {
public:
    OptionButton(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    bool Value() const;
    void setValue(bool selected);

    // Raised when the button becomes the selected one.
    std::function<void()> Click;

private:
    QRadioButton* button_;
};

class PictureBox : public Control {
public:
    PictureBox(Form& form, const ControlRow& row);

    template <typename... Items> void Print(const Items&... items)
    {
        surface_->print({PrintPiece(items)...});
    }
    void Cls() { surface_->Cls(); }
    QStringList printedLines() const { return surface_->printedLines(); }
    Surface& surface() const { return *surface_; }

private:
    Surface* surface_;
};

class Timer : public Control {
public:
    Timer(Form& form, const ControlRow& row);

    int Interval() const;
    void setInterval(int ms);
    bool Enabled() const override;
    void setEnabled(bool enabled) override;

    // The Timer event: every Interval milliseconds while enabled.
    std::function<void()> Tick;

private:
    QTimer* timer_;
};

} // namespace forms
