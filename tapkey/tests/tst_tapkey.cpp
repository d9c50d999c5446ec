#include "form1.h"
#include "tests/windowtest.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QtEndian>

using namespace Qt::StringLiterals;
using namespace tapkey;

namespace {

const QColor kKeyFace(236, 233, 216);

forms::CommandButton& key(Form1& form, const QString& name)
{
    return form.control<forms::CommandButton>(name.toLatin1().constData());
}

// Presses the keys with the mouse, as the user does.
void press(Form1& form, const QStringList& keys)
{
    for (const QString& name : keys)
        QTest::mouseClick(key(form, name).widget(), Qt::LeftButton);
}

QPlainTextEdit* displayBox(Form1& form)
{
    return static_cast<QPlainTextEdit*>(form.Text1.widget());
}

quint32 le32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

class TapkeyTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"tapkey"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void windowIsAFramelessBlackHandsetInTheMiddle();
    void controlsStandFromTheWindowsCorner();
    void enterInTheDisplayPressesNoKey();
    void keysEnterDigits_data();
    void keysEnterDigits();
    void modeKeyFlipsItsCaptionOnly();
    void doubleClicks_data();
    void doubleClicks();
    void keyboardCannotChangeTheDisplay_data();
    void keyboardCannotChangeTheDisplay();
    void accessibilityClientCannotChangeTheDisplay();
    void longNumbersWrapAndScroll();
    void pictureIsTheKeyFaceBitmap();
};

void TapkeyTest::windowIsAFramelessBlackHandsetInTheMiddle()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    // No frame and no menu: the client area is the whole window, from its top-left corner.
    QCOMPARE(form.client().geometry(), QRect(0, 0, 354, 506));
    QCOMPARE(form.size(), QSize(354, 506));
    // Without a frame its size is fixed: a window manager can neither grow nor maximise it.
    form.resize(414, 566);
    form.showMaximized();
    QCOMPARE(form.size(), QSize(354, 506));
    QCOMPARE(form.ScaleWidth(), 5310);
    QCOMPARE(form.ScaleHeight(), 7590);
    QCOMPARE(form.client().grab().toImage().pixelColor(2, 2), QColor(Qt::black));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(form.geometry().topLeft(),
             screen.topLeft() + QPoint((screen.width() - 354) / 2, (screen.height() - 506) / 2));
}

void TapkeyTest::controlsStandFromTheWindowsCorner()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    for (const forms::Control* c : form.controls()) {
        // Relative to the window itself, since the client area starts at its corner.
        QCOMPARE(c->widget()->mapTo(&form, QPoint(0, 0)), c->widget()->pos());
        QVERIFY(c->widget()->isVisible());
        QVERIFY(c->widget()->isEnabled());
    }
}

// No key is a default button that Enter in the display would press.
void TapkeyTest::enterInTheDisplayPressesNoKey()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QCOMPARE(QApplication::focusWidget(), form.Text1.widget());
    for (const forms::Control* c : form.controls())
        if (auto* button = qobject_cast<QPushButton*>(c->widget()))
            QVERIFY(!button->isDefault());
    QTest::keyClick(form.Text1.widget(), Qt::Key_Return);
    QCOMPARE(form.Text1.Text(), QString());
}

void TapkeyTest::keysEnterDigits_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("1 2 3 then c") << QStringList{u"Command1"_s, u"Command2"_s, u"Command3"_s,
                                                 u"Command10"_s}
                                  << u"12"_s;
    QTest::newRow("every digit key in turn")
        << QStringList{u"Command1"_s, u"Command2"_s, u"Command3"_s, u"Command4"_s, u"Command5"_s,
                       u"Command6"_s, u"Command7"_s, u"Command8"_s, u"Command9"_s, u"Command11"_s}
        << u"1234567890"_s;
    QTest::newRow("c on an empty display, often")
        << QStringList{u"Command10"_s, u"Command10"_s, u"Command10"_s} << QString();
    QTest::newRow("c on one digit") << QStringList{u"Command5"_s, u"Command10"_s} << QString();
    QTest::newRow("c past empty, then a digit")
        << QStringList{u"Command8"_s, u"Command10"_s, u"Command10"_s, u"Command11"_s} << u"0"_s;
    QTest::newRow("the same key twice, no cycling")
        << QStringList{u"Command7"_s, u"Command7"_s} << u"77"_s;
    QTest::newRow("c takes only the last")
        << QStringList{u"Command9"_s, u"Command11"_s, u"Command11"_s, u"Command10"_s} << u"90"_s;
}

void TapkeyTest::keysEnterDigits()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, display);
    Form1 form;
    QVERIFY(uitest::show(form));
    press(form, keys);
    QCOMPARE(form.Text1.Text(), display);
    QCOMPARE(displayBox(form)->toPlainText(), display);
    QVERIFY(host->shown.isEmpty()); // no run-time error on the way
    QCOMPARE(host->ends, 0);
}

