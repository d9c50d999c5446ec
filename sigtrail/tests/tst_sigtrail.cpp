#include "form1.h"
#include "tests/windowtest.h"

#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace sigtrail;
using forms::px;

namespace {

using Action = void (*)(Form1&);

const QString kResize = u"窗体Form1的大小改变"_s;
const QString kFocus = u"Text1得到焦点"_s;
const QString kChange = u"Text1内容改变"_s;
const QString kFormClick = u"单击了窗体Form1"_s;
const QString kFormDblClick = u"双击了窗体Form1"_s;

// A point of the client area that no control covers.
const QPoint kBackground(px(3750), px(2100));

QWidget* focused()
{
    return QApplication::focusWidget();
}

void click(forms::Control& c)
{
    QTest::mouseClick(c.widget(), Qt::LeftButton);
}

// The middle of a line of List1, where the user would click it.
QPoint lineOf(Form1& f, int row)
{
    auto* list = static_cast<QListWidget*>(f.List1.widget());
    return list->visualItemRect(list->item(row)).center();
}

QWidget* listSurface(Form1& f)
{
    return static_cast<QListWidget*>(f.List1.widget())->viewport();
}

// Option1, Option2, Check1, Check2 as the user sees them.
QList<int> values(Form1& f)
{
    return {f.Option1.Value() ? 1 : 0, f.Option2.Value() ? 1 : 0, f.Check1.Value(),
            f.Check2.Value()};
}

} // namespace

Q_DECLARE_METATYPE(Action)

class SigtrailTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"sigtrail"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void startUpLogsResizeThenFocus();
    void tabRoundTracesOnlyTheReturnToText1();
    void eachActionAppendsItsLines_data();
    void eachActionAppendsItsLines();
};

void SigtrailTest::startUpLogsResizeThenFocus()
{
    Form1 f;
    QVERIFY(f.List1.items().isEmpty());
    QVERIFY(uitest::show(f));
    QTest::qWait(50); // nothing more arrives once the window has settled
    QCOMPARE(f.List1.items(), (QStringList{kResize, kFocus}));
    QCOMPARE(values(f), (QList<int>{0, 0, 0, 0}));
}

// Only the Tab key's return to Text1 is traced; passing the others fires nothing they handle.
void SigtrailTest::tabRoundTracesOnlyTheReturnToText1()
{
    Form1 f;
    QVERIFY(uitest::show(f));
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(focused(), Qt::Key_Tab);
    QCOMPARE(focused(), f.Text1.widget());
    QCOMPARE(f.List1.items(), (QStringList{kResize, kFocus, kFocus}));
}

