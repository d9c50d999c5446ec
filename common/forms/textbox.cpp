#include "forms/textbox.h"

#include "forms/form.h"
#include "forms/linebreaks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// The text a paste or a drop offers; empty when it offers none.
QString offeredText(const QMimeData* source)
{
    return source ? source->text() : QString();
}

// The toolkit's multi-line box looks at the first format of what is pasted without asking
// whether there is one; a clipboard nobody owns (a fresh X session) has none, and the paste
// would end the program. A box of plain text takes only the text, and no text is no paste.
class MultiLineEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override
    {
        return !offeredText(source).isEmpty();
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        const QString text = offeredText(source);
        if (text.isEmpty())
            return;
        QMimeData plain;
        plain.setText(text);
        QPlainTextEdit::insertFromMimeData(&plain);
    }
};

// The toolkit's single-line box pastes no text over the selection and so deletes it.
class SingleLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Paste) &&
            QGuiApplication::clipboard()->text(pasteMode(event)).isEmpty()) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    // Ctrl+Shift+Insert pastes the selection where there is one (X11), as the toolkit does.
    static QClipboard::Mode pasteMode(const QKeyEvent* event)
    {
        const bool selection = event->key() == Qt::Key_Insert &&
                               event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                               QGuiApplication::clipboard()->supportsSelection();
        return selection ? QClipboard::Selection : QClipboard::Clipboard;
    }
};

} // namespace

// TextBox

TextBox::TextBox(Form& form, const ControlRow& row)
    : Control(form, row,
              row.style & Style::MultiLine
                  ? static_cast<QWidget*>(new MultiLineEdit(&form.client()))
                  : static_cast<QWidget*>(new SingleLineEdit(&form.client())))
{
    multi_ = qobject_cast<QPlainTextEdit*>(widget());
    line_ = qobject_cast<QLineEdit*>(widget());
    // The box's own context menu never shows: a program's MouseDown owns the right button.
    widget()->setContextMenuPolicy(Qt::PreventContextMenu);
    if (multi_) {
        multi_->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
        multi_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // Lines break between words; a word breaks only where it cannot fit on a line alone.
        multi_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        multi_->setVerticalScrollBarPolicy(row.style & Style::VScroll ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
        multi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        multi_->setTabChangesFocus(true);
        multi_->setPlainText(toWidget(row.text));
        multi_->setReadOnly(row.style & Style::Locked);
        if (row.style & Style::Locked)
            multi_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
        watchMouse(multi_->viewport());
        QObject::connect(multi_, &QPlainTextEdit::textChanged, this, [this] { textEdited(); });
    } else {
        line_->setText(row.text);
        line_->setReadOnly(row.style & Style::Locked);
        QObject::connect(line_, &QLineEdit::textChanged, this, [this] { textEdited(); });
    }
    text_ = row.text;
    lockedText_ = widgetText();
}

QString TextBox::widgetText() const
{
    return multi_ ? multi_->toPlainText() : line_->text();
}

void TextBox::textEdited()
{
    if (Locked()) {
        if (!writing_) {
            // Only the program writes into a locked box: an edit that came another way (an
            // accessibility client, an input method) is put back.
            const QSignalBlocker quiet(widget());
            multi_ ? multi_->setPlainText(lockedText_) : line_->setText(lockedText_);
            return;
        }
        lockedText_ = widgetText();
    }
    stale_ = true;
    fire(Change);
}

QString TextBox::Text() const
{
    if (stale_) {
        text_ = multi_ ? fromWidget(multi_->toPlainText()) : line_->text();
        stale_ = false;
    }
    return text_;
}

void TextBox::setText(const QString& text)
{
    if (text == Text())
        return; // the same text is no change
    const QScopedValueRollback writing(writing_, true);
    if (line_) {
        line_->setText(text);
        return;
    }
    multi_->setPlainText(toWidget(text));
    multi_->moveCursor(QTextCursor::Start);
}

bool TextBox::Locked() const
{
    return multi_ ? multi_->isReadOnly() : line_->isReadOnly();
}

// Positions within the widget count LF line breaks once; the text's count them as CR LF.
namespace {

int toTextPosition(const QString& widgetText, int widgetPos)
{
    return widgetPos + int(widgetText.left(widgetPos).count(u'\n'));
}

int toWidgetPosition(const QString& widgetText, int textPos)
{
    int crlf = 0;
    int pos = 0;
    while (pos < widgetText.size() && pos + crlf < textPos) {
        if (widgetText[pos] == u'\n') {
            if (pos + crlf + 1 >= textPos)
                break; // a position between CR and LF stands before the break
            ++crlf;
        }
        ++pos;
    }
    return pos;
}

} // namespace

int TextBox::SelStart() const
{
    if (line_)
        return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    const QTextCursor c = multi_->textCursor();
    return toTextPosition(multi_->toPlainText(), c.selectionStart());
}

void TextBox::setSelStart(int start)
{
    start = std::clamp(start, 0, int(Text().size()));
    if (line_) {
        line_->setCursorPosition(start);
        return;
    }
    QTextCursor c = multi_->textCursor();
    const int at = toWidgetPosition(multi_->toPlainText(), start);
    c.setPosition(std::min(at, multi_->document()->characterCount() - 1));
    multi_->setTextCursor(c);
}

int TextBox::SelLength() const
{
    return int(SelText().size());
}

void TextBox::setSelLength(int length)
{
    const int start = SelStart();
    const int end = std::clamp(start + std::max(length, 0), start, int(Text().size()));
    if (line_) {
        line_->setSelection(start, end - start);
        return;
    }
    const QString plain = multi_->toPlainText();
    QTextCursor c = multi_->textCursor();
    c.setPosition(toWidgetPosition(plain, start));
    c.setPosition(toWidgetPosition(plain, end), QTextCursor::KeepAnchor);
    multi_->setTextCursor(c);
}

QString TextBox::SelText() const
{
    if (line_)
        return line_->selectedText();
    return fromWidget(multi_->textCursor().selectedText());
}

void TextBox::setSelText(const QString& text)
{
    const QScopedValueRollback writing(writing_, true);
    replaceSelection(text);
    forgetEdits();
}

void TextBox::replaceSelection(const QString& text)
{
    if (line_) {
        line_->insert(text);
        return;
    }
    multi_->textCursor().insertText(toWidget(text));
}

// What the program wrote is no step to undo: undoing the user's steps before it would take it
// back too. (Setting the whole text forgets them already.)
void TextBox::forgetEdits()
{
    if (multi_) {
        multi_->document()->clearUndoRedoStacks();
        return;
    }
    // A single-line box forgets them only when its text is set, which moves the cursor to the
    // end; the same text again fires no Change.
    const int cursor = line_->cursorPosition();
    line_->setText(line_->text());
    line_->setCursorPosition(cursor);
}

void TextBox::insertTyped(const QString& text)
{
    if (Locked())
        return;
    replaceSelection(text); // typed, though changed by KeyPress: the user's to undo
}

} // namespace forms
