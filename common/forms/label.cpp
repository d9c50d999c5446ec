#include "forms/label.h"

#include "forms/form.h"
#include "forms/linebreaks.h"

#include <QLabel>

namespace forms {

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

} // namespace forms
