#include "forms/forms.h"
#include "windowtest.h"

#include "forms/widgethost.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace forms;

namespace {

const FormRow kForm{u"试验窗体"_s, 4500, 3000};

const ControlRow kControls[] = {
    // kind               name        text            left  top   width height tab
    {Kind::CommandButton, "Command1", u"确定\r\n下行"_s, 2400, 120, 1200, 600, 2},
    {Kind::TextBox, "Text1", u"起始"_s, 120, 120, 2000, 1500, 1, {}, MultiLine | VScroll},
    {Kind::TextBox, "Text2", u"12"_s, 120, 1800, 900, 375, 3},
    {Kind::Label, "Label1", u"Label1"_s, 2400, 900, 300, 200, 0, {u"宋体"_s, 15.75f}, AutoSize},
    {Kind::PictureBox, "Picture1", {}, 2400, 1500, 1800, 1200, 4},
    {Kind::OptionButton, "Option1", u"Option1"_s, 1200, 1800, 900, 300, 5},
    {Kind::OptionButton, "Option2", u"Option2"_s, 1200, 2200, 900, 300, 6},
    {.kind = Kind::Timer, .name = "Timer1", .interval = 1000},
};

const MenuRow kMenus[] = {
    {"MFile", u"文件"_s},
    {"MFile_Open", u"打开"_s, "MFile", u"Ctrl+O"_s},
    {"MFile_L1", u"-"_s, "MFile"},
    {"MFile_Mark", u"标记"_s, "MFile"},
    {"PMenu", u"弹出菜单"_s, nullptr, {}, false},
    {"PMenu_Item", u"项目"_s, "PMenu"},
};

// A window with every kind of control that records the events it sees.
class TestForm : public Form {
public:
    explicit TestForm(const FormRow& row = kForm)
        : Form(row, kControls, kMenus)
    {
        Load = [this] { events << u"Load"_s; };
        Resize = [this] { events << u"Resize"_s; };
        Click = [this] { events << u"Click"_s; };
        DblClick = [this] { events << u"DblClick"_s; };
        Text1.GotFocus = [this] { events << u"Text1.GotFocus"_s; };
        Text2.GotFocus = [this] { events << u"Text2.GotFocus"_s; };
        Text1.Change = [this] { events << u"Text1.Change"_s; };
        Text2.Change = [this] { events << u"Text2.Change"_s; };
        Command1.Click = [this] { events << u"Command1.Click"_s; };
        menu("MFile_Open").Click = [this] { events << u"MFile_Open"_s; };
    }

    TextBox& Text1 = control<TextBox>("Text1");
    TextBox& Text2 = control<TextBox>("Text2");
    CommandButton& Command1 = control<CommandButton>("Command1");
    Label& Label1 = control<Label>("Label1");
    PictureBox& Picture1 = control<PictureBox>("Picture1");
    QStringList events;
};

void show(Form& form)
{
    QVERIFY(uitest::show(form));
}

} // namespace

class FormsTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"formstest"_s; }
    std::unique_ptr<Form> firstWindow() const override { return std::make_unique<TestForm>(); }