void SigtrailTest::eachActionAppendsItsLines_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QList<int>>("after"); // Option1, Option2, Check1, Check2

    const QList<int> none{0, 0, 0, 0};
    auto row = [](const char* name, Action action, const QStringList& added,
                  const QList<int>& after) { QTest::newRow(name) << action << added << after; };

    row(
        "typing three characters", +[](Form1& f) { QTest::keyClicks(f.Text1.widget(), u"abc"_s); },
        {kChange, kChange, kChange}, none);
    row(
        "typing three, deleting one",
        +[](Form1& f) {
            QTest::keyClicks(f.Text1.widget(), u"abc"_s);
            QTest::keyClick(f.Text1.widget(), Qt::Key_Backspace);
        },
        {kChange, kChange, kChange, kChange}, none);
    row(
        "typing over the text selected by Tab",
        +[](Form1& f) {
            QTest::keyClick(f.Text1.widget(), Qt::Key_Tab);
            QTest::keyClick(focused(), Qt::Key_Backtab);
            // The first key replaces the whole selection: one change, not two.
            QTest::keyClicks(f.Text1.widget(), u"xy"_s);
        },
        {kFocus, kChange, kChange}, none);
    row(
        "Tab away and back",
        +[](Form1& f) {
            QTest::keyClick(f.Text1.widget(), Qt::Key_Tab);
            QTest::keyClick(focused(), Qt::Key_Backtab);
        },
        {kFocus}, none);
    row(
        "leaving Text1 by Tab", +[](Form1& f) { QTest::keyClick(f.Text1.widget(), Qt::Key_Tab); },
        {}, none);
    row(
        "clicking away and back",
        +[](Form1& f) {
            QTest::mouseClick(listSurface(f), Qt::LeftButton, {}, QPoint(5, 100));
            click(f.Text1);
        },
        {kFocus}, none);
    row(
        "clicking Text1 while it has the focus", +[](Form1& f) { click(f.Text1); }, {}, none);
    row(
        "clicking the background",
        +[](Form1& f) { QTest::mouseClick(&f.client(), Qt::LeftButton, {}, kBackground); },
        {kFormClick}, none);
    row(
        "double-clicking the background",
        +[](Form1& f) { uitest::doubleClick(&f.client(), kBackground); },
        {kFormClick, kFormDblClick}, none);
    row(
        "Check1 twice",
        +[](Form1& f) {
            click(f.Check1);
            click(f.Check1);
        },
        {u"单击了复选框Check1"_s, u"单击了复选框Check1"_s}, none);
    // Click follows every change of the value, once, whoever makes it.
    row("Check1 set by the program, twice",
        +[](Form1& f) {
            f.Check1.setValue(1);
            f.Check1.setValue(1);
        },
        {u"单击了复选框Check1"_s}, {0, 0, 1, 0});
    row("Check1 toggled by an accessibility client",
        +[](Form1& f) {
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(f.Check1.widget());
            box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        },
        {u"单击了复选框Check1"_s}, {0, 0, 1, 0});
    row("Check2 by the space bar",
        +[](Form1& f) {
            f.Check2.SetFocus();
            QTest::keyClick(focused(), Qt::Key_Space);
        },
        {u"单击了复选框Check2"_s}, {0, 0, 0, 1});
    row("Option2 after Option1",
        +[](Form1& f) {
            click(f.Option1);
            click(f.Option2);
        },
        {u"选择了单选按钮Option1"_s, u"选择了单选按钮Option2"_s}, {0, 1, 0, 0});
    row("an arrow key moves the selection",
        +[](Form1& f) {
            click(f.Option2);
            QTest::keyClick(focused(), Qt::Key_Up);
        },
        {u"选择了单选按钮Option2"_s, u"选择了单选按钮Option1"_s}, {1, 0, 0, 0});
    row(
        "Command1", +[](Form1& f) { click(f.Command1); }, {u"单击了命令按钮Command1"_s}, none);
    row(
        "Command2 by the space bar",
        +[](Form1& f) {
            f.Command2.SetFocus();
            QTest::keyClick(focused(), Qt::Key_Space);
        },
        {u"单击了命令按钮Command2"_s}, none);
    row(
        "clicking a line of List1",
        +[](Form1& f) { QTest::mouseClick(listSurface(f), Qt::LeftButton, {}, lineOf(f, 1)); }, {},
        none);
    row(
        "double-clicking a line of List1",
        +[](Form1& f) { uitest::doubleClick(listSurface(f), lineOf(f, 0)); }, {}, none);
    row(
        "a change of size", +[](Form1& f) { f.resize(f.width() + 30, f.height() + 15); }, {kResize},
        none);
    row(
        "maximising and restoring",
        +[](Form1& f) {
            f.showMaximized();
            QTRY_COMPARE(f.List1.ListCount(), 3); // the new size has come, as a user waits for it
            f.showNormal();
        },
        {kResize, kResize}, none);
    row(
        "minimising and restoring",
        +[](Form1& f) {
            f.showMinimized();
            // The platform confirms the new state later; a user restores only after that.
            QTest::qWait(50);
            f.showNormal();
        },
        {kResize, kResize}, none);
    // The lines come from the properties as they stand, so new captions show in them.
    row("a new caption of Check1",
        +[](Form1& f) {
            f.Check1.setCaption(u"甲"_s);
            click(f.Check1);
        },
        {u"单击了复选框甲"_s}, {0, 0, 1, 0});
    row(
        "a new caption of Command2",
        +[](Form1& f) {
            f.Command2.setCaption(u"乙"_s);
            click(f.Command2);
        },
        {u"单击了命令按钮乙"_s}, none);
    row("a new caption of Option2",
        +[](Form1& f) {
            f.Option2.setCaption(u"丙"_s);
            click(f.Option2);
        },
        {u"选择了单选按钮丙"_s}, {0, 1, 0, 0});
    row(
        "a new caption of the window",
        +[](Form1& f) {
            f.setCaption(u"窗口"_s);
            uitest::doubleClick(&f.client(), kBackground);
            f.resize(f.width() + 15, f.height());
        },
        {u"单击了窗体窗口"_s, u"双击了窗体窗口"_s, u"窗体窗口的大小改变"_s}, none);
}

void SigtrailTest::eachActionAppendsItsLines()
{
    QFETCH(Action, action);
    QFETCH(QStringList, added);
    QFETCH(QList<int>, after);

    Form1 f;
    QVERIFY(uitest::show(f));
    QVERIFY(f.client().childAt(kBackground) == nullptr);
    const QStringList atStart{kResize, kFocus};
    QCOMPARE(f.List1.items(), atStart);

    action(f);
    QTRY_COMPARE(f.List1.items().mid(atStart.size()), added);
    QTest::qWait(50); // and no late line follows
    QCOMPARE(f.List1.items(), atStart + added);
    QCOMPARE(values(f), after);
    QVERIFY(host->shown.isEmpty());
}

QTEST_MAIN(SigtrailTest)
#include "tst_sigtrail.moc"
