#include "form1.h"
#include "glyphs.h"
#include "tests/windowtest.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace glyphmix;

namespace {

const QStringList kLabels{u"数字字符个数"_s, u"大写字母个数"_s, u"小写字母个数"_s,
                          u"标点字符个数"_s};

// A point on the window's background, clear of every control.
const QPoint kBackground(5, 5);

void click(QWidget* widget, QPoint at = {})
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

void clickBackground(Form1& form)
{
    click(&form.client(), kBackground);
}

// The four counts read back from Picture1, checking the label and number form of each line.
QList<int> printedCounts(const Form1& form)
{
    const QStringList lines = form.Picture1.printedLines();
    if (lines.size() != 5 || !lines[0].isEmpty())
        return {};
    QList<int> counts;
    for (int i = 0; i < 4; ++i) {
        const QString& line = lines[i + 1];
        if (!line.startsWith(kLabels[i] + u' ') || !line.endsWith(u' '))
            return {};
        bool ok = false;
        counts << line.mid(kLabels[i].size() + 1).chopped(1).toInt(&ok);
        if (!ok)
            return {};
    }
    return counts;
}

QList<int> countsOf(const QString& text)
{
    const ClassCounts n = CountClasses(text);
    return {n.digits.value(), n.capitals.value(), n.smalls.value(), n.others.value()};
}

} // namespace

class GlyphmixTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"glyphmix"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void loadFillsText1BeforeTheWindowShows();
    void everySeedGivesSequencesThatStopWhereTheyShould();
    void backgroundClickReseedsAndCommand1DoesNot();
    void clickOnAControlDoesNotRunTheLoadRoutine();
    void countsClassifyByCode_data();
    void countsClassifyByCode();
    void countsOfBothBoxesReplaceWhatThePictureHeld();
    void typedLineBreakBlankAndChineseCountAsOthers();
    void countPastTheIntegerRangeIsTrappedAndTheProgramGoesOn();
};

void GlyphmixTest::loadFillsText1BeforeTheWindowShows()
{
    Form1 form;
    QString atFirstShow;
    form.Resize = [&] {
        if (atFirstShow.isNull())
            atFirstShow = form.Text1.Text();
    };
    QVERIFY(uitest::show(form));
    QVERIFY(atFirstShow.endsWith(u'Z'));
    QCOMPARE(form.Text2.Text(), QString());
    QCOMPARE(form.Picture1.printedLines(), QStringList());
}

// Many seeds: the first drawing ends at its only "Z", the second at its first repeat, the
// counts cover every character once, and every printable code turns up.
void GlyphmixTest::everySeedGivesSequencesThatStopWhereTheyShould()
{
    QSet<int> seen;
    for (quint64 seed = 1; seed <= 200; ++seed) {
        host->seed = seed * 7919;
        rt::Randomize();
        const QString t1 = DrawUntilZ();
        QVERIFY2(t1.endsWith(u'Z') && t1.count(u'Z') == 1, qPrintable(t1));

        const QString t2 = DrawUntilRepeat();
        QVERIFY(t2.size() >= 2 && t2.size() <= 95);
        QCOMPARE(t2.count(t2.back()), 2);
        for (QChar ch : t2.chopped(1))
            QVERIFY2(t2.chopped(1).count(ch) == 1, qPrintable(t2));

        const QList<int> counts = countsOf(t1 + t2);
        QCOMPARE(counts.size(), 4);
        QCOMPARE(counts[0] + counts[1] + counts[2] + counts[3], int(t1.size() + t2.size()));
        QVERIFY(counts[1] >= 1); // the "Z"

        for (QChar ch : t1 + t2) {
            QVERIFY(ch.unicode() >= 33 && ch.unicode() <= 126);
            seen.insert(ch.unicode());
        }
    }
    QCOMPARE(seen.size(), 94);
    QVERIFY(host->shown.isEmpty());
}

