#include "forms/commandbutton.h"

#include "forms/form.h"
#include "forms/linebreaks.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// A caption line too wide for the face wraps there.
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

QStringList buttonCaptionLines(const QString& caption, const QFont& font, int buttonWidth)
{
    QStringList lines;
    for (const QString& line : captionLines(caption))
        lines << wrapped(line, font, buttonWidth - 2 * kCaptionMargin);
    return lines;
}

// CommandButton

// A push button that draws its caption lines centred, a graphical button's picture above
// them, and a vertical-writing face turned a quarter turn.
class ButtonWidget : public QPushButton {
public:
    explicit ButtonWidget(QWidget* parent)
        : QPushButton(parent)
    {
    }

    QString caption;
    QPixmap picture;
    bool vertical = false;

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

        // A turned caption does not wrap.
        const QStringList lines =
            vertical ? captionLines(caption) : buttonCaptionLines(caption, font(), width());
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
    QObject::connect(button_, &QPushButton::clicked, this, [this] { fire(Click); });
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

void CommandButton::setValue(bool pressed)
{
    if (pressed)
        button_->click();
}

void CommandButton::fontChanged()
{
    Control::fontChanged();
    button_->vertical = isVertical(font().name);
    button_->update();
}

} // namespace forms
