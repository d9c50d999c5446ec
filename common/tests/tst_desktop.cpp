#include "forms/forms.h"
#include "hosttest.h"
#include "uitest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace forms;

// What only a real X display has: a clipboard and a selection that may have no owner at all,
// as on a fresh session. Run on Xvfb by desktop_test.sh.

namespace {

const FormRow kForm{u"剪贴板"_s, 4500, 3000};

const ControlRow kControls[] = {
    // kind           name     text  left  top   width height tab
    {Kind::TextBox, "Text1", {}, 120, 120, 3000, 1500, 1, {}, MultiLine | VScroll},
    {Kind::TextBox, "Text2", {}, 120, 1800, 3000, 375, 2},
};

enum class Way {
    CtrlV,
    ShiftInsert,
    CtrlShiftInsert, // pastes the selection
    MiddleClick,
    Drop,
};

// Where the text goes: the widget that takes the mouse and drops.
QWidget* surface(TextBox& box)
{
    if (auto* edit = qobject_cast<QPlainTextEdit*>(box.widget()))
        return edit->viewport();
    return box.widget();
}

} // namespace

class DesktopTest : public HostTest {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUpToolkit(u"desktoptest"_s);
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    }
    void pasteOrDropOfNoTextChangesNothing_data();
    void pasteOrDropOfNoTextChangesNothing();
};

void DesktopTest::pasteOrDropOfNoTextChangesNothing_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<Way>("way");
    QTest::addColumn<QString>("offered"); // a null string: nothing owns the clipboard
    QTest::addColumn<QString>("expected");

    // The box holds "ab" with "b" selected. A key pastes over the selection; a middle click
    // and a drop put the text where they are, at the end.
    for (const char* box : {"Text1", "Text2"}) {
        const auto row = [&](const char* what) {
            return &QTest::newRow(qPrintable(u"%1 %2"_s.arg(QLatin1StringView(box), what)));
        };
        *row("Ctrl+V, no owner") << box << Way::CtrlV << QString() << u"ab"_s;
        *row("Shift+Insert, no owner") << box << Way::ShiftInsert << QString() << u"ab"_s;
        *row("Ctrl+Shift+Insert, no owner") << box << Way::CtrlShiftInsert << QString() << u"ab"_s;
        *row("middle click, no owner") << box << Way::MiddleClick << QString() << u"ab"_s;
        *row("drop of no text") << box << Way::Drop << QString() << u"ab"_s;
        *row("Ctrl+V") << box << Way::CtrlV << u"粘贴"_s << u"a粘贴"_s;
        *row("Shift+Insert") << box << Way::ShiftInsert << u"粘贴"_s << u"a粘贴"_s;
        *row("Ctrl+Shift+Insert") << box << Way::CtrlShiftInsert << u"粘贴"_s << u"a粘贴"_s;
        *row("middle click") << box << Way::MiddleClick << u"粘贴"_s << u"ab粘贴"_s;
        *row("drop") << box << Way::Drop << u"粘贴"_s << u"ab粘贴"_s;
    }
}

void DesktopTest::pasteOrDropOfNoTextChangesNothing()
{
    QFETCH(QString, box);
    QFETCH(Way, way);
    QFETCH(QString, offered);
    QFETCH(QString, expected);

    Form form(kForm, kControls);
    QVERIFY(uitest::show(form));
    TextBox& t = form.control<TextBox>(box.toLatin1().constData());
    t.SetFocus();
    t.setText(u"ab"_s);
    t.setSelStart(1);
    t.setSelLength(1);

    // Selecting may have made this program the selection's owner: give both up, or offer text.
    const QClipboard::Mode mode = way == Way::CtrlShiftInsert || way == Way::MiddleClick
                                      ? QClipboard::Selection
                                      : QClipboard::Clipboard;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    clipboard->clear(QClipboard::Selection);
    if (offered.isNull())
        QVERIFY(clipboard->mimeData(mode)->formats().isEmpty());
    else
        clipboard->setText(offered, mode);

    QWidget* target = surface(t);
    const QPoint end(target->width() - 4, target->height() - 4); // beyond the text's end
    switch (way) {
    case Way::CtrlV:
        QTest::keyClick(t.widget(), Qt::Key_V, Qt::ControlModifier);
        break;
    case Way::ShiftInsert:
        QTest::keyClick(t.widget(), Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Way::CtrlShiftInsert:
        QTest::keyClick(t.widget(), Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
        break;
    case Way::MiddleClick:
        QTest::mouseClick(target, Qt::MiddleButton, {}, end);
        break;
    case Way::Drop: {
        QMimeData data;
        if (offered.isNull())
            data.setHtml(u"<b>粗</b>"_s); // something, but no text
        else
            data.setText(offered);
        // As the window system drops: only where the drag's entry was accepted.
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &drop);
        }
        break;
    }
    }
    QCOMPARE(t.Text(), expected);
}

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
