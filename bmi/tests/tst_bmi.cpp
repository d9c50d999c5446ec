#include "bodymass.h"
#include "form1.h"
#include "tests/windowtest.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace bmi;

namespace {

// The texts the clock gives for TestHost's fixed moment.
QString today(const TestHost& host)
{
    return rt::shortDate(host.clock.date(), QLocale::system());
}

void type(forms::TextBox& box, const QString& text)
{
    box.setText(QString());
    box.SetFocus();
    QTest::keyClicks(box.widget(), text);
}

} // namespace

class BmiTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"bmi"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void indexToTwoPlacesInSinglePrecision_data();
    void indexToTwoPlacesInSinglePrecision();
    void calculationPrintsOrRefuses_data();
    void calculationPrintsOrRefuses();
    void enterInEitherBoxCalculatesAndKeepsTheKeys_data();
    void enterInEitherBoxCalculatesAndKeepsTheKeys();
    void eachCalculationAddsALineAndBadInputLeavesThem();
    void indexBeyondTheSingleRangeIsTrappedAndTheProgramGoesOn();
    void timerPutsTheTimeInTheTitle();
    void aScreenReaderHearsTheCaptionsAndThePrintedLines();
};

void BmiTest::indexToTwoPlacesInSinglePrecision_data()
{
    QTest::addColumn<float>("weight");
    QTest::addColumn<float>("height");
    QTest::addColumn<QString>("index"); // empty when the calculation raises the error
    QTest::addColumn<QString>("error");

    QTest::newRow("no trailing zero") << 90.0f << 200.0f << u"22.5"_s << QString();
    QTest::newRow("whole number") << 45.0f << 150.0f << u"20"_s << QString();
    QTest::newRow("fractions") << 62.5f << 170.2f << u"21.58"_s << QString();
    // The height in metres is a Single: 1.60000002 m, so 11.8749990 and not 11.875.
    QTest::newRow("metres in single precision") << 30.4f << 160.0f << u"11.87"_s << QString();
    // A height so small that in metres no Single holds it leaves nothing to divide by.
    QTest::newRow("height vanishes in metres") << 50.0f << 1e-44f << QString() << u"除数为零"_s;
}

void BmiTest::indexToTwoPlacesInSinglePrecision()
{
    QFETCH(float, weight);
    QFETCH(float, height);
    QFETCH(QString, index);
    QFETCH(QString, error);
    QString raised;
    QString text;
    try {
        text = IndexText(BodyMassIndex(weight, height));
    } catch (const rt::Error& e) {
        raised = e.message();
    }
    QCOMPARE(text, index);
    QCOMPARE(raised, error);
}

void BmiTest::calculationPrintsOrRefuses_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("index");   // after 的BMI是; empty when nothing is printed
    QTest::addColumn<QString>("message"); // the one message box, if any

    const QString refused = u"输入错误"_s;
    QTest::newRow("initial texts") << u"50"_s << u"167"_s << u"17.93"_s << QString();
    QTest::newRow("leading number") << u"70kg"_s << u"175"_s << u"22.86"_s << QString();
    QTest::newRow("letters only") << u"kg"_s << u"167"_s << QString() << refused;
    QTest::newRow("empty height") << u"50"_s << QString() << QString() << refused;
    QTest::newRow("height 0") << u"50"_s << u"0"_s << QString() << refused;
    QTest::newRow("negative height") << u"50"_s << u"-167"_s << QString() << refused;
    QTest::newRow("negative weight") << u"-50"_s << u"167"_s << QString() << refused;
    QTest::newRow("both 0") << u"0"_s << u"0"_s << QString() << refused;
    // A weight no Single can hold is the overflow error, trapped like any other.
    QTest::newRow("weight too large") << u"1e39"_s << u"167"_s << QString() << u"溢出"_s;
}

void BmiTest::calculationPrintsOrRefuses()
{
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, index);
    QFETCH(QString, message);
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text1.setText(weight);
    form.Text2.setText(height);
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);

    if (message.isEmpty()) {
        QVERIFY(host->shown.isEmpty());
    } else {
        QCOMPARE(host->shown.size(), 1);
        QCOMPARE(host->shown[0].prompt, message);
        QCOMPARE(host->shown[0].buttons, 0);
        QCOMPARE(host->shown[0].title, u"bmi"_s);
    }
    const QStringList expected =
        index.isEmpty() ? QStringList() : QStringList{today(*host) + u"的BMI是"_s + index};
    QCOMPARE(form.Picture1.printedLines(), expected);
    QCOMPARE(host->ends, 0);
}

