#include "form1.h"
#include "gcd.h"
#include "tests/windowtest.h"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace pairfactor;

namespace {

const QString kPrefix = u"最大公因数为"_s;

// Types into a box as the user does: the old text selected away, then the keys.
void type(forms::TextBox& box, const QString& text)
{
    box.SetFocus();
    QTest::keyClick(box.widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box.widget(), Qt::Key_Delete);
    QTest::keyClicks(box.widget(), text);
}

void press(Form1& form)
{
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
}

} // namespace

class PairfactorTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"pairfactor"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void gcdExchangesThroughTheReferences_data();
    void gcdExchangesThroughTheReferences();
    void buttonShowsTheDivisorOfTheTypedTexts_data();
    void buttonShowsTheDivisorOfTheTypedTexts();
    void overflowIsTrappedAndTheLabelKeepsItsCaption_data();
    void overflowIsTrappedAndTheLabelKeepsItsCaption();
    void labelGrowsRightAndDownFromItsCorner();
};

void PairfactorTest::gcdExchangesThroughTheReferences_data()
{
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("mAfter");
    QTest::addColumn<int>("nAfter");

    QTest::newRow("smaller first: exchanged") << 24 << 46 << 2 << 46 << 24;
    QTest::newRow("larger first: untouched") << 46 << 24 << 2 << 46 << 24;
    QTest::newRow("deepest nesting") << 17711 << 28657 << 1 << 28657 << 17711;
    QTest::newRow("equal") << 17 << 17 << 17 << 17 << 17;
    QTest::newRow("divides evenly") << 4 << 12 << 4 << 12 << 4;
    QTest::newRow("largest Integer") << 32767 << 32767 << 32767 << 32767 << 32767;
    QTest::newRow("coprime at the top") << 32766 << 32767 << 1 << 32767 << 32766;
    // 0 returns before any exchange, even when it is the smaller one.
    QTest::newRow("first 0") << 0 << 5 << 0 << 0 << 5;
    QTest::newRow("second 0") << 5 << 0 << 0 << 5 << 0;
    QTest::newRow("both 0") << 0 << 0 << 0 << 0 << 0;
}

void PairfactorTest::gcdExchangesThroughTheReferences()
{
    QFETCH(int, m);
    QFETCH(int, n);
    QFETCH(int, result);
    QFETCH(int, mAfter);
    QFETCH(int, nAfter);
    rt::Integer a = m;
    rt::Integer b = n;
    QCOMPARE(GCD(a, b).value(), result);
    QCOMPARE(a.value(), mAfter);
    QCOMPARE(b.value(), nAfter);
}

void PairfactorTest::buttonShowsTheDivisorOfTheTypedTexts_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("result");

    QTest::newRow("initial texts") << u"24"_s << u"46"_s << u"2"_s;
    QTest::newRow("other way round") << u"46"_s << u"24"_s << u"2"_s;
    QTest::newRow("0 first") << u"0"_s << u"46"_s << u"0"_s;
    QTest::newRow("0 second") << u"24"_s << u"0"_s << u"0"_s;
    QTest::newRow("0 and 0") << u"0"_s << u"0"_s << u"0"_s;
    QTest::newRow("negative") << u"-24"_s << u"46"_s << u"2"_s;
    QTest::newRow("both negative") << u"-24"_s << u"-36"_s << u"12"_s;
    QTest::newRow("2.5 counts 2") << u"2.5"_s << u"4"_s << u"2"_s;
    QTest::newRow("3.5 counts 4") << u"3.5"_s << u"6"_s << u"2"_s;
    QTest::newRow("7.5 counts 8") << u"7.5"_s << u"6"_s << u"2"_s;
    QTest::newRow("4.5 counts 4") << u"12"_s << u"4.5"_s << u"4"_s;
    QTest::newRow("leading number") << u"12abc"_s << u"18"_s << u"6"_s;
    QTest::newRow("letters only") << u"abc"_s << u"18"_s << u"0"_s;
    QTest::newRow("empty") << QString() << u"18"_s << u"0"_s;
    QTest::newRow("equal") << u"17"_s << u"17"_s << u"17"_s;
    QTest::newRow("deepest nesting") << u"17711"_s << u"28657"_s << u"1"_s;
    QTest::newRow("largest accepted") << u"32767"_s << u"32767"_s << u"32767"_s;
    QTest::newRow("just below the top") << u"32767.4"_s << u"-32766.6"_s << u"32767"_s;
}

void PairfactorTest::buttonShowsTheDivisorOfTheTypedTexts()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, result);
    Form1 form;
    QVERIFY(uitest::show(form));
    type(form.Text1, first);
    type(form.Text2, second);
    press(form);
    QCOMPARE(form.Label1.Caption(), kPrefix + result);
    QVERIFY(host->shown.isEmpty());
    // The fields are left as the user typed them.
    QCOMPARE(form.Text1.Text(), first);
    QCOMPARE(form.Text2.Text(), second);
}

void PairfactorTest::overflowIsTrappedAndTheLabelKeepsItsCaption_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("32768 first") << u"32768"_s << u"46"_s;
    QTest::newRow("32768 second") << u"24"_s << u"32768"_s;
    QTest::newRow("-32768") << u"-32768"_s << u"46"_s;
    QTest::newRow("1e5") << u"24"_s << u"1e5"_s;
    QTest::newRow("32767.5 rounds up") << u"32767.5"_s << u"46"_s;
    QTest::newRow("beyond a Double") << u"1e999"_s << u"46"_s;
}

void PairfactorTest::overflowIsTrappedAndTheLabelKeepsItsCaption()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    Form1 form;
    QVERIFY(uitest::show(form));
    press(form);
    QCOMPARE(form.Label1.Caption(), kPrefix + u"2"_s);

    type(form.Text1, first);
    type(form.Text2, second);
    press(form);
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"溢出"_s);
    QCOMPARE(host->shown[0].title, u"pairfactor"_s);
    QCOMPARE(form.Label1.Caption(), kPrefix + u"2"_s);
    QCOMPARE(host->ends, 0);

    // The program goes on: the next press with sound texts works.
    type(form.Text1, u"12"_s);
    type(form.Text2, u"18"_s);
    QTest::keyClick(form.Command1.widget(), Qt::Key_Space);
    QCOMPARE(form.Label1.Caption(), kPrefix + u"6"_s);
    QCOMPARE(host->shown.size(), 1);
}

void PairfactorTest::labelGrowsRightAndDownFromItsCorner()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QWidget* label = form.Label1.widget();
    const QSize before = label->size();
    type(form.Text1, u"17711"_s);
    type(form.Text2, u"17711"_s);
    press(form);
    QCOMPARE(form.Label1.Caption(), kPrefix + u"17711"_s);
    uitest::checkLayout(form); // the label keeps its corner
    QVERIFY(label->width() > before.width());
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(form.Label1.Caption()));
    QVERIFY(label->height() >= label->fontMetrics().height());
    QVERIFY(form.client().rect().contains(label->geometry()));
}

QTEST_MAIN(PairfactorTest)
#include "tst_pairfactor.moc"
