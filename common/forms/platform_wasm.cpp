#include "forms/platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QHash>
#include <QMenu>
#include <QScreen>
#include <QWidget>

#include <emscripten.h>

using namespace Qt::StringLiterals;

// The browser's side of the platform. What the page does for it (the faces in /fonts, the
// program's folder, the ended signal) is web/page-and-program.md.

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
