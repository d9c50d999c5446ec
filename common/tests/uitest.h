#pragma once

#include "forms/controls.h"
#include "forms/fonts.h"
#include "forms/form.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// Helpers for tests that drive a real window.
namespace uitest {

// Shows the form as a program does and waits until it is the active window.
inline bool show(forms::Form& form)
{
    form.Show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

// A double-click as the window system delivers it: press, release, double-click, release.
// (QTest's own mouseDClick sends the double-click event alone.)
inline void doubleClick(QWidget* widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton)
{
    if (at.isNull())
        at = widget->rect().center();
    QTest::mousePress(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
    QTest::mouseDClick(widget, button, {}, at);
    QTest::mouseRelease(widget, button, {}, at);
}

// The installed face that draws a face name the programs use ("宋体", "隶书"): SimSun and LiSu
// on a Chinese Windows, the AR PL faces on Linux and under Wine.
inline QString drawingFace(const QString& face)
{
    return QFontInfo(forms::toQFont(forms::Font{face})).family();
}

// The face a widget's text is drawn with.
inline QString drawnFace(const QWidget* widget)
{
    return QFontInfo(widget->font()).family();
}

// The window stands as its layout tables say: the client area has the form's size and every
// control with a place on the window stands where its row puts it. An AutoSize label is held
// to its corner only, as its caption sizes it.
inline void checkLayout(const forms::Form& form)
{
    const forms::FormRow& formRow = form.formRow();
    QCOMPARE(form.client().size(), QSize(forms::px(formRow.width), forms::px(formRow.height)));
    for (const forms::ControlRow& row : form.controlRows()) {
        const QWidget* widget = form.control<forms::Control>(row.name).widget();
        if (!widget)
            continue; // a timer
        const QRect expected(forms::px(row.left), forms::px(row.top), forms::px(row.width),
                             forms::px(row.height));
        const QRect actual = row.style & forms::AutoSize ? QRect(widget->pos(), expected.size())
                                                         : widget->geometry();
        const auto text = [](QRect r) {
            QString out;
            QDebug(&out).nospace() << r;
            return out;
        };
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("%1 stands at %2, its row says %3")
                                .arg(QLatin1StringView(row.name), text(actual), text(expected))));
    }
}

// What a control shows as its text from the start: a text box's text, another's caption; none
// for a list, a picture or a timer.
inline std::optional<QString> shownText(const forms::Control& control)
{
    if (const auto* box = dynamic_cast<const forms::TextBox*>(&control))
        return box->Text();
    if (const auto* label = dynamic_cast<const forms::Label*>(&control))
        return label->Caption();
    if (const auto* button = dynamic_cast<const forms::CommandButton*>(&control))
        return button->Caption();
    if (const auto* check = dynamic_cast<const forms::CheckBox*>(&control))
        return check->Caption();
    if (const auto* option = dynamic_cast<const forms::OptionButton*>(&control))
        return option->Caption();
    return std::nullopt;
}

// The font a row gives is the font the control keeps and the one its text is drawn in.
inline void checkFont(const QString& what, const forms::Font& kept, const forms::Font& row,
                      const QWidget* drawing)
{
    const auto said = [&](const char* part) {
        return QStringLiteral("%1: %2").arg(what, QLatin1StringView(part)).toUtf8();
    };
    QVERIFY2(kept.name == row.name, said("face").constData());
    QVERIFY2(kept.size == row.size, said("size").constData());
    QVERIFY2(kept.weight == row.weight, said("weight").constData());
    QVERIFY2(kept.charset == row.charset, said("character set").constData());
    if (!drawing)
        return;
    const QFont& drawn = drawing->font();
    QVERIFY2(drawnFace(drawing) == drawingFace(row.name), said("drawn face").constData());
    QVERIFY2(drawn.pointSizeF() == double(row.size), said("drawn size").constData());
    QVERIFY2(drawn.bold() == (row.weight >= 700), said("drawn weight").constData());
    QVERIFY2(!drawn.italic() && !drawn.underline() && !drawn.strikeOut(),
             said("drawn plain").constData());
}

// The controls the Tab key stops at, in the order the tables give: every control that takes
// the focus, by its TabIndex, where a group of option buttons (those of one window) is one
// stop, at its checked button or else its first.
inline QStringList tabStops(const forms::Form& form)
{
    std::vector<const forms::ControlRow*> rows;
    for (const forms::ControlRow& row : form.controlRows())
        rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    QStringList stops;
    bool optionsDone = false;
    for (const forms::ControlRow* row : rows) {
        const QWidget* widget = form.control<forms::Control>(row->name).widget();
        if (!widget || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (row->kind != forms::Kind::OptionButton) {
            stops << QLatin1StringView(row->name);
            continue;
        }
        if (std::exchange(optionsDone, true))
            continue;
        QString stop = QLatin1StringView(row->name);
        for (const forms::ControlRow* other : rows)
            if (other->kind == forms::Kind::OptionButton &&
                form.control<forms::OptionButton>(other->name).Value())
                stop = QLatin1StringView(other->name);
        stops << stop;
    }
    return stops;
}

// The menu bar and its submenus hold the menu table's items in its order, each with its
// caption (a separator for "-"), shortcut and visibility, none checked; no table, no bar.
inline void checkMenus(const forms::Form& form)
{
    if (form.menuRows().empty()) {
        QVERIFY2(!form.menuWidget(), "a window without menus has a menu bar");
        return;
    }
    const auto* bar = qobject_cast<const QMenuBar*>(form.menuWidget());
    QVERIFY2(bar, "a window with menus has no menu bar");
    const auto said = [](const forms::MenuRow& row, const char* what) {
        return QStringLiteral("menu %1: %2")
            .arg(QLatin1StringView(row.name), QLatin1StringView(what))
            .toUtf8();
    };
    for (const forms::MenuRow& row : form.menuRows()) {
        const forms::MenuItem& item = form.menu(row.name);
        QList<QAction*> siblings =
            row.parent ? form.menu(row.parent).submenu()->actions() : bar->actions();
        QList<const char*> names; // the table's items under the same parent, in its order
        for (const forms::MenuRow& other : form.menuRows())
            if ((other.parent == nullptr) == (row.parent == nullptr) &&
                (!row.parent || qstrcmp(other.parent, row.parent) == 0))
                names << other.name;
        QVERIFY2(siblings.size() == names.size(), said(row, "items beside it").constData());
        const auto at = std::find_if(names.cbegin(), names.cend(), [&](const char* name) {
            return qstrcmp(name, row.name) == 0;
        });
        QVERIFY2(siblings.at(at - names.cbegin()) == item.action(), said(row, "place").constData());
        if (row.caption == QLatin1StringView("-"))
            QVERIFY2(item.action()->isSeparator(), said(row, "separator").constData());
        else
            QVERIFY2(item.action()->text() == row.caption, said(row, "caption").constData());
        QVERIFY2(item.action()->shortcut() == QKeySequence(row.shortcut),
                 said(row, "shortcut").constData());
        QVERIFY2(item.action()->isVisible() == row.visible, said(row, "visible").constData());
        QVERIFY2(!item.Checked() && !item.action()->isChecked(), said(row, "checked").constData());
    }
}

// A new window is what its tables say: its caption and font, every control's text, font and
// styles, and its menus, before its Load runs; once shown, its frame, colour, place on the
// screen, size and every control's place, and the first focus and the Tab key's round in
// TabIndex order.
inline void checkTables(forms::Form& form)
{
    const forms::FormRow& formRow = form.formRow();
    QCOMPARE(form.Caption(), formRow.caption);
    QCOMPARE(form.FontName(), formRow.font.name);
    QCOMPARE(form.FontSize(), formRow.font.size);
    QCOMPARE(drawnFace(&form.client()), drawingFace(formRow.font.name));
    for (const forms::ControlRow& row : form.controlRows()) {
        const forms::Control& control = form.control<forms::Control>(row.name);
        const QString name = QLatin1StringView(row.name);
        if (const std::optional<QString> text = shownText(control))
            QVERIFY2(*text == row.text, qPrintable(name + QStringLiteral(": text")));
        if (const auto* timer = dynamic_cast<const forms::TimerControl*>(&control)) {
            QCOMPARE(timer->Interval(), row.interval);
            QCOMPARE(timer->Enabled(), row.interval != 0);
            continue;
        }
        checkFont(name, control.font(), row.font, control.widget());
        if (const auto* box = dynamic_cast<const forms::TextBox*>(&control)) {
            QVERIFY2(box->MultiLine() == bool(row.style & forms::MultiLine), qPrintable(name));
            QVERIFY2(box->Locked() == bool(row.style & forms::Locked), qPrintable(name));
        }
        if (const auto* label = dynamic_cast<const forms::Label*>(&control))
            QVERIFY2(label->AutoSize() == bool(row.style & forms::AutoSize), qPrintable(name));
        if (QTest::currentTestFailed())
            return;
    }
    checkMenus(form);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(show(form));
    const Qt::WindowFlags flags = form.windowFlags();
    switch (formRow.border) {
    case forms::Border::Sizable:
        QVERIFY(flags & Qt::WindowMaximizeButtonHint);
        QVERIFY(form.minimumSize() != form.maximumSize());
        break;
    case forms::Border::FixedSingle:
        QVERIFY(!(flags & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        break;
    case forms::Border::None:
        QVERIFY(flags & Qt::FramelessWindowHint);
        QCOMPARE(form.minimumSize(), form.maximumSize());
        break;
    }
    if (formRow.background.isValid())
        QCOMPARE(form.client().palette().color(QPalette::Window), formRow.background);
    if (formRow.startUp == forms::StartUp::CenterScreen) {
        const QPoint off =
            form.frameGeometry().center() - form.screen()->availableGeometry().center();
        QVERIFY2(off.manhattanLength() <= 2, "not in the middle of the screen");
    }
    checkLayout(form);
    if (QTest::currentTestFailed())
        return;
    const QStringList stops = tabStops(form);
    if (stops.isEmpty())
        return;
    const QWidget* first = QApplication::focusWidget();
    QStringList visited{first ? first->objectName() : QString()};
    for (qsizetype i = 0; i < stops.size(); ++i) {
        QVERIFY2(QApplication::focusWidget(), "the Tab key left no control with the focus");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, stops + QStringList{stops.first()});
}

} // namespace uitest