void TapkeyTest::modeKeyFlipsItsCaptionOnly()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    press(form, {u"Command12"_s});
    QCOMPARE(form.Command12.Caption(), u"abc"_s);
    QCOMPARE(form.Text1.Text(), QString());
    // The digit keys work the same in either mode.
    press(form, {u"Command2"_s, u"Command2"_s});
    QCOMPARE(form.Text1.Text(), u"22"_s);
    press(form, {u"Command12"_s});
    QCOMPARE(form.Command12.Caption(), u"123"_s);
    press(form, {u"Command3"_s, u"Command10"_s, u"Command12"_s, u"Command12"_s, u"Command12"_s});
    QCOMPARE(form.Text1.Text(), u"22"_s);
    QCOMPARE(form.Command12.Caption(), u"abc"_s);
    QCOMPARE(form.Command2.Caption(), u"2\r\nabc"_s);
}

void TapkeyTest::doubleClicks_data()
{
    QTest::addColumn<QString>("target"); // a control, or empty for the background
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("ends");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("mode");
    QTest::newRow("background above the display")
        << QString() << QPoint(177, 10) << 1 << u"4"_s << u"123"_s;
    QTest::newRow("background between two keys")
        << QString() << QPoint(125, 240) << 1 << u"4"_s << u"123"_s;
    QTest::newRow("background below the keypad")
        << QString() << QPoint(300, 500) << 1 << u"4"_s << u"123"_s;
    // A double-click on a key is two quick presses of it.
    QTest::newRow("digit key") << u"Command1"_s << QPoint() << 0 << u"411"_s << u"123"_s;
    QTest::newRow("c key") << u"Command10"_s << QPoint() << 0 << QString() << u"123"_s;
    QTest::newRow("mode key") << u"Command12"_s << QPoint() << 0 << u"4"_s << u"123"_s;
    QTest::newRow("display") << u"Text1"_s << QPoint() << 0 << u"4"_s << u"123"_s;
}

void TapkeyTest::doubleClicks()
{
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(int, ends);
    QFETCH(QString, display);
    QFETCH(QString, mode);
    Form1 form;
    QVERIFY(uitest::show(form));
    press(form, {u"Command4"_s});
    QWidget* widget = target.isEmpty()
                          ? &form.client()
                          : form.control<forms::Control>(target.toLatin1().constData()).widget();
    if (target.isEmpty())
        QCOMPARE(form.client().childAt(at), nullptr);
    if (widget == form.Text1.widget())
        widget = displayBox(form)->viewport();
    uitest::doubleClick(widget, at);
    QCOMPARE(host->ends, ends);
    QCOMPARE(form.Text1.Text(), display);
    QCOMPARE(form.Command12.Caption(), mode);
    QVERIFY(host->shown.isEmpty());
}

void TapkeyTest::keyboardCannotChangeTheDisplay_data()
{
    QTest::addColumn<QKeySequence>("keys"); // empty: type "56a" instead
    QTest::newRow("typing") << QKeySequence();
    QTest::newRow("Backspace") << QKeySequence(Qt::Key_Backspace);
    QTest::newRow("Delete") << QKeySequence(Qt::Key_Delete);
    QTest::newRow("paste") << QKeySequence(QKeySequence::Paste);
    QTest::newRow("Shift+Insert") << QKeySequence(Qt::SHIFT | Qt::Key_Insert);
    QTest::newRow("cut") << QKeySequence(QKeySequence::Cut);
    QTest::newRow("Enter") << QKeySequence(Qt::Key_Return);
    QTest::newRow("Ctrl+Backspace") << QKeySequence(Qt::CTRL | Qt::Key_Backspace);
}

