#include "forms/widgethost.h"

#include "forms/forms.h"
#include "forms/platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace forms {

namespace {

// A box with 是 and 否 has no Cancel: only its buttons close it, not Escape nor the close
// button of its title bar (which would otherwise count as 否).
class NoCancel : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel);
    }
};

} // namespace

int WidgetHost::msgBox(const QString& prompt, int buttons, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (buttons == vbYesNo) {
        QPushButton* yes = box.addButton(u"是"_s, QMessageBox::YesRole);
        box.addButton(u"否"_s, QMessageBox::NoRole);
        box.setDefaultButton(yes);
        NoCancel noCancel;
        box.installEventFilter(&noCancel);
        showModal(box);
        return box.clickedButton() == yes ? vbYes : vbNo;
    }
    QPushButton* ok = box.addButton(u"确定"_s, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    showModal(box);
    return vbOK;
}

void WidgetHost::end()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    endProgram();
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
