// Writes every program's first window as its layout tables give it, as JSON, for the tests and
// tools outside C++ that find a control by its name (the browser test, the desktop pictures):
//   write_layouts <layouts.json>
// Places and sizes are logical pixels (forms::px), within the window's client area; fonts are
// in points. COURSE_PROGRAMS, from the build, lists the programs as PROGRAM(name)..., and
// programs.h includes each one's form1.h.
#include "programs.h"

#include "forms/controlkinds.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cstdio>

namespace {

QJsonObject font(const forms::Font& font)
{
    return {{"face", font.name}, {"points", double(font.size)}, {"bold", font.weight >= 700}};
}

QJsonObject box(int left, int top, int width, int height)
{
    return {{"x", forms::px(left)},
            {"y", forms::px(top)},
            {"width", forms::px(width)},
            {"height", forms::px(height)}};
}

QJsonObject layout(const forms::Form& form)
{
    const forms::FormRow& row = form.formRow();
    static const char* const borders[] = {"Sizable", "FixedSingle", "None"};
    QJsonObject window = box(0, 0, row.width, row.height);
    window.insert("caption", row.caption);
    window.insert("border", borders[int(row.border)]);
    window.insert("centered", row.startUp == forms::StartUp::CenterScreen);
    window.insert("font", font(row.font));

    QJsonObject controls;
    for (const forms::ControlRow& control : form.controlRows()) {
        QJsonObject entry = box(control.left, control.top, control.width, control.height);
        entry.insert("kind", forms::controlKind(control.kind).name);
        entry.insert("text", control.text);
        entry.insert("tabIndex", control.tabIndex);
        entry.insert("font", font(control.font));
        entry.insert("autoSize", bool(control.style & forms::AutoSize));
        controls.insert(QLatin1StringView(control.name), entry);
    }
    window.insert("controls", controls);

    QJsonArray menus;
    for (const forms::MenuRow& menu : form.menuRows())
        menus.append(QJsonObject{
            {"name", QLatin1StringView(menu.name)},
            {"caption", menu.caption},
            {"parent", menu.parent ? QJsonValue(QLatin1StringView(menu.parent)) : QJsonValue()},
            {"shortcut", menu.shortcut},
            {"visible", menu.visible}});
    window.insert("menus", menus);
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_layouts <layouts.json>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen"); // nothing is shown
    QApplication app(argc, argv);
    QJsonObject programs;
#define PROGRAM(name) programs.insert(#name, layout(name::Form1{}));
    COURSE_PROGRAMS
#undef PROGRAM
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(programs).toJson()) < 0 ||
        !out.commit()) {
        std::fprintf(stderr, "write_layouts: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