void BmiTest::enterInEitherBoxCalculatesAndKeepsTheKeys_data()
{
    QTest::addColumn<bool>("inHeightBox");
    QTest::newRow("weight box") << false;
    QTest::newRow("height box") << true;
}

void BmiTest::enterInEitherBoxCalculatesAndKeepsTheKeys()
{
    QFETCH(bool, inHeightBox);
    Form1 form;
    QVERIFY(uitest::show(form));
    type(form.Text1, u"90kg"_s);
    type(form.Text2, u"200cm"_s);
    QCOMPARE(form.Text1.Text(), u"90kg"_s); // letters are not discarded
    QCOMPARE(form.Text2.Text(), u"200cm"_s);
    QVERIFY(form.Picture1.printedLines().isEmpty()); // no key but Enter calculates

    forms::TextBox& box = inHeightBox ? form.Text2 : form.Text1;
    box.SetFocus();
    QTest::keyClick(box.widget(), Qt::Key_Return);
    QCOMPARE(form.Picture1.printedLines(), QStringList{today(*host) + u"的BMI是22.5"_s});
    QCOMPARE(box.Text(), inHeightBox ? u"200cm"_s : u"90kg"_s);
    QVERIFY(host->shown.isEmpty());
}

void BmiTest::eachCalculationAddsALineAndBadInputLeavesThem()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    form.Text1.setText(u"45"_s);
    form.Text2.setText(u"150"_s);
    QTest::keyClick(form.Text2.widget(), Qt::Key_Enter); // the keypad's Enter too
    const QString date = today(*host);
    const QStringList two{date + u"的BMI是17.93"_s, date + u"的BMI是20"_s};
    QCOMPARE(form.Picture1.printedLines(), two);

    form.Text2.setText(u"0"_s);
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"输入错误"_s);
    QCOMPARE(form.Picture1.printedLines(), two);
    QCOMPARE(form.Picture1.surface().CurrentX(), 0.0f); // the next line starts at the left
}

void BmiTest::indexBeyondTheSingleRangeIsTrappedAndTheProgramGoesOn()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text2.setText(u"1e-30"_s); // 50 / (1e-32)^2 is far beyond a Single
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"溢出"_s);
    QVERIFY(form.Picture1.printedLines().isEmpty());

    form.Text2.setText(u"167"_s);
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QCOMPARE(form.Picture1.printedLines(), QStringList{today(*host) + u"的BMI是17.93"_s});
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->ends, 0);
}

void BmiTest::timerPutsTheTimeInTheTitle()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QCOMPARE(form.Caption(), u"Form1"_s);
    form.Timer1.Timer();
    const QString first = rt::longTime(QTime(14, 5, 7), QLocale::system());
    QCOMPARE(form.Caption(), first);
    QVERIFY(first.contains(u"05"_s) && first.contains(u"07"_s));

    host->clock = host->clock.addSecs(1);
    form.Timer1.Timer();
    QCOMPARE(form.Caption(), rt::longTime(QTime(14, 5, 8), QLocale::system()));
    QCOMPARE(form.Text1.Text(), u"50"_s); // nothing else changes
    QVERIFY(form.Picture1.printedLines().isEmpty());

    // The real clock: the title changes about a second after the window opens.
    host->clock = host->clock.addSecs(1);
    QTRY_COMPARE_WITH_TIMEOUT(form.Caption(), rt::longTime(QTime(14, 5, 9), QLocale::system()),
                              3000);
}

void BmiTest::aScreenReaderHearsTheCaptionsAndThePrintedLines()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    auto name = [](const forms::Control& c) {
        return QAccessible::queryAccessibleInterface(c.widget())->text(QAccessible::Name);
    };
    QCOMPARE(name(form.Text1), u"体重(Kg)"_s);
    QCOMPARE(name(form.Text2), u"身高(Cm)"_s);
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    QAccessibleTextInterface* printed =
        QAccessible::queryAccessibleInterface(form.Picture1.widget())->textInterface();
    QVERIFY(printed);
    QCOMPARE(printed->text(0, printed->characterCount()), today(*host) + u"的BMI是17.93"_s);
}

QTEST_MAIN(BmiTest)
#include "tst_bmi.moc"
