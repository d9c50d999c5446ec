#pragma once

#include "forms/fonts.h"
#include "forms/form.h"

#include <QFontInfo>

#include <QTest>

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

} // namespace uitest
