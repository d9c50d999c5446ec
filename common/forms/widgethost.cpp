#include "forms/widgethost.h"

#include "forms/forms.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace forms {

int WidgetHost::msgBox(const QString& prompt, int buttons, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (buttons == vbYesNo) {
        QPushButton* yes = box.addButton(u"是"_s, QMessageBox::YesRole);
        QPushButton* no = box.addButton(u"否"_s, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? vbYes : vbNo;
    }
    QPushButton* ok = box.addButton(u"确定"_s, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return vbOK;
}

void WidgetHost::end()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

int MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return rt::host().msgBox(prompt, buttons, title.isEmpty() ? appTitle() : title);
}

void End()
{
    rt::host().end();
}

QString appTitle()
{
    return QCoreApplication::applicationName();
}

} // namespace forms
