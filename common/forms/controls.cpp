#include "forms/controls.h"

#include "forms/form.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// Captions and texts hold CR LF; the widgets want LF.
QString toWidget(const QString& text)
{
    QString s = text;
    s.replace(u"\r\n"_s, u"\n"_s);
    s.replace(u'\r', u'\n');
    return s;
}

QString fromWidget(const QString& text)
{
    QString s = text;
    s.replace(QChar::ParagraphSeparator, u'\n');
    s.replace(u"\n"_s, u"\r\n"_s);
    return s;
}

// A caption's lines; a caption that ends with a line break has an empty last line.
QStringList captionLines(const QString& caption)
{
    return toWidget(caption).split(u'\n');
}

// A caption line too wide for the face wraps there, as a button's caption always has: at a
// blank or between Chinese characters where it can, anywhere where it must.
QStringList wrapped(const QString& line, const QFont& font, int width)
{
    if (width <= 0 || QFontMetrics(font).horizontalAdvance(line) <= width)
        return {line};
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(width);
        QString part = line.mid(l.textStart(), l.textLength());
        while (part.endsWith(u' '))
            part.chop(1);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

// Room left for the caption between a button's edges.
constexpr int kCaptionMargin = 3;

} // namespace

// TextBox

TextBox::TextBox(Form& form, const ControlRow& row)
    : Control(form, row,
              row.style & Style::MultiLine
                  ? static_cast<QWidget*>(new QPlainTextEdit(&form.client()))
                  : static_cast<QWidget*>(new QLineEdit(&form.client())))
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
    raise(Change);
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
    if (line_) {
        line_->insert(text);
        return;
    }
    multi_->textCursor().insertText(toWidget(text));
}

void TextBox::insertTyped(const QString& text)
{
    if (Locked())
        return;
    setSelText(text);
}

// CommandButton

// A push button that draws its caption lines centred, a graphical button's picture above
// them, and a vertical-writing face turned a quarter turn.
class ButtonWidget : public QPushButton {
public:
    ButtonWidget(QWidget* parent)
        : QPushButton(parent)
    {
    }

    QString caption;
    QPixmap picture;
    bool vertical = false;

    QStringList shownLines() const
    {
        if (vertical)
            return captionLines(caption);
        QStringList lines;
        for (const QString& line : captionLines(caption))
            lines << wrapped(line, font(), width() - 2 * kCaptionMargin);
        return lines;
    }

protected:
    // Enter presses the button that has the focus, as Space does; it is no default button,
    // so Enter elsewhere in the window does not reach it.
    void keyPressEvent(QKeyEvent* e) override
    {
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!e->isAutoRepeat())
                click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);

        const QStringList lines = shownLines();
        const QFontMetrics metrics(font());
        const int lineHeight = metrics.height();
        const int textHeight = lineHeight * int(lines.size());
        // The picture's size in the widget's pixels, by its own ratio, whatever the screen's.
        const QSize pictureSize = picture.deviceIndependentSize().toSize();
        int y = (height() - textHeight - pictureSize.height()) / 2;
        if (isDown()) // the caption moves with the pressed face
            p.translate(1, 1);
        if (!picture.isNull()) {
            p.drawPixmap((width() - pictureSize.width()) / 2, y, picture);
            y += pictureSize.height();
        }
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
        for (const QString& line : lines) {
            const QRect box(0, y, width(), lineHeight);
            if (vertical) {
                // Turned a quarter turn clockwise about the line's centre.
                p.save();
                p.translate(box.center());
                p.rotate(90);
                const int w = metrics.horizontalAdvance(line);
                p.drawText(QRect(-w / 2 - 1, -lineHeight / 2, w + 2, lineHeight), Qt::AlignCenter,
                           line);
                p.restore();
            } else {
                p.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, line);
            }
            y += lineHeight;
        }
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }
};

CommandButton::CommandButton(Form& form, const ControlRow& row)
    : Control(form, row, new ButtonWidget(&form.client()))
    , button_(static_cast<ButtonWidget*>(widget()))
{
    button_->setAutoDefault(false);
    button_->setDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    if ((row.style & Style::Graphical) && !row.picture.isEmpty())
        button_->picture = QPixmap(row.picture);
    button_->vertical = isVertical(row.font.name);
    setCaption(row.text);
    QObject::connect(button_, &QPushButton::clicked, this, [this] { raise(Click); });
}

QString CommandButton::Caption() const
{
    return button_->caption;
}

