#include "form1.h"
#include "tests/windowtest.h"
#include "tidy.h"

#include <QSet>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;
using namespace arrtidy;

namespace {

using Values = QList<int>;

rt::Array<rt::Integer> toArray(const Values& values)
{
    rt::Array<rt::Integer> a(0, rt::Long(values.size() - 1));
    for (int i = 0; i < values.size(); ++i)
        a(i) = values[i];
    return a;
}

Values toValues(const rt::Array<rt::Integer>& a)
{
    Values values;
    for (int i = a.LBound().value(); i <= a.UBound().value(); ++i)
        values << a(i).value();
    return values;
}

// A line of numbers as Print writes them with ";": a sign place, the digits, a blank each.
QString numberLine(const Values& values)
{
    QString line;
    for (int v : values)
        line += u' ' + QString::number(v) + u' ';
    return line;
}

Values parseLine(const QString& line)
{
    Values values;
    for (const QString& word : line.split(u' ', Qt::SkipEmptyParts))
        values << word.toInt();
    return values;
}

Values firstOccurrences(const Values& values)
{
    Values kept;
    for (int v : values)
        if (!kept.contains(v))
            kept << v;
    return kept;
}

Values range(int from, int to)
{
    Values values;
    for (int v = from; v != to; v += from < to ? 1 : -1)
        values << v;
    values << to;
    return values;
}

} // namespace

class ArrtidyTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"arrtidy"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:
    void removeRepeatsThenSort_data();
    void removeRepeatsThenSort();
    void windowStartsEmpty();
    void everyClickPrintsTheSixLines();
    void nextClickReplacesTheDrawing();
};

void ArrtidyTest::removeRepeatsThenSort_data()
{
    QTest::addColumn<Values>("drawn");
    QTest::addColumn<Values>("kept");
    QTest::addColumn<Values>("sorted");

    QTest::newRow("first occurrences in order")
        << Values{3, 1, 3, 2, 1} << Values{3, 1, 2} << Values{3, 2, 1};
    QTest::newRow("all equal") << Values(20, 7) << Values{7} << Values{7};
    const Values permutation{5, 12, 0, 19, 3, 8, 14, 1, 17, 9, 2, 11, 6, 16, 4, 18, 10, 13, 7, 15};
    QTest::newRow("a permutation") << permutation << permutation << range(19, 0);
    Values lastRepeats = range(0, 18);
    lastRepeats << 5;
    QTest::newRow("repeat in the last place") << lastRepeats << range(0, 18) << range(18, 0);
    QTest::newRow("run of three") << Values{4, 4, 4, 1} << Values{4, 1} << Values{4, 1};
    QTest::newRow("run at the end") << Values{2, 9, 9, 9} << Values{2, 9} << Values{9, 2};
    QTest::newRow("two runs") << Values{0, 0, 5, 5, 0, 5} << Values{0, 5} << Values{5, 0};
    QTest::newRow("one element") << Values{19} << Values{19} << Values{19};
    QTest::newRow("ascending") << Values{0, 1, 2} << Values{0, 1, 2} << Values{2, 1, 0};
}

void ArrtidyTest::removeRepeatsThenSort()
{
    QFETCH(Values, drawn);
    QFETCH(Values, kept);
    QFETCH(Values, sorted);
    rt::Array<rt::Integer> a = toArray(drawn);
    RemoveRepeats(a);
    QCOMPARE(toValues(a), kept);
    QCOMPARE(a.LBound(), rt::Long(0));
    QCOMPARE(a.UBound(), rt::Long(kept.size() - 1)); // the array itself shrank
    SortDescending(a);
    QCOMPARE(toValues(a), sorted);
}

void ArrtidyTest::windowStartsEmpty()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QCOMPARE(form.printedLines(), QStringList());
}

// Many seeds, each read back from the window: the drawing, its first occurrences in order,
// and the same values strictly decreasing, every number line in the number form.
void ArrtidyTest::everyClickPrintsTheSixLines()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QSet<int> drawnValues;
    int sawRepeats = 0;
    for (quint64 seed = 1; seed <= 300; ++seed) {
        host->seed = seed * 104729;
        QTest::mouseClick(&form.client(), Qt::LeftButton, {}, QPoint(300, 50));
        const QStringList lines = form.printedLines();
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], u"原数列如下："_s);
        QCOMPARE(lines[2], u"删除重复元素后的数列："_s);
        QCOMPARE(lines[4], u"排序后的数列："_s);

        const Values drawn = parseLine(lines[1]);
        QCOMPARE(drawn.size(), 20);
        QCOMPARE(lines[1], numberLine(drawn));
        for (int v : drawn) {
            QVERIFY(v >= 0 && v <= 19);
            drawnValues.insert(v);
        }

        const Values kept = parseLine(lines[3]);
        QCOMPARE(kept, firstOccurrences(drawn));
        QCOMPARE(lines[3], numberLine(kept));
        if (kept.size() < drawn.size())
            ++sawRepeats;

        const Values sorted = parseLine(lines[5]);
        QCOMPARE(lines[5], numberLine(sorted));
        QVERIFY(std::adjacent_find(sorted.begin(), sorted.end(), std::less_equal<int>()) ==
                sorted.end());
        Values keptSorted = kept;
        std::sort(keptSorted.begin(), keptSorted.end(), std::greater<int>());
        QCOMPARE(sorted, keptSorted);
    }
    QCOMPARE(drawnValues.size(), 20);
    QVERIFY(sawRepeats > 0);
    QVERIFY(host->shown.isEmpty());

    // No line end after the last number: the next item would go on the sixth line.
    const QString sixth = form.printedLines().last();
    form.Print(u"x"_s);
    QCOMPARE(form.printedLines().size(), 6);
    QCOMPARE(form.printedLines().last(), sixth + u"x"_s);
}

void ArrtidyTest::nextClickReplacesTheDrawing()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    host->seed = 1;
    QTest::mouseClick(&form.client(), Qt::LeftButton, {}, QPoint(10, 10));
    const QStringList first = form.printedLines();
    QTest::mouseClick(&form.client(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(form.printedLines(), first); // reseeded the same way
    host->seed = 2;
    QTest::mouseClick(&form.client(), Qt::LeftButton, {}, QPoint(500, 90));
    QCOMPARE(form.printedLines().size(), 6);
    QVERIFY(form.printedLines()[1] != first[1]);
}

QTEST_MAIN(ArrtidyTest)
#include "tst_arrtidy.moc"