void TapkeyTest::keyboardCannotChangeTheDisplay()
{
    QFETCH(QKeySequence, keys);
    Form1 form;
    QVERIFY(uitest::show(form));
    press(form, {u"Command1"_s, u"Command2"_s});
    QApplication::clipboard()->setText(u"999"_s);
    QTest::mouseClick(displayBox(form)->viewport(), Qt::LeftButton, {}, QPoint(200, 100));
    QCOMPARE(QApplication::focusWidget(), form.Text1.widget());
    // Selecting still works, and a selection is what cut, Delete and paste would replace.
    QTest::keySequence(form.Text1.widget(), QKeySequence::SelectAll);
    QCOMPARE(form.Text1.SelText(), u"12"_s);
    if (keys.isEmpty())
        QTest::keyClicks(form.Text1.widget(), u"56a"_s);
    else
        QTest::keySequence(form.Text1.widget(), keys);
    QCOMPARE(form.Text1.Text(), u"12"_s);
    // With the cursor at the end, no selection.
    QTest::keyClick(form.Text1.widget(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(form.Text1.SelStart(), 2);
    if (keys.isEmpty())
        QTest::keyClicks(form.Text1.widget(), u"7"_s);
    else
        QTest::keySequence(form.Text1.widget(), keys);
    QCOMPARE(form.Text1.Text(), u"12"_s);
    QCOMPARE(QApplication::focusWidget(), form.Text1.widget());
}

void TapkeyTest::accessibilityClientCannotChangeTheDisplay()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Command1.setValue(true);
    form.Command2.setValue(true);
    int changes = 0;
    form.Text1.Change = [&] { ++changes; };
    // A screen reader or a testing tool edits through the box's editable-text interface.
    QAccessibleEditableTextInterface* edit =
        QAccessible::queryAccessibleInterface(form.Text1.widget())->editableTextInterface();
    QVERIFY(edit);
    edit->insertText(0, u"987"_s);
    edit->replaceText(0, 1, u"Y"_s);
    edit->deleteText(0, 2);
    QCOMPARE(form.Text1.Text(), u"12"_s);
    QCOMPARE(changes, 0);
    form.Command3.setValue(true); // the keys still write into it
    QCOMPARE(form.Text1.Text(), u"123"_s);
    QCOMPARE(changes, 1);
}

void TapkeyTest::longNumbersWrapAndScroll()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QScrollBar* bar = displayBox(form)->verticalScrollBar();
    QVERIFY(bar->isVisible()); // even while the display is empty
    QCOMPARE(bar->maximum(), 0);
    for (int i = 0; i < 300; ++i)
        form.Command8.setValue(true);
    QCOMPARE(form.Text1.Text(), QString(300, u'8'));
    // One long number with no blanks still wraps at the box's width.
    QVERIFY(!displayBox(form)->horizontalScrollBar()->isVisible());
    QCOMPARE(displayBox(form)->document()->blockCount(), 1);
    QVERIFY(displayBox(form)->document()->firstBlock().layout()->lineCount() > 1);
    QVERIFY(bar->maximum() > 0);
    form.Text1.SetFocus();
    // The cursor keys still move through a locked display, and it scrolls with them.
    QTest::keyClick(form.Text1.widget(), Qt::Key_End, Qt::ControlModifier);
    QVERIFY(bar->value() > 0);
    QTest::keyClick(form.Text1.widget(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(form.Text1.Text().size(), 300);
}

void TapkeyTest::pictureIsTheKeyFaceBitmap()
{
    QFile file(u":/tapkey/swap.bmp"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 1986);
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(le32(bytes, 2), 1986u);  // file size
    QCOMPARE(le32(bytes, 10), 54u);   // pixels after the two headers
    QCOMPARE(le32(bytes, 14), 40u);   // the plain info header
    QCOMPARE(le32(bytes, 18), 27u);   // width
    QCOMPARE(le32(bytes, 22), 23u);   // height, bottom row first
    QCOMPARE(le16(bytes, 28), 24);    // bits per pixel
    QCOMPARE(le32(bytes, 30), 0u);    // uncompressed
    QCOMPARE(le32(bytes, 34), 1932u); // 23 rows of 84 bytes

    const QImage image = QImage::fromData(bytes, "BMP");
    QCOMPARE(image.size(), QSize(27, 23));
    for (const QPoint corner : {QPoint(0, 0), QPoint(26, 0), QPoint(0, 22), QPoint(26, 22)})
        QCOMPARE(image.pixelColor(corner), kKeyFace);
    int red = 0;
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
            blue += c.blue() > 150 && c.red() < 80 && c.green() < 100;
        }
    QVERIFY2(red > 20 && blue > 20, qPrintable(u"red %1, blue %2"_s.arg(red).arg(blue)));

    // The mode key draws it: its face colour shows on the button, above the caption.
    Form1 form;
    QVERIFY(uitest::show(form));
    const QImage drawn = form.Command12.widget()->grab().toImage();
    int face = 0;
    int highest = -1;
    int lowest = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixelColor(x, y) == kKeyFace) {
                ++face;
                highest = highest < 0 ? y : highest;
                lowest = y;
            }
    const qreal ratio = drawn.devicePixelRatio();
    QVERIFY2(face > 300 * ratio * ratio, qPrintable(QString::number(face)));
    // The caption's first dark row lies below the picture, on a scaled desktop too.
    int captionTop = -1;
    for (int y = 0; y < drawn.height() && captionTop < 0; ++y)
        for (int x = drawn.width() / 4; x < drawn.width() * 3 / 4; ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (y > lowest && c.red() < 80 && c.green() < 80 && c.blue() < 80) {
                captionTop = y;
                break;
            }
        }
    QVERIFY2(captionTop > lowest, qPrintable(u"%1 %2"_s.arg(captionTop).arg(lowest)));
    QVERIFY(captionTop < drawn.height() - 8 * ratio);
    // Nothing of the caption within the picture.
    for (int y = highest; y <= lowest; ++y)
        for (int x = drawn.width() / 4; x < drawn.width() * 3 / 4; ++x) {
            const QColor c = drawn.pixelColor(x, y);
            QVERIFY2(!(c.red() < 60 && c.green() < 60 && c.blue() < 60),
                     qPrintable(u"dark at %1,%2 above %3"_s.arg(x).arg(y).arg(lowest)));
        }
}

QTEST_MAIN(TapkeyTest)
#include "tst_tapkey.moc"