void CommandButton::setCaption(const QString& caption)
{
    button_->caption = caption;
    // What the accessibility interface reads; the drawing is the button's own.
    button_->setAccessibleName(toWidget(caption).replace(u'\n', u' ').trimmed());
    button_->update();
}

QStringList CommandButton::shownLines() const
{
    return button_->shownLines();
}

void CommandButton::press()
{
    button_->click();
}

void CommandButton::fontChanged()
{
    Control::fontChanged();
    button_->vertical = isVertical(font().name);
    button_->update();
}

// Label

Label::Label(Form& form, const ControlRow& row)
    : Control(form, row, new QLabel(&form.client()))
    , label_(static_cast<QLabel*>(widget()))
    , autoSize_(row.style & Style::AutoSize)
{
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(!autoSize_);
    label_->setTextFormat(Qt::PlainText);
    setCaption(row.text);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    label_->setText(toWidget(caption));
    fit();
}

void Label::fontChanged()
{
    Control::fontChanged();
    fit();
}

void Label::fit()
{
    if (!autoSize_)
        return;
    // Grows right and down from its top-left corner.
    label_->resize(label_->sizeHint());
}

// ListBox

ListBox::ListBox(Form& form, const ControlRow& row)
    : Control(form, row, new QListWidget(&form.client()))
    , list_(static_cast<QListWidget*>(widget()))
{
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    watchMouse(list_->viewport());
    QObject::connect(list_, &QListWidget::itemClicked, this, [this] { raise(Click); });
}

void ListBox::AddItem(const QString& item)
{
    list_->addItem(item);
}

int ListBox::ListCount() const
{
    return list_->count();
}

QString ListBox::List(int index) const
{
    if (index < 0 || index >= list_->count())
        rt::raise(rt::ErrorCode::InvalidCall);
    return list_->item(index)->text();
}

QStringList ListBox::items() const
{
    QStringList all;
    for (int i = 0; i < list_->count(); ++i)
        all << list_->item(i)->text();
    return all;
}

void ListBox::Clear()
{
    list_->clear();
}

// A check box or option button that takes a click anywhere in its rectangle, not only on
// its box and caption.
template <typename Button> class WholeAreaButton : public Button {
public:
    using Button::Button;

protected:
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

// CheckBox

CheckBox::CheckBox(Form& form, const ControlRow& row)
    : Control(form, row, new WholeAreaButton<QCheckBox>(&form.client()))
    , box_(static_cast<QCheckBox*>(widget()))
{
    box_->setText(row.text);
    // Every change of the value is a Click, once: by the mouse, the keyboard, the program or an
    // accessibility client.
    QObject::connect(box_, &QCheckBox::toggled, this, [this] { raise(Click); });
}

QString CheckBox::Caption() const
{
    return box_->text();
}

void CheckBox::setCaption(const QString& caption)
{
    box_->setText(caption);
}

int CheckBox::Value() const
{
    return box_->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value)
{
    box_->setChecked(value != 0);
}

// OptionButton

OptionButton::OptionButton(Form& form, const ControlRow& row)
    : Control(form, row, new WholeAreaButton<QRadioButton>(&form.client()))
    , button_(static_cast<QRadioButton*>(widget()))
{
    button_->setText(row.text);
    QObject::connect(button_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            raise(Click);
    });
}

QString OptionButton::Caption() const
{
    return button_->text();
}

void OptionButton::setCaption(const QString& caption)
{
    button_->setText(caption);
}

bool OptionButton::Value() const
{
    return button_->isChecked();
}

void OptionButton::setValue(bool selected)
{
    button_->setChecked(selected);
}

// PictureBox

PictureBox::PictureBox(Form& form, const ControlRow& row)
    : Control(form, row, new Surface(&form.client()))
    , surface_(static_cast<Surface*>(widget()))
{
    surface_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    surface_->setLineWidth(2);
    surface_->setFocusPolicy(Qt::StrongFocus);
}

// Timer

Timer::Timer(Form& form, const ControlRow& row)
    : Control(form, row, nullptr)
    , timer_(new QTimer(this))
{
    timer_->setInterval(row.interval);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { fire(); });
    if (row.interval > 0)
        timer_->start();
}

int Timer::Interval() const
{
    return timer_->interval();
}

void Timer::setInterval(int ms)
{
    timer_->setInterval(ms);
    if (ms <= 0)
        timer_->stop();
}

bool Timer::Enabled() const
{
    return timer_->isActive();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled && timer_->interval() > 0)
        timer_->start();
    else
        timer_->stop();
}

void Timer::fire()
{
    raise(Tick);
}

} // namespace forms