private slots:
    void geometryComesFromTwips();
    void framesAndStartPosition();
    void startUpOrderIsLoadResizeFocus();
    void tabOrderFollowsTabIndex();
    void changeFiresForEveryChangeButNotTheInitialText();
    void multiLineTextHoldsCrLf();
    void selTextAppendsAtTheEnd();
    void programWritesAreNoStepsToUndo_data();
    void programWritesAreNoStepsToUndo();
    void printWritesItemsAtThePrintPosition();
    void doubleClickOnBackgroundIsClickThenDblClick();
    void clickOnAControlIsNoFormClick();
    void doubleClickBegunOnAControlIsAClickOnTheBackground();
    void keysPressTheFocusedButton();
    void errorTrapShowsTheMessageAndGoesOn();
    void msgBoxTakesTheProgramTitleByDefault();
    void yesNoBoxClosesOnlyByItsButtons();
    void toolkitTextsAreChinese();
    void menusFollowTheirTable();
    void checkMarksChangeOnlyByTheProgram();
    void shortcutRunsTheMenuCommand();
    void popupMenuShowsAndReturns();
    void fontSizesTheToolkitCannotTakeAreIgnored();
    void labelAutoSizeGrowsRightAndDown();
    void buttonCaptionWrapsWhereItIsTooWide();
    void keyPressGivesTheCodeByReference();
    void mouseDownReportsTheButtonAndNoContextMenuShows();
    void minimiseAndRestoreFireResize();
    void optionButtonsFormOneGroup();
    void timerFiresItsEvent();
    void textBoxesTakeTheirCaptionLabelsAsNames();
    void everyControlTellsItsTextToAssistiveTechnology();
    void printedLinesAreTheSurfacesAccessibleText();
    void eachPressActionIsAClickAtOnce();
};

void FormsTest::geometryComesFromTwips()
{
    TestForm form;
    show(form);
    QCOMPARE(form.client().size(), QSize(300, 200));
    QCOMPARE(form.ScaleWidth(), 4500);
    QCOMPARE(form.Text1.widget()->geometry(), QRect(8, 8, 133, 100));
    QCOMPARE(form.Command1.widget()->geometry(), QRect(160, 8, 80, 40));
    QCOMPARE(form.Text2.Left(), 120);
    QCOMPARE(form.Text2.Width(), 900);
    QCOMPARE(form.Text1.widget()->objectName(), u"Text1"_s);
    QVERIFY(form.menuBar()->isVisible());
    QVERIFY(form.client().geometry().top() >= form.menuBar()->height());
}

