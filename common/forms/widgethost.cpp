#include "forms/widgethost.h"

#include "forms/forms.h"
#include "forms/modal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

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

#ifdef Q_OS_WASM
// Swallows every timer's event: after End, in the browser, none of the program's code runs.
class TimersStopped : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};
#endif

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
#ifdef Q_OS_WASM
    // The browser keeps the program's runtime, and with it the toolkit's handlers of the page's
    // mouse and keys: ending the event loop would let main() free what those handlers use, and
    // the next mouse event on the page would crash. So the program stays, without windows and
    // with its timers stopped, and its page says that it has ended.
    static TimersStopped timersStopped;
    QCoreApplication::instance()->installEventFilter(&timersStopped);
    EM_ASM({
        if (Module.programEnded)
            Module.programEnded();
    });
#else
    QCoreApplication::exit(0);
#endif
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
