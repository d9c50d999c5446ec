#include "forms/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QMenu>
#include <QScreen>
#include <QTextCharFormat>
#include <QWidget>

#include <emscripten.h>

using namespace Qt::StringLiterals;

// The browser's side of the platform. What the page does for it (the faces in /fonts, the
// program's folder, the ended signal, the typing of an input method) is
// web/page-and-program.md.

namespace forms {

namespace {

// In the browser the toolkit's own nested event loop turns without ever giving the page a
// moment while an object the toolkit deletes later waits for the outer loop: the page would
// hang with the box on it. Here the page keeps turning, and delivers the box's input,
// between short sleeps.
void waitUntilClosed(const QWidget& widget)
{
    while (widget.isVisible())
        emscripten_sleep(10);
}

// Swallows every timer's event: after End, in the browser, none of the program's code runs.
class TimersStopped : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

// The faces of /fonts the toolkit has, by file.
QHash<QString, int>& carriedFaces()
{
    static QHash<QString, int> faces;
    return faces;
}

// Takes in the faces that came into /fonts and lets go of those that left it.
void followFaceFolder()
{
    const QString folder = u"/fonts"_s;
    QHash<QString, int>& faces = carriedFaces();
    for (const QFileInfo& face : QDir(folder).entryInfoList(QDir::Files))
        if (!faces.contains(face.filePath()))
            faces.insert(face.filePath(), QFontDatabase::addApplicationFont(face.filePath()));
    for (auto it = faces.begin(); it != faces.end();) {
        if (QFileInfo::exists(it.key())) {
            ++it;
            continue;
        }
        QFontDatabase::removeApplicationFont(it.value());
        it = faces.erase(it);
    }
}

// The faces of /fonts again, and every widget's text laid out and drawn again in them.
void takeChangedFaces()
{
    followFaceFolder();
    for (QWidget* widget : QApplication::allWidgets()) {
        QEvent fontChange(QEvent::FontChange);
        QCoreApplication::sendEvent(widget, &fontChange);
    }
}

// The focused control, where it takes typing from an input method (a text box).
QObject* typingTarget()
{
    QObject* focus = QGuiApplication::focusObject();
    if (!focus)
        return nullptr;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    return query.value(Qt::ImEnabled).toBool() ? focus : nullptr;
}

// Hands the focused text box what an input method has typed, as a desktop's input method
// does: the composition, shown underlined at the caret while it is typed, and the text
// committed, typed in at the caret, so that it changes the box and is undone as typing is.
void type(const QString& composing, const QString& committed)
{
    QObject* target = typingTarget();
    if (!target)
        return;
    QList<QInputMethodEvent::Attribute> attributes;
    if (!composing.isEmpty()) {
        QTextCharFormat underlined;
        underlined.setFontUnderline(true);
        attributes.append({QInputMethodEvent::TextFormat, 0, int(composing.size()), underlined});
        attributes.append({QInputMethodEvent::Cursor, int(composing.size()), 1});
    }
    QInputMethodEvent event(composing, attributes);
    event.setCommitString(committed);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

void showModal(QDialog& box)
{
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    waitUntilClosed(box);
}

void popUpModal(QMenu& menu, const QPoint& at)
{
    menu.popup(at);
    waitUntilClosed(menu);
}

void loadCarriedFaces()
{
    followFaceFolder();
}

// The browser's platform puts a new window at the page's top left, which may lie above the
// program's canvas; its place is the canvas's top left.
void placeWindow(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().topLeft());
}

// The browser keeps the program's runtime, and with it the toolkit's handlers of the page's
// mouse and keys: ending the event loop would let main() free what those handlers use, and the
// next mouse event on the page would crash. So the program stays, without windows and with its
// timers stopped, and its page says that it has ended.
void endProgram()
{
    static TimersStopped timersStopped;
    QCoreApplication::instance()->installEventFilter(&timersStopped);
    EM_ASM({
        if (Module.programEnded)
            Module.programEnded();
    });
}

} // namespace forms

// The page has changed the faces in /fonts (the whole face has come in place of the first):
// the program takes them, and every widget lays out and draws its text again in them. Called
// from the page; the work waits for the event loop, which may be turning under a message box.
extern "C" EMSCRIPTEN_KEEPALIVE void courseFacesChanged()
{
    if (!qApp) // no program started
        return;
    QMetaObject::invokeMethod(qApp, &forms::takeChangedFaces, Qt::QueuedConnection);
}

// The page's keyboard element has an input method's typing for the program (see
// web/keyboard.js): the composition so far, or the text committed. Delivered by the event
// loop, as the faces are, so that a box the text box's handler shows may wait there.
extern "C" EMSCRIPTEN_KEEPALIVE void courseTyped(const char* composing, const char* committed)
{
    if (!qApp)
        return;
    const QString composingText = QString::fromUtf8(composing);
    const QString committedText = QString::fromUtf8(committed);
    const auto typeIn = [composingText, committedText] {
        forms::type(composingText, committedText);
    };
    QMetaObject::invokeMethod(qApp, typeIn, Qt::QueuedConnection);
}

EM_JS(void, tellCaret, (int x, int y, int height), {
    if (Module.caretAt)
        Module.caretAt(x, y, height);
});

// Where the focused text box's caret stands on the canvas, told to the page
// (Module.caretAt(x, y, height)), so that the input method's candidates show beside it; nothing
// is told while no text box has the focus.
extern "C" EMSCRIPTEN_KEEPALIVE void courseFindCaret()
{
    if (!qApp)
        return;
    auto* widget = qobject_cast<QWidget*>(forms::typingTarget());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!widget || !screen)
        return;
    QInputMethodQueryEvent query(Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(widget, &query);
    const QRect caret = query.value(Qt::ImCursorRectangle).toRect();
    const QPoint at = widget->mapToGlobal(caret.topLeft()) - screen->geometry().topLeft();
    tellCaret(at.x(), at.y(), caret.height());
}
