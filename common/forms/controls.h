#pragma once

#include "forms/control.h"
#include "forms/surface.h"

#include <QString>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;
class QLabel;
class QListWidget;
class QCheckBox;
class QRadioButton;
class QTimer;

namespace forms {

class ButtonWidget;

class TextBox : public Control {
public:
    TextBox(Form& form, const ControlRow& row);

    // The text; line breaks in a multi-line box are CR LF, typed ones included.
    QString Text() const;
    void setText(const QString& text);
    // The selection: its start (0 = before the first character), length and text. Setting
    // SelText replaces the selection, so with SelStart at the end it appends.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);

    bool MultiLine() const { return multi_ != nullptr; }
    bool Locked() const;

    // Each change of Text after start, by the user or by the program.
    std::function<void()> Change;

private:
    void textEdited();
    void insertTyped(const QString& text) override;
    QString widgetText() const;

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    mutable QString text_; // Text as CR LF, worked out again only after a change
    mutable bool stale_ = false;
    bool writing_ = false; // the program is changing the text
    QString lockedText_;   // a locked box's text as the program left it, in the widget's form
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, const ControlRow& row);

    QString Caption() const;
    void setCaption(const QString& caption);
    // The caption's lines as drawn: its own line breaks, and a line too wide for the face
    // wrapped onto the next.
    QStringList shownLines() const;
    // Presses the button as a click would (the runtime's Value = True).
    void press();

    std::function<void()> Click;

private:
    void fontChanged() override;
    ButtonWidget* button_;
};

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
    // Raises the Timer event now, as the clock would.
    void fire();

private:
    QTimer* timer_;
};

} // namespace forms
