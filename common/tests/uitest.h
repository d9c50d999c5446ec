#pragma once

#include "forms/fonts.h"
#include "forms/form.h"

#include <QDebug>
#include <QFontInfo>

#include <QTest>
#include <cmath>
#include <span>

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

// Twips to logical pixels, worked out apart from the form runtime's own conversion so that a
// fault in that shows here.
inline int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

// The window stands as its layout tables say: the client area has the form's size and every
// control with a place on the window stands where its row puts it. An AutoSize label is held
// to its corner only, as its caption sizes it.
inline void checkLayout(const forms::Form& form)
{
    const forms::FormRow& formRow = form.formRow();
    QCOMPARE(form.client().size(), QSize(pixels(formRow.width), pixels(formRow.height)));
    for (const forms::ControlRow& row : form.controlRows()) {
        const QWidget* widget = form.control<forms::Control>(row.name).widget();
        if (!widget)
            continue; // a timer
        const QRect expected(pixels(row.left), pixels(row.top), pixels(row.width),
                             pixels(row.height));
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

} // namespace uitest
