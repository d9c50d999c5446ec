#pragma once

#include "forms/control.h"

#include <QString>
#include <QStringList>

class QListWidget;

namespace forms {

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

} // namespace forms
