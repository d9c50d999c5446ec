#include "forms/listbox.h"

#include "forms/form.h"
#include "runtime/error.h"

#include <QListWidget>

namespace forms {

ListBox::ListBox(Form& form, const ControlRow& row)
    : Control(form, row, new QListWidget(&form.client()))
    , list_(static_cast<QListWidget*>(widget()))
{
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    watchMouse(list_->viewport());
    QObject::connect(list_, &QListWidget::itemClicked, this, [this] { fire(Click); });
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

} // namespace forms