void FormsTest::framesAndStartPosition()
{
    TestForm sizable;
    QVERIFY(sizable.windowFlags() & Qt::WindowMaximizeButtonHint);

    FormRow fixed = kForm;
    fixed.border = Border::FixedSingle;
    TestForm single(fixed);
    QVERIFY(!(single.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(single.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(single.minimumSize(), single.maximumSize());

    FormRow none = kForm;
    none.border = Border::None;
    none.startUp = StartUp::CenterScreen;
    none.background = Qt::black;
    TestForm frameless(none);
    show(frameless);
    QVERIFY(frameless.windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(frameless.geometry().center().x() - screen.center().x()) <= 1);
    QCOMPARE(frameless.client().palette().color(QPalette::Window), QColor(Qt::black));
}

void FormsTest::startUpOrderIsLoadResizeFocus()
{
    TestForm form;
    show(form);
    // Label1 (TabIndex 0) takes no focus, so Text1 (1) is the first.
    QCOMPARE(form.events, (QStringList{u"Load"_s, u"Resize"_s, u"Text1.GotFocus"_s}));
    QVERIFY(form.Text1.widget()->hasFocus());
}

void FormsTest::tabOrderFollowsTabIndex()
{
    TestForm form;
    show(form);
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, (QStringList{u"Command1"_s, u"Text2"_s, u"Picture1"_s, u"Option1"_s}));
    // Leaving Text1 fired nothing; coming back fires GotFocus again.
    form.events.clear();
    form.Text1.SetFocus();
    QCOMPARE(form.events, QStringList{u"Text1.GotFocus"_s});
}

void FormsTest::changeFiresForEveryChangeButNotTheInitialText()
{
    TestForm form;
    show(form);
    form.events.clear();
    QCOMPARE(form.Text2.Text(), u"12"_s);
    form.Text2.SetFocus();
    form.events.clear();
    QTest::keyClicks(form.Text2.widget(), u"abc"_s);
    QTest::keyClick(form.Text2.widget(), Qt::Key_Backspace);
    QCOMPARE(form.events.count(u"Text2.Change"_s), 4);
    QCOMPARE(form.Text2.Text(), u"12ab"_s);
    form.Text2.setText(u"x"_s);
    QCOMPARE(form.events.count(u"Text2.Change"_s), 5);
    form.Text2.setText(u"x"_s); // the same text: no change
    QCOMPARE(form.events.count(u"Text2.Change"_s), 5);
}

void FormsTest::multiLineTextHoldsCrLf()
{
    TestForm form;
    show(form);
    form.Text1.setText(u"一\r\n二\r\n"_s);
    QCOMPARE(static_cast<QPlainTextEdit*>(form.Text1.widget())->toPlainText(), u"一\n二\n"_s);
    QCOMPARE(form.Text1.Text(), u"一\r\n二\r\n"_s);
    form.Text1.SetFocus();
    form.Text1.setSelStart(int(form.Text1.Text().size()));
    QTest::keyClicks(form.Text1.widget(), u"c"_s);
    QTest::keyClick(form.Text1.widget(), Qt::Key_Return);
    QCOMPARE(form.Text1.Text(), u"一\r\n二\r\nc\r\n"_s);
}

void FormsTest::selTextAppendsAtTheEnd()
{
    TestForm form;
    show(form);
    form.Text1.setText(u"a\r\nb"_s);
    form.Text1.setSelStart(int(form.Text1.Text().size()));
    QCOMPARE(form.Text1.SelStart(), 4);
    form.Text1.setSelText(u"\r\nc\r\n"_s);
    QCOMPARE(form.Text1.Text(), u"a\r\nb\r\nc\r\n"_s);
    form.Text1.setSelStart(3);
    form.Text1.setSelLength(1);
    QCOMPARE(form.Text1.SelText(), u"b"_s);
}

void FormsTest::programWritesAreNoStepsToUndo_data()
{
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<bool>("selText"); // the program inserts through SelText, else sets Text
    for (const char* box : {"Text1", "Text2"}) {
        QTest::addRow("%s Text", box) << QByteArray(box) << false;
        QTest::addRow("%s SelText", box) << QByteArray(box) << true;
    }
}

void FormsTest::programWritesAreNoStepsToUndo()
{
    QFETCH(QByteArray, box);
    QFETCH(bool, selText);
    TestForm form;
    show(form);
    TextBox& t = form.control<TextBox>(box.constData());
    t.SetFocus();
    t.setText(QString());
    QTest::keyClicks(t.widget(), u"ab"_s);
    form.events.clear();
    if (selText) {
        t.setSelStart(1);
        t.setSelText(u"程序"_s);
        QCOMPARE(t.SelStart(), 3); // the cursor stays after what was inserted
    } else {
        t.setText(u"程序"_s);
    }
    QCOMPARE(form.events, QStringList{QLatin1StringView(box) + u".Change"_s});
    const QString written = t.Text();
    const int at = t.SelStart();

    QTest::keySequence(t.widget(), QKeySequence::Undo);
    QCOMPARE(t.Text(), written);
    QTest::keySequence(t.widget(), QKeySequence::Redo);
    QCOMPARE(t.Text(), written);
    QCOMPARE(t.SelStart(), at);
    // What the user types afterwards is theirs to undo.
    QTest::keyClicks(t.widget(), u"c"_s);
    QCOMPARE(t.Text(), QString(written).insert(at, u'c'));
    QTest::keySequence(t.widget(), QKeySequence::Undo);
    QCOMPARE(t.Text(), written);
}

void FormsTest::printWritesItemsAtThePrintPosition()
{
    TestForm form;
    show(form);
    PictureBox& p = form.Picture1;
    p.Print();
    p.Print(u"数字字符个数"_s, Semi, rt::Integer(5));
    p.Print(rt::Integer(7), Semi, rt::Integer(-12), Semi);
    p.Print(rt::Integer(3), Semi);
    QCOMPARE(p.printedLines(), (QStringList{QString(), u"数字字符个数 5 "_s, u" 7 -12  3 "_s}));
    QVERIFY(p.surface().CurrentX() > 0);
    p.Print();
    p.Print(u"a"_s, Comma, u"b"_s);
    QCOMPARE(p.printedLines().last(), u"a             b"_s);
    QCOMPARE(p.printedLines().last().indexOf(u'b'), 14);
    p.Cls();
    QCOMPARE(p.printedLines(), QStringList());
    QCOMPARE(p.surface().CurrentX(), 0.0f);
    QCOMPARE(p.surface().CurrentY(), 0.0f);
    form.Print(u"on the form"_s);
    QCOMPARE(form.printedLines(), QStringList{u"on the form"_s});
    // What was printed is drawn again from what the surface keeps.
    const QImage before = p.surface().grab().toImage();
    p.Print(u"字"_s);
    QVERIFY(p.surface().grab().toImage() != before);
}

void FormsTest::doubleClickOnBackgroundIsClickThenDblClick()
{
    TestForm form;
    show(form);
    form.events.clear();
    uitest::doubleClick(&form.client(), QPoint(290, 190));
    QCOMPARE(form.events, (QStringList{u"Click"_s, u"DblClick"_s}));
    form.events.clear();
    QTest::mouseClick(&form.client(), Qt::LeftButton, {}, QPoint(290, 190));
    QCOMPARE(form.events, QStringList{u"Click"_s});
    // Pressed on the background, released outside the window: no click at all.
    form.events.clear();
    QTest::mousePress(&form.client(), Qt::LeftButton, {}, QPoint(290, 190));
    QTest::mouseRelease(&form.client(), Qt::LeftButton, {},
                        QPoint(form.client().width() + 40, 190));
    QTest::mousePress(&form.client(), Qt::LeftButton, {}, QPoint(290, 190));
    QTest::mouseRelease(&form.client(), Qt::LeftButton, {}, QPoint(290, -30));
    QCOMPARE(form.events, QStringList());
}

// No program handles a click on a label or a picture box, and the runtime fires none: they
// offer no Click a handler could be set on and then never run.
template <typename T> constexpr bool hasClick = requires(T& control)
{
    control.Click;
};
static_assert(!hasClick<Label> && !hasClick<PictureBox>);
static_assert(hasClick<CommandButton> && hasClick<CheckBox>);

void FormsTest::clickOnAControlIsNoFormClick()
{
    TestForm form;
    show(form);
    form.events.clear();
    uitest::doubleClick(form.Command1.widget());
    uitest::doubleClick(form.Label1.widget());
    QTest::mouseClick(form.Picture1.widget(), Qt::LeftButton);
    QVERIFY(!form.events.contains(u"Click"_s));
    QVERIFY(!form.events.contains(u"DblClick"_s));
    QVERIFY(form.events.contains(u"Command1.Click"_s));
}

void FormsTest::doubleClickBegunOnAControlIsAClickOnTheBackground()
{
    TestForm form;
    show(form);
    // Through the window, as the window system delivers them, so that the toolkit pairs the
    // clicks into a double-click itself, by time and place.
    QWindow* window = form.windowHandle();
    static ulong timestamp = 1'000'000;
    const auto click = [&](QPoint inClient) {
        const QPoint at = form.client().mapTo(&form, inClient);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const auto buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            qt_handleMouseEvent(window, at, window->mapToGlobal(at), buttons, Qt::LeftButton, type,
                                {}, int(timestamp += 30));
        }
        QCoreApplication::processEvents();
    };
    const QPoint onButton(238, 28); // Command1 ends at 240
    const QPoint beside(243, 28);
    QVERIFY(!form.client().childAt(beside));
    form.events.clear();
    click(onButton);
    click(beside);
    QCOMPARE(form.events, (QStringList{u"Command1.Click"_s, u"Click"_s}));

    timestamp += 5000;
    form.events.clear();
    click(beside);
    click(beside);
    QCOMPARE(form.events, (QStringList{u"Click"_s, u"DblClick"_s}));
}

void FormsTest::keysPressTheFocusedButton()
{
    TestForm form;
    show(form);
    form.Command1.SetFocus();
    form.events.clear();
    QTest::keyClick(form.Command1.widget(), Qt::Key_Space);
    QTest::keyClick(form.Command1.widget(), Qt::Key_Return);
    QTest::keyClick(form.Command1.widget(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(form.Command1.widget(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(form.events, QStringList(3, u"Command1.Click"_s));
}

void FormsTest::errorTrapShowsTheMessageAndGoesOn()
{
    TestForm form;
    show(form);
    bool after = false;
    form.Command1.Click = [&] {
        rt::Integer big = 32767;
        ++big; // the overflow error
        after = true;
    };
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QVERIFY(!after);
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"溢出"_s);
    QCOMPARE(host->shown[0].title, u"formstest"_s);
    QCOMPARE(host->shown[0].buttons, 0);
    form.Command1.Click = [&] { after = true; };
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QVERIFY(after);
    QCOMPARE(host->ends, 0);
}

void FormsTest::msgBoxTakesTheProgramTitleByDefault()
{
    host->answers = {6};
    QCOMPARE(MsgBox(u"是否需要保存？"_s, vbYesNo), vbYes);
    QCOMPARE(MsgBox(u"是否需要保存？"_s, vbYesNo), vbNo);
    QCOMPARE(MsgBox(u"输入错误"_s, vbOKOnly, u"题"_s), vbOK);
    QCOMPARE(host->shown[0].title, u"formstest"_s);
    QCOMPARE(host->shown[2].title, u"题"_s);
    End();
    QCOMPARE(host->ends, 1);
}

void FormsTest::yesNoBoxClosesOnlyByItsButtons()
{
    // The real boxes: a Yes/No box has no Cancel, so Escape and the close button leave it
    // open; an OK box closes with Escape.
    WidgetHost host;
    bool openAfterEscape = false;
    bool openAfterClose = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QTest::keyClick(box, Qt::Key_Escape);
        openAfterEscape = box->isVisible();
        box->close();
        openAfterClose = box->isVisible();
        QTest::keyClick(box, Qt::Key_Return); // 是, the default
    });
    QCOMPARE(host.msgBox(u"是否需要保存？"_s, vbYesNo, u"t"_s), vbYes);
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterClose);

    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(host.msgBox(u"输入错误"_s, vbOKOnly, u"t"_s), vbOK);
}

void FormsTest::toolkitTextsAreChinese()
{
    // A text box's scroll bar menu, and a standard button, as the toolkit draws them.
    QCOMPARE(QCoreApplication::translate("QScrollBar", "Scroll here"), u"滚动至此"_s);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"取消"_s);
}

