// The floor for the start-up figures: the smallest Qt Widgets program that shows a window.
// With --text the window shows one Chinese label as well, in the toolkit's default font, which
// is what the first text of any program costs (reading the font configuration, loading a font).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare_window"));
    window.resize(320, 200);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("窗口"), &window))->move(10, 10);
    window.show();
    return app.exec();
}
