#pragma once

#include "forms/control.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace forms {

class TextBox : public Control {
public:
    TextBox(Form& form, const ControlRow& row);

    // The text; line breaks in a multi-line box are CR LF, typed ones included.
    QString Text() const;
    void setText(const QString& text);
    // The selection: its start (0 = before the first character), length and text. Setting
    // SelText replaces the selection, so with SelStart at the end it appends. What the program
    // writes into Text or SelText the user cannot undo, nor anything typed before it.
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
    void replaceSelection(const QString& text);
    void forgetEdits();
    QString widgetText() const;

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    mutable QString text_; // Text as CR LF, worked out again only after a change
    mutable bool stale_ = false;
    bool writing_ = false; // the program is changing the text
    QString lockedText_;   // a locked box's text as the program left it, in the widget's form
};

} // namespace forms