void FormsTest::menusFollowTheirTable()
{
    TestForm form;
    const QList<QAction*> bar = form.menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->text(), u"文件"_s);
    QVERIFY(bar[0]->isVisible());
    QVERIFY(!bar[1]->isVisible()); // PMenu is hidden but still has its items
    QCOMPARE(form.menu("PMenu").submenu()->actions().size(), 1);
    const QList<QAction*> file = form.menu("MFile").submenu()->actions();
    QCOMPARE(file.size(), 3);
    QCOMPARE(file[0]->text(), u"打开"_s);
    QVERIFY(file[1]->isSeparator());
    QCOMPARE(form.menu("MFile_L1").Caption(), u"-"_s);
    QCOMPARE(file[0]->shortcut(), QKeySequence(u"Ctrl+O"_s));
    QVERIFY(!form.menu("MFile_Mark").Checked());
}

void FormsTest::checkMarksChangeOnlyByTheProgram()
{
    TestForm form;
    MenuItem& mark = form.menu("MFile_Mark");
    int clicks = 0;
    mark.Click = [&] { ++clicks; };
    mark.action()->trigger();
    QVERIFY(!mark.Checked());
    QVERIFY(!mark.action()->isChecked());
    mark.setChecked(true);
    mark.action()->trigger();
    QVERIFY(mark.Checked());
    QVERIFY(mark.action()->isChecked());
    QCOMPARE(clicks, 2);
}