void GlyphmixTest::backgroundClickReseedsAndCommand1DoesNot()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    host->seed = 42;
    clickBackground(form);
    const QString first = form.Text1.Text();
    click(form.Command1.widget());
    const QString firstText2 = form.Text2.Text();
    click(form.Command1.widget());
    QVERIFY(form.Text2.Text() != firstText2); // the sequence goes on, no new seed

    clickBackground(form);
    QCOMPARE(form.Text1.Text(), first); // the same seed again
    click(form.Command1.widget());
    QCOMPARE(form.Text2.Text(), firstText2);

    host->seed = 43;
    clickBackground(form);
    QVERIFY(form.Text1.Text() != first);
    QCOMPARE(form.Text2.Text(), firstText2); // a new Text1 leaves Text2 alone
}

void GlyphmixTest::clickOnAControlDoesNotRunTheLoadRoutine()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text1.setText(u"abc"_s);
    click(form.Command1.widget());
    click(form.Command2.widget());
    click(static_cast<QPlainTextEdit*>(form.Text1.widget())->viewport());
    click(static_cast<QPlainTextEdit*>(form.Text2.widget())->viewport());
    click(form.Picture1.widget());
    uitest::doubleClick(form.Command2.widget());
    QCOMPARE(form.Text1.Text(), u"abc"_s);
    clickBackground(form);
    QVERIFY(form.Text1.Text().endsWith(u'Z'));
}

void GlyphmixTest::countsClassifyByCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("counts"); // digits, capitals, small letters, others

    QTest::newRow("empty") << QString() << QList<int>{0, 0, 0, 0};
    QTest::newRow("class edges") << u"/09:@AZ[`az{~"_s << QList<int>{2, 2, 2, 7};
    QTest::newRow("line break is two") << u"a\r\nb"_s << QList<int>{0, 0, 2, 2};
    QTest::newRow("double-byte") << u"中文１Ａａ"_s << QList<int>{0, 0, 0, 5};
    QTest::newRow("blanks") << u"   x"_s << QList<int>{0, 0, 1, 3};
}

void GlyphmixTest::countsClassifyByCode()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, counts);
    QCOMPARE(countsOf(text), counts);
}

void GlyphmixTest::countsOfBothBoxesReplaceWhatThePictureHeld()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Picture1.Print(u"old"_s);
    form.Text1.setText(u"Z1"_s);
    form.Text2.setText(u"z!"_s);
    click(form.Command2.widget());
    QCOMPARE(printedCounts(form), (QList<int>{1, 1, 1, 1}));
    QCOMPARE(form.Picture1.printedLines().value(1), u"数字字符个数 1 "_s);
}

void GlyphmixTest::typedLineBreakBlankAndChineseCountAsOthers()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text1.setText(QString());
    form.Text2.setText(QString());
    form.Text1.SetFocus();
    QTest::keyClicks(form.Text1.widget(), u"a"_s);
    QTest::keyClick(form.Text1.widget(), Qt::Key_Return);
    form.Text2.SetFocus();
    QTest::keyClick(form.Text2.widget(), Qt::Key_Space);
    // A Chinese character comes from the input method, not from a key.
    QInputMethodEvent typed;
    typed.setCommitString(u"字"_s);
    QApplication::sendEvent(form.Text2.widget(), &typed);
    QCOMPARE(form.Text1.Text() + form.Text2.Text(), u"a\r\n 字"_s);
    click(form.Command2.widget());
    QCOMPARE(printedCounts(form), (QList<int>{0, 0, 1, 4}));
}

void GlyphmixTest::countPastTheIntegerRangeIsTrappedAndTheProgramGoesOn()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text1.setText(QString(32767, u'7'));
    form.Text2.setText(QString());
    click(form.Command2.widget());
    QCOMPARE(printedCounts(form), (QList<int>{32767, 0, 0, 0}));
    QVERIFY(host->shown.isEmpty());

    form.Text2.setText(u"8"_s);
    click(form.Command2.widget());
    QCOMPARE(host->shown.size(), 1);
    QCOMPARE(host->shown[0].prompt, u"溢出"_s);
    QCOMPARE(host->shown[0].title, u"glyphmix"_s);

    form.Text1.setText(u"Ab"_s);
    form.Text2.setText(QString());
    click(form.Command2.widget());
    QCOMPARE(printedCounts(form), (QList<int>{0, 1, 1, 0}));
    QCOMPARE(host->ends, 0);
}

QTEST_MAIN(GlyphmixTest)
#include "tst_glyphmix.moc"
