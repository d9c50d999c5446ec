#include "forms/modal.h"

#include <QDialog>
#include <QMenu>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace forms {

#ifdef Q_OS_WASM
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

} // namespace
#endif

void showModal(QDialog& box)
{
#ifdef Q_OS_WASM
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    waitUntilClosed(box);
#else
    box.exec();
#endif
}

void popUpModal(QMenu& menu, const QPoint& at)
{
#ifdef Q_OS_WASM
    menu.popup(at);
    waitUntilClosed(menu);
#else
    menu.exec(at);
#endif
}

} // namespace forms
