#include "forms/smallcontrols.h"

#include "forms/form.h"
#include "forms/linebreaks.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace forms {

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
    QObject::connect(timer_, &QTimer::timeout, this, [this] { raise(Tick); });
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

} // namespace forms