void FormsTest::shortcutRunsTheMenuCommand()
{
    TestForm form;
    show(form);
    form.events.clear();
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(form.events, QStringList{u"MFile_Open"_s});
}

void FormsTest::popupMenuShowsAndReturns()
{
    TestForm form;
    show(form);
    int chosen = 0;
    form.menu("PMenu_Item").Click = [&] { ++chosen; };
    QStringList seen;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        for (QAction* a : popup->actions())
            seen << a->text();
        popup->actions().first()->trigger();
        popup->close();
    });
    form.PopupMenu(form.menu("PMenu"));
    QCOMPARE(seen, QStringList{u"项目"_s});
    QCOMPARE(chosen, 1);
}

void FormsTest::fontSizesTheToolkitCannotTakeAreIgnored()
{
    TestForm form;
    TextBox& t = form.Text1;
    QCOMPARE(t.FontName(), u"宋体"_s);
    QCOMPARE(t.FontSize(), 9.0f);
    // 宋体 and 隶书 are drawn by installed Chinese faces of their own.
    const QString song = uitest::drawingFace(u"宋体"_s);
    const QString li = uitest::drawingFace(u"隶书"_s);
    QVERIFY(QFontDatabase::writingSystems(song).contains(QFontDatabase::SimplifiedChinese));
    QVERIFY(QFontDatabase::writingSystems(li).contains(QFontDatabase::SimplifiedChinese));
    QVERIFY(song != li);
    QCOMPARE(uitest::drawnFace(t.widget()), song);
    t.setFontSize(t.FontSize() + 4);
    QCOMPARE(t.FontSize(), 13.0f);
    QCOMPARE(t.widget()->font().pointSizeF(), 13.0);
    for (float bad : {0.0f, -3.0f, 0.5f, 5000.0f, std::nanf("")}) {
        t.setFontSize(bad);
        QCOMPARE(t.FontSize(), 13.0f);
    }
    t.setFontName(u"隶书"_s);
    QCOMPARE(t.FontName(), u"隶书"_s);
    QCOMPARE(uitest::drawnFace(t.widget()), li);
    QCOMPARE(t.FontSize(), 13.0f);
    t.setFontName(u"@宋体"_s);
    QCOMPARE(t.FontName(), u"@宋体"_s);
    QVERIFY(isVertical(t.FontName()));
}

void FormsTest::labelAutoSizeGrowsRightAndDown()
{
    TestForm form;
    Label& l = form.Label1;
    const QPoint corner = l.widget()->pos();
    l.setCaption(u"最大公因数为12345"_s);
    QCOMPARE(l.widget()->pos(), corner);
    QVERIFY(l.widget()->width() > px(300));
    QVERIFY(l.widget()->width() >= l.widget()->fontMetrics().horizontalAdvance(l.Caption()));
}

void FormsTest::buttonCaptionWrapsWhereItIsTooWide()
{
    TestForm form;
    CommandButton& b = form.Command1;
    auto shownLines = [&] {
        return buttonCaptionLines(b.Caption(), b.widget()->font(), b.widget()->width());
    };
    QCOMPARE(shownLines(), (QStringList{u"确定"_s, u"下行"_s}));
    b.setCaption(u"生成text2中字符"_s);
    const QStringList lines = shownLines();
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.join(QString()), b.Caption());
    for (const QString& line : lines)
        QVERIFY(b.widget()->fontMetrics().horizontalAdvance(line) < b.widget()->width());
    QVERIFY(lines.first().endsWith(u"text2"_s) || lines.first().endsWith(u'中')); // not in a word
    b.setCaption(u"确定"_s);
    QCOMPARE(shownLines(), QStringList{u"确定"_s});
}

void FormsTest::keyPressGivesTheCodeByReference()
{
    TestForm form;
    show(form);
    QList<int> codes;
    form.Text2.KeyPress = [&](rt::Integer& code) {
        codes << code.value();
        if (code.value() == 'x')
            code = 0; // dropped
        if (code.value() == 'a')
            code = 65; // "A"
    };
    form.Text2.setText(QString());
    form.Text2.SetFocus();
    QTest::keyClicks(form.Text2.widget(), u"1xa"_s);
    QTest::keyClick(form.Text2.widget(), Qt::Key_Return);
    QCOMPARE(codes, (QList<int>{'1', 'x', 'a', 13}));
    QCOMPARE(form.Text2.Text(), u"1A"_s);
    // The key put in its place is the user's typing all the same, and undone with it.
    QTest::keySequence(form.Text2.widget(), QKeySequence::Undo);
    QCOMPARE(form.Text2.Text(), QString());
    // The browser's platform sends these keys without their text.
    codes.clear();
    for (const auto key : {Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Left}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(form.Text2.widget(), &press);
    }
    QCOMPARE(codes, (QList<int>{13, 8, 27}));
}

void FormsTest::mouseDownReportsTheButtonAndNoContextMenuShows()
{
    TestForm form;
    show(form);
    QList<int> buttons;
    form.Text1.MouseDown = [&](int button, int, float x, float y) {
        buttons << button;
        QVERIFY(x >= 0 && y >= 0);
    };
    auto* viewport = static_cast<QPlainTextEdit*>(form.Text1.widget())->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(10, 10));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(buttons, (QList<int>{1, 2}));
    QCOMPARE(form.Text1.widget()->contextMenuPolicy(), Qt::PreventContextMenu);
    QCOMPARE(viewport->contextMenuPolicy(), Qt::PreventContextMenu);
    QVERIFY(!QApplication::activePopupWidget());
}

void FormsTest::minimiseAndRestoreFireResize()
{
    TestForm form;
    show(form);
    form.events.clear();
    form.resize(form.width() + 30, form.height());
    QTRY_COMPARE(form.events.count(u"Resize"_s), 1);
    form.showMinimized();
    QTRY_COMPARE(form.events.count(u"Resize"_s), 2);
    form.showNormal();
    QTRY_COMPARE(form.events.count(u"Resize"_s), 3);
}

void FormsTest::optionButtonsFormOneGroup()
{
    TestForm form;
    show(form);
    auto& o1 = form.control<OptionButton>("Option1");
    auto& o2 = form.control<OptionButton>("Option2");
    QStringList clicks;
    o1.Click = [&] { clicks << u"1"_s; };
    o2.Click = [&] { clicks << u"2"_s; };
    QTest::mouseClick(o1.widget(), Qt::LeftButton);
    QTest::mouseClick(o2.widget(), Qt::LeftButton);
    QVERIFY(!o1.Value());
    QVERIFY(o2.Value());
    // Anywhere in its rectangle, as at its top edge above the caption.
    QTest::mouseClick(o1.widget(), Qt::LeftButton, {}, QPoint(o1.widget()->width() - 2, 0));
    QVERIFY(o1.Value());
    QCOMPARE(clicks, (QStringList{u"1"_s, u"2"_s, u"1"_s}));
}

void FormsTest::timerFiresItsEvent()
{
    TestForm form;
    auto& timer = form.control<TimerControl>("Timer1");
    QVERIFY(timer.Enabled());
    QCOMPARE(timer.Interval(), 1000);
    int ticks = 0;
    timer.Timer = [&] { ++ticks; };
    timer.setInterval(20);
    QTRY_VERIFY(ticks >= 2);
    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(60);
    QCOMPARE(ticks, stopped);
}

namespace {

QAccessibleInterface* accessible(const Control& c)
{
    return QAccessible::queryAccessibleInterface(c.widget());
}

QString accessibleText(QWidget* w)
{
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(w)->textInterface();
    return text ? text->text(0, text->characterCount()) : u"(no text interface)"_s;
}

} // namespace

void FormsTest::textBoxesTakeTheirCaptionLabelsAsNames()
{
    const ControlRow rows[] = {
        {Kind::Label, "Label1", u"体重(Kg)"_s, 120, 225, 1170, 285, 0, {}, AutoSize},
        {Kind::TextBox, "Text1", u"50"_s, 1320, 165, 615, 405, 1},
        {Kind::Label, "Label2", u"身高"_s, 2400, 120, 900, 285, 2},
        {Kind::TextBox, "Text2", u"167"_s, 2400, 480, 900, 405, 3},
        {Kind::Label, "Label3", u"远处"_s, 120, 1500, 900, 285, 4},
        {Kind::TextBox, "Text3", {}, 1800, 1500, 900, 405, 5},
    };
    Form form(FormRow{u"标签"_s, 4500, 2400}, rows);
    auto name = [&](const char* box) {
        return accessible(form.control<TextBox>(box))->text(QAccessible::Name);
    };
    QCOMPARE(name("Text1"), u"体重(Kg)"_s); // the label just left of the box
    QCOMPARE(name("Text2"), u"身高"_s);     // the label just above it
    QCOMPARE(name("Text3"), u"Text3"_s);    // too far away to name it: its own name
    QCOMPARE(accessible(form.control<TextBox>("Text1"))->text(QAccessible::Value), u"50"_s);
}

void FormsTest::everyControlTellsItsTextToAssistiveTechnology()
{
    TestForm form;
    for (Control* c : form.controls())
        if (c->widget())
            QCOMPARE(c->widget()->objectName(), c->Name());
    QCOMPARE(accessible(form.Command1)->text(QAccessible::Name), u"确定 下行"_s);
    QCOMPARE(accessible(form.Label1)->text(QAccessible::Name), u"Label1"_s);
    QCOMPARE(accessible(form.Picture1)->text(QAccessible::Name), u"Picture1"_s);
    QCOMPARE(accessible(form.control<OptionButton>("Option2"))->text(QAccessible::Name),
             u"Option2"_s);
    form.Text1.setText(u"一\r\n二"_s);
    QCOMPARE(accessibleText(form.Text1.widget()), u"一\n二"_s);
    form.Command1.setCaption(u"计算"_s);
    QCOMPARE(accessible(form.Command1)->text(QAccessible::Name), u"计算"_s);
}

void FormsTest::eachPressActionIsAClickAtOnce()
{
    TestForm form;
    show(form);
    form.events.clear();
    QAccessibleInterface* button = accessible(form.Command1);
    QCOMPARE(button->role(), QAccessible::Button);
    for (int i = 0; i < 4; ++i)
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(form.events.count(u"Command1.Click"_s), 4);

    auto& option = form.control<OptionButton>("Option2");
    QAccessibleInterface* choice = accessible(option);
    QCOMPARE(choice->role(), QAccessible::RadioButton);
    QVERIFY(choice->state().checkable && !choice->state().checked);
    choice->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(option.Value());
    QVERIFY(choice->state().checked);
}

void FormsTest::printedLinesAreTheSurfacesAccessibleText()
{
    TestForm form;
    show(form);
    QCOMPARE(accessibleText(form.Picture1.widget()), QString());

    form.Picture1.Print(u"数字字符个数"_s, Semi, 3);
    form.Picture1.Print(u"排序后的数列："_s);
    form.Picture1.Print(7, Semi);
    QCOMPARE(accessibleText(form.Picture1.widget()), u"数字字符个数 3 \n排序后的数列：\n 7 "_s);
    QAccessibleTextInterface* text =
        QAccessible::queryAccessibleInterface(form.Picture1.widget())->textInterface();
    // The second line starts one line height below the first, at the surface's left edge.
    const QRect first = text->characterRect(0);
    const QRect second = text->characterRect(10);
    QVERIFY(first.isValid());
    QCOMPARE(second.left(), first.left());
    QVERIFY(second.top() > first.top());
    QCOMPARE(text->offsetAtPoint(second.center()), 10);

    form.Picture1.Cls();
    QCOMPARE(accessibleText(form.Picture1.widget()), QString());

    form.Print(u"窗体上"_s);
    QCOMPARE(accessibleText(&form.client()), u"窗体上"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(&form.client())->text(QAccessible::Value),
             u"窗体上"_s);
}

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
