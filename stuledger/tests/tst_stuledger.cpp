#include "exchangesort.h"
#include "fastsort.h"
#include "form1.h"
#include "students.h"
#include "tests/filetest.h"
#include "tests/windowtest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;
using namespace forms;
using namespace stuledger;
using filetest::gbk;
using filetest::readBytes;
using filetest::writeBytes;

namespace {

StudentRecord record(const QString& name, const QString& sex, int age)
{
    return {name, sex, rt::Integer(age)};
}

rt::Array<StudentRecord> listOf(const QList<StudentRecord>& records)
{
    rt::Array<StudentRecord> a(1, rt::Long(int(records.size())));
    for (int i = 0; i < records.size(); ++i)
        a(i + 1) = records[i];
    return a;
}

// "Name|Sex|Age" per record, in list order.
QStringList contents(const rt::Array<StudentRecord>& a)
{
    QStringList out;
    if (!a.exists())
        return out;
    for (int i = 1; i <= a.UBound().value(); ++i)
        out << a(i).Name.value() + u'|' + a(i).Sex.value() + u'|' + rt::CStr(a(i).Age);
    return out;
}

// A menu item found by its captions from the menu bar down.
QAction* item(const Form& form, const QStringList& captions)
{
    QList<QAction*> actions = form.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : captions) {
        found = nullptr;
        for (QAction* a : actions)
            if (a->text() == caption)
                found = a;
        if (!found)
            return nullptr;
        if (found->menu())
            actions = found->menu()->actions();
    }
    return found;
}

void choose(const Form& form, const QStringList& captions)
{
    QAction* a = item(form, captions);
    QVERIFY2(a, qPrintable(captions.join(u" > "_s)));
    a->trigger();
}

const QStringList kOpen{u"文件"_s, u"打开"_s};
const QStringList kSave{u"文件"_s, u"保存"_s};
const QStringList kExit{u"文件"_s, u"退出"_s};
const QStringList kAgeAsc{u"排序"_s, u"年龄"_s, u"升序"_s};
const QStringList kAgeDsc{u"排序"_s, u"年龄"_s, u"降序"_s};
const QStringList kSexAsc{u"排序"_s, u"性别"_s, u"升序"_s};
const QStringList kSexDsc{u"排序"_s, u"性别"_s, u"降序"_s};

const QByteArray kThree =
    gbk(u"\"张三\",\"男\",20\r\n\"欧阳锋\",\"男\",20\r\n\"赵\",\"女\",18\r\n"_s);

} // namespace

class StuledgerTest : public WindowTest {
    Q_OBJECT

    QString program() const override { return u"stuledger"_s; }
    std::unique_ptr<forms::Form> firstWindow() const override { return std::make_unique<Form1>(); }

private slots:

    // The model, without a window.
    void recordLineGaps_data();
    void recordLineGaps();
    void recordWriterBytes();
    void loadReadsFieldsByTheInputRules_data();
    void loadReadsFieldsByTheInputRules();
    void loadReplacesTheListAndKeepsItOnAnEmptyFile();
    void savedFileLoadsBackWithFillingBlanks();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
    void sortOrders_data();
    void sortOrders();
    void fastSortKeepsTheProcedure_data();
    void fastSortKeepsTheProcedure();
    void sortFlags();
    void saveOfNoRecordsWritesAnEmptyFile();
    void failedSaveKeepsTheOldFile();

    // The window.
    void loadAppendsAfterTypedTextByMenuAndCtrlO();
    void loadErrorShowsFileAndLineAndChangesNothing();
    void mouseButtonsToggleEnabledAndRightPopsUpFormat();
    void popupChoiceRunsTheCommand();
    void fontCommands_data();
    void fontCommands();
    void largeFontsWrapRecordsBetweenWords();
    void sortsRebuildTheTextAndSetAgeCheckMarks();
    void sortsDoNothingBeforeALoad();
    void leaving_data();
    void leaving();
    void leavingStaysOpenWhenTheSaveFails();
    void closeBoxEndsWithoutAQuestion();
};

void StuledgerTest::recordLineGaps_data()
{
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("loadGap");
    QTest::addColumn<int>("sortGap");
    QTest::newRow("2 characters") << u"张三"_s << u"张三 "_s << 4 << 4;
    QTest::newRow("3 characters") << u"欧阳锋"_s << u"欧阳锋"_s << 3 << 3;
    QTest::newRow("1 character") << u"赵"_s << u"赵  "_s << 3 << 4;
    QTest::newRow("3 with a blank") << u"李 四"_s << u"李 四"_s << 3 << 4;
    QTest::newRow("4, no blank in 3") << u"诸葛孔明"_s << u"诸葛孔"_s << 3 << 3;
    QTest::newRow("4, blank in 3") << u"A B C"_s << u"A B"_s << 3 << 4;
    QTest::newRow("ending in a blank") << u"张三 "_s << u"张三 "_s << 3 << 4;
    QTest::newRow("empty") << QString() << u"   "_s << 3 << 4;
}

void StuledgerTest::recordLineGaps()
{
    QFETCH(QString, read);
    QFETCH(QString, stored);
    QFETCH(int, loadGap);
    QFETCH(int, sortGap);
    const StudentRecord r = record(read, u"男"_s, -5);
    QCOMPARE(r.Name.value(), stored);
    QCOMPARE(LoadGap(read), loadGap);
    QCOMPARE(SortGap(r), sortGap);
    QCOMPARE(RecordLine(r, loadGap), stored + QString(loadGap, u' ') + u"男   -5\r\n"_s);
}

void StuledgerTest::recordWriterBytes()
{
    StudentLedger ledger;
    ledger.Students = listOf({record(u"张三"_s, u"男"_s, 20), record(u"李"_s, u"女"_s, -5)});
    const QString path = host->folder.filePath(u"student2.dat"_s);
    ledger.Save(path, host->folder.filePath(u"student1.dat"_s));
    const QByteArray first = QByteArray::fromHex("22D5C5C8FD20222C22C4D0222C32300D0A");
    QCOMPARE(first.size(), 17);
    QCOMPARE(readBytes(path), first + QByteArray::fromHex("22C0EE2020222C22C5AE222C2D350D0A"));
    QVERIFY(ledger.Saved);
}

void StuledgerTest::loadReadsFieldsByTheInputRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("lines");
    QTest::newRow("quoted, CR LF") << u"\"张三\",\"男\",20\r\n\"欧阳锋\",\"女\",19\r\n"_s
                                   << QStringList{u"张三 |男|20"_s, u"欧阳锋|女|19"_s}
                                   << u"张三     男   20\r\n欧阳锋   女   19\r\n"_s;
    QTest::newRow("bare, LF, no last line end")
        << u"张三, 男 ,20\n赵,女,-5"_s << QStringList{u"张三 |男|20"_s, u"赵  |女|-5"_s}
        << u"张三     男   20\r\n赵     女   -5\r\n"_s;
    QTest::newRow("fields over lines")
        << u"\"张三\"\r\n\"男\"\r\n20\r\n"_s << QStringList{u"张三 |男|20"_s}
        << u"张三     男   20\r\n"_s;
    QTest::newRow("long fields cut, empty sex")
        << u"\"诸葛孔明\",\"男女\",20\r\n\"王五\",,21\r\n"_s
        << QStringList{u"诸葛孔|男|20"_s, u"王五 | |21"_s}
        << u"诸葛孔   男   20\r\n王五"_s + QString(9, u' ') + u"21\r\n"_s;
    QTest::newRow("whole age written with a point")
        << u"\"李\",\"女\",18.0\r\n"_s << QStringList{u"李  |女|18"_s} << u"李     女   18\r\n"_s;
    QTest::newRow("age bounds") << u"A,B,-32768\r\nC,D,32767\r\n"_s
                                << QStringList{u"A  |B|-32768"_s, u"C  |D|32767"_s}
                                << u"A     B   -32768\r\nC     D   32767\r\n"_s;
    QTest::newRow("a tab is text")
        << u"\"A\tB\",M,1\r\n"_s << QStringList{u"A\tB|M|1"_s} << u"A\tB   M   1\r\n"_s;
    QTest::newRow("blank lines after the last")
        << u"\"张三\",\"男\",20\r\n\r\n\r\n"_s << QStringList{u"张三 |男|20"_s}
        << u"张三     男   20\r\n"_s;
}

void StuledgerTest::loadReadsFieldsByTheInputRules()
{
    QFETCH(QString, file);
    QFETCH(QStringList, records);
    QFETCH(QString, lines);
    const QString path = host->folder.filePath(u"student1.dat"_s);
    writeBytes(path, gbk(file));
    StudentLedger ledger;
    QCOMPARE(ledger.Load(path), lines);
    QCOMPARE(contents(ledger.Students), records);
    QCOMPARE(ledger.Students.LBound().value(), 1);
    QVERIFY(ledger.Loaded);
    QVERIFY(!ledger.Saved);
}

void StuledgerTest::loadReplacesTheListAndKeepsItOnAnEmptyFile()
{
    const QString path = host->folder.filePath(u"student1.dat"_s);
    StudentLedger ledger;
    writeBytes(path, QByteArray());
    QCOMPARE(ledger.Load(path), QString());
    QVERIFY(ledger.Loaded);
    QVERIFY(!ledger.Students.exists());

    writeBytes(path, kThree);
    ledger.Load(path);
    writeBytes(path, gbk(u"\"王五\",\"女\",30\r\n"_s));
    ledger.Load(path);
    QCOMPARE(contents(ledger.Students), QStringList{u"王五 |女|30"_s});

    writeBytes(path, QByteArray());
    ledger.Load(path);
    QCOMPARE(contents(ledger.Students), QStringList{u"王五 |女|30"_s});
}

void StuledgerTest::savedFileLoadsBackWithFillingBlanks()
{
    const QString one = host->folder.filePath(u"student1.dat"_s);
    const QString two = host->folder.filePath(u"student2.dat"_s);
    writeBytes(one, kThree);
    StudentLedger ledger;
    const QString firstLines = ledger.Load(one);
    ledger.Save(two, one);
    ledger.Save(two, one); // replaces, never appends
    StudentLedger again;
    const QString secondLines = again.Load(two);
    QCOMPARE(contents(again.Students), contents(ledger.Students));
    QVERIFY(firstLines.startsWith(u"张三     男"_s)); // 2 characters as read: 4 blanks
    QVERIFY(secondLines.startsWith(u"张三    男"_s)); // 3 as read, filling blank included
    QCOMPARE(readBytes(one), kThree);
}

void StuledgerTest::badFilesChangeNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray good = gbk(u"\"张三\",\"男\",20\r\n"_s);
    QTest::newRow("missing") << QByteArray("-") << u"文件未找到"_s;
    QTest::newRow("not code page 936") << good + "\"\x81\x20\",\"A\",1\r\n"
                                       << u"student1.dat，第 2 行"_s;
    // A record cut short is named by its own line, not by one past the end of the file.
    QTest::newRow("cut short") << good + gbk(u"\"李四\",\"女\"\r\n"_s)
                               << u"输入超出文件尾：%1，第 2 行：这条记录缺少年龄"_s;
    QTest::newRow("cut short over two lines")
        << good + gbk(u"\"李四\"\r\n\r\n\"女\"\r\n"_s) << u"，第 2 行：这条记录缺少年龄"_s;
    QTest::newRow("no sex") << good + gbk(u"\"李四\""_s) << u"，第 2 行：这条记录缺少性别"_s;
    QTest::newRow("age not a number") << good + gbk(u"\"李四\",\"女\",abc\r\n"_s)
                                      << u"类型不匹配：%1，第 2 行：年龄 abc 不是数字"_s;
    QTest::newRow("age not whole")
        << good + gbk(u"\"李四\",\"女\",20.5\r\n"_s) << u"第 2 行：年龄 20.5 不是整数"_s;
    QTest::newRow("age too large")
        << good + gbk(u"\"李四\",\"女\",32768\r\n"_s) << u"第 2 行：年龄 32768 不在"_s;
    QTest::newRow("age too small") << good + "A,B,-40000\r\n" << u"溢出"_s;
    // A bare name may hold a double quote, which a save could not write back. (A sex is one
    // character, and a bare field never starts with a quote.)
    QTest::newRow("quote in a name") << good + "A\"B,M,1\r\n" << u"第 2 行：姓名 A\"B 中有双引号"_s;
    // A NUL would end what a screen reader gets of the text box.
    QTest::newRow("NUL in a name")
        << good + QByteArray("\"A\0B\",M,1\r\n", 12) << u"第 2 行：姓名中有控制字符 U+0000"_s;
    QTest::newRow("escape in a sex") << good + "A,\"\x1b\",1\r\n"
                                     << u"第 2 行：性别中有控制字符 U+001B"_s;
    QTest::newRow("vertical tab before a quote in a sex") << good + "A,\v\",1\r\n"
                                                          << u"第 2 行：性别中有控制字符 U+000B"_s;
    QByteArray many;
    for (int i = 0; i < StudentLedger::kMaxRecords + 1; ++i)
        many += "A,B,1\r\n";
    QTest::newRow("32768 records") << many << u"第 32768 行：第 32768 条记录"_s;
}

void StuledgerTest::badFilesChangeNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path = host->folder.filePath(u"student1.dat"_s);
    StudentLedger ledger;
    writeBytes(path, kThree);
    ledger.Load(path);
    ledger.Saved = true;
    const QStringList before = contents(ledger.Students);

    QFile::remove(path);
    if (bytes != "-")
        writeBytes(path, bytes);
    try {
        ledger.Load(path);
        QFAIL("the load took a bad file");
    } catch (const rt::Error& e) {
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(message.replace(u"%1"_s, QDir::toNativeSeparators(path))),
                 qPrintable(e.message()));
    }
    QCOMPARE(contents(ledger.Students), before);
    QVERIFY(ledger.Saved);

    StudentLedger fresh;
    QVERIFY_THROWS_EXCEPTION(rt::Error, fresh.Load(path));
    QVERIFY(!fresh.Loaded);
    QVERIFY(!fresh.Students.exists());
}

void StuledgerTest::sortOrders_data()
{
    QTest::addColumn<QList<StudentRecord>>("records");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("order");
    QTest::addColumn<QString>("names");
    const QList<StudentRecord> pqr{record(u"P"_s, u"男"_s, 20), record(u"Q"_s, u"女"_s, 20),
                                   record(u"R"_s, u"男"_s, 18)};
    const int age = int(SortKey::Age), sex = int(SortKey::Sex);
    const int asc = int(SortOrder::Ascending), dsc = int(SortOrder::Descending);
    QTest::newRow("ties, age ascending") << pqr << age << asc << u"RQP"_s;
    QTest::newRow("ties, age descending") << pqr << age << dsc << u"PQR"_s;
    QTest::newRow("女 before 男") << pqr << sex << asc << u"QPR"_s;
    QTest::newRow("男 before 女") << pqr << sex << dsc << u"PRQ"_s;
    const QList<StudentRecord> signs{record(u"A"_s, u"M"_s, 0), record(u"B"_s, QString(), -32768),
                                     record(u"C"_s, u"F"_s, 32767), record(u"D"_s, u"男"_s, -1)};
    QTest::newRow("signed ages ascending") << signs << age << asc << u"BDAC"_s;
    QTest::newRow("signed ages descending") << signs << age << dsc << u"CADB"_s;
    QTest::newRow("blank sex first") << signs << sex << asc << u"BCAD"_s;
    QTest::newRow("one record") << QList<StudentRecord>{pqr[0]} << age << asc << u"P"_s;
}

void StuledgerTest::sortOrders()
{
    QFETCH(QList<StudentRecord>, records);
    QFETCH(int, key);
    QFETCH(int, order);
    QFETCH(QString, names);
    rt::Array<StudentRecord> list = listOf(records);
    ExchangeSort(list, SortKey(key), SortOrder(order));
    QString got;
    for (int i = 1; i <= list.UBound().value(); ++i)
        got += list(i).Name.value().trimmed();
    QCOMPARE(got, names);
}

void StuledgerTest::fastSortKeepsTheProcedure_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("spread"); // how many different ages
    QTest::newRow("short tail") << 7 << 3;
    QTest::newRow("many ties") << 301 << 4;
    QTest::newRow("class ages") << 1000 << 12;
    QTest::newRow("all ages") << 777 << 65536;
}

void StuledgerTest::fastSortKeepsTheProcedure()
{
    QFETCH(int, count);
    QFETCH(int, spread);
    QRandomGenerator random(2024);
    const QString sexes = u"男女 F"_s;
    QList<StudentRecord> records;
    for (int i = 0; i < count; ++i)
        records << record(QString::number(i), sexes.mid(random.bounded(4), 1),
                          spread == 65536 ? random.bounded(-32768, 32768)
                                          : 15 + random.bounded(spread));
    for (SortKey key : {SortKey::Age, SortKey::Sex})
        for (SortOrder order : {SortOrder::Ascending, SortOrder::Descending}) {
            rt::Array<StudentRecord> fast = listOf(records);
            rt::Array<StudentRecord> plain = listOf(records);
            FastExchangeSort(fast, key, order);
            ExchangeSort(plain, key, order);
            QCOMPARE(contents(fast), contents(plain));
        }
}

void StuledgerTest::sortFlags()
{
    StudentLedger ledger;
    ledger.Saved = true;
    QVERIFY(!ledger.Sort(SortKey::Age, SortOrder::Ascending));
    QVERIFY(ledger.Saved);

    writeBytes(host->folder.filePath(u"student1.dat"_s), QByteArray());
    ledger.Load(host->folder.filePath(u"student1.dat"_s));
    QVERIFY(ledger.Sort(SortKey::Sex, SortOrder::Descending)); // no records: no error
    QVERIFY(ledger.Saved);
    QVERIFY(ledger.Sort(SortKey::Age, SortOrder::Descending));
    QVERIFY(!ledger.Saved);
    QCOMPARE(ledger.Lines(), QString());
}

void StuledgerTest::saveOfNoRecordsWritesAnEmptyFile()
{
    const QString path = host->folder.filePath(u"student2.dat"_s);
    writeBytes(path, "old");
    StudentLedger ledger;
    ledger.Save(path, host->folder.filePath(u"student1.dat"_s));
    QVERIFY(QFile::exists(path));
    QCOMPARE(readBytes(path), QByteArray());
    QVERIFY(ledger.Saved);
}

void StuledgerTest::failedSaveKeepsTheOldFile()
{
    const QString path = host->folder.filePath(u"student2.dat"_s);
    writeBytes(path, "old");
    StudentLedger ledger;
    // The second record cannot be written in code page 936: the write fails half-way.
    ledger.Students = listOf({record(u"张三"_s, u"男"_s, 20), record(u"😀"_s, u"女"_s, 1)});
    QVERIFY_THROWS_EXCEPTION(rt::Error,
                             ledger.Save(path, host->folder.filePath(u"student1.dat"_s)));
    QCOMPARE(readBytes(path), QByteArray("old"));
    QVERIFY(!ledger.Saved);
    QCOMPARE(QDir(host->folder.path()).entryList(QDir::Files), QStringList{u"student2.dat"_s});
}

// The window

void StuledgerTest::loadAppendsAfterTypedTextByMenuAndCtrlO()
{
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    Form1 form;
    QVERIFY(uitest::show(form));
    form.Text1.SetFocus();
    QTest::keyClicks(form.Text1.widget(), u"abc"_s);
    QTest::keyClick(form.Text1.widget(), Qt::Key_Return);
    choose(form, kOpen);
    const QString lines = u"张三     男   20\r\n欧阳锋   男   20\r\n赵     女   18\r\n"_s;
    QCOMPARE(form.Text1.Text(), u"abc\r\n"_s + lines);
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(form.Text1.Text(), u"abc\r\n"_s + lines + lines);
    QCOMPARE(contents(form.ledger().Students).size(), 3);
    QVERIFY(form.ledger().Loaded);
    QVERIFY(host->shown.isEmpty());
}

void StuledgerTest::loadErrorShowsFileAndLineAndChangesNothing()
{
    const QString path = host->folder.filePath(u"student1.dat"_s);
    Form1 form;
    QVERIFY(uitest::show(form));
    choose(form, kOpen); // no file yet
    QCOMPARE(host->shown.size(), 1);
    QVERIFY(host->shown[0].prompt.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(host->shown[0].title, u"stuledger"_s);
    QVERIFY(!form.ledger().Loaded);

    writeBytes(path, kThree + "\"X\",\"Y\",1.5\r\n");
    form.Text1.setText(u"typed"_s);
    choose(form, kOpen);
    QCOMPARE(host->shown.size(), 2);
    QVERIFY(host->shown[1].prompt.contains(u"第 4 行"_s));
    QCOMPARE(form.Text1.Text(), u"typed"_s);
    QVERIFY(!form.ledger().Loaded);
    QVERIFY(!form.ledger().Students.exists());
    QCOMPARE(host->ends, 0);
}

void StuledgerTest::mouseButtonsToggleEnabledAndRightPopsUpFormat()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QWidget* box = form.Text1.widget();
    auto* viewport = static_cast<QPlainTextEdit*>(box)->viewport();
    int enabledChanges = 0;
    struct Watch : QObject {
        int* count;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::EnabledChange)
                ++*count;
            return false;
        }
    } watch;
    watch.count = &enabledChanges;
    box->installEventFilter(&watch);

    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(enabledChanges, 2);
    QVERIFY(form.Text1.Enabled());
    QVERIFY(!QApplication::activePopupWidget());
    QTest::keyClicks(QApplication::focusWidget(), "xyz"); // the box still takes what is typed
    QCOMPARE(form.Text1.Text(), u"xyz"_s);

    QStringList shown;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        for (QAction* a : popup->actions())
            shown << a->text();
        popup->close();
    });
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(30, 30));
    QCOMPARE(shown, (QStringList{u"字体"_s, u"字号"_s}));
    QCOMPARE(enabledChanges, 4);
    QVERIFY(form.Text1.Enabled());
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(form.Text1.FontSize(), 9.0f); // closed without a choice
    QVERIFY(host->shown.isEmpty());
}

void StuledgerTest::popupChoiceRunsTheCommand()
{
    Form1 form;
    QVERIFY(uitest::show(form));
    QTimer::singleShot(50, [] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        for (QAction* a : popup->actions())
            if (a->text() == u"字号"_s)
                for (QAction* b : a->menu()->actions())
                    if (b->text() == u"变大"_s)
                        b->trigger();
        popup->close();
    });
    auto* viewport = static_cast<QPlainTextEdit*>(form.Text1.widget())->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(30, 30));
    QCOMPARE(form.Text1.FontSize(), 13.0f);

    // The hidden menu's item runs the ascending age sort with all its effects.
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    choose(form, kOpen);
    form.menu("Age_Asc").action()->trigger();
    QVERIFY(form.menu("MSort_Age_ASC").Checked());
    QVERIFY(form.Text1.Text().startsWith(u"赵      女"_s));
}

void StuledgerTest::fontCommands_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("face");
    QTest::addColumn<float>("size");
    QTest::newRow("larger twice") << QStringList{u"变大"_s, u"变大"_s} << u"宋体"_s << 17.0f;
    QTest::newRow("smaller then larger") << QStringList{u"变小"_s, u"变大"_s} << u"宋体"_s << 9.0f;
    QTest::newRow("not below 1 point")
        << QStringList{u"变小"_s, u"变小"_s, u"变小"_s} << u"宋体"_s << 1.0f;
    QTest::newRow("隶书 keeps the size")
        << QStringList{u"变大"_s, u"宋体"_s, u"隶书"_s} << u"隶书"_s << 13.0f;
    QStringList up(250, u"变大"_s);
    QTest::newRow("not beyond what the toolkit takes") << up << u"宋体"_s << 997.0f;
}

void StuledgerTest::fontCommands()
{
    QFETCH(QStringList, commands);
    QFETCH(QString, face);
    QFETCH(float, size);
    Form1 form;
    for (const QString& c : commands)
        choose(form, {u"格式"_s, c == u"宋体"_s || c == u"隶书"_s ? u"字体"_s : u"字号"_s, c});
    QCOMPARE(form.Text1.FontName(), face);
    QCOMPARE(form.Text1.FontSize(), size);
    QCOMPARE(uitest::drawnFace(form.Text1.widget()), uitest::drawingFace(face));
    QCOMPARE(form.Text1.widget()->font().pointSizeF(), double(size));
    QVERIFY(host->shown.isEmpty());
}

void StuledgerTest::largeFontsWrapRecordsBetweenWords()
{
    writeBytes(host->folder.filePath(u"student1.dat"_s),
               kThree +
                   gbk(u"\"周八\",\"男\",19\r\n\"钱\",\"女\",-32768\r\n\"孙\",\"男\",32767\r\n"_s));
    Form1 form;
    QVERIFY(uitest::show(form));
    choose(form, kOpen);
    // From 17 points a record no longer fits on a line: it breaks between its fields, never
    // inside a name or an age.
    auto* edit = static_cast<QPlainTextEdit*>(form.Text1.widget());
    QTextDocument* document = edit->document();
    int breaks = 0;
    for (const float size : {13.0f, 17.0f, 21.0f, 25.0f}) {
        choose(form, {u"格式"_s, u"字号"_s, u"变大"_s});
        QCOMPARE(form.Text1.FontSize(), size);
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            document->documentLayout()->blockBoundingRect(block); // lays the block out
            const QTextLayout* layout = block.layout();
            for (int i = 1; i < layout->lineCount(); ++i, ++breaks)
                QVERIFY2(block.text()[layout->lineAt(i).textStart() - 1] == u' ',
                         qPrintable(u"%1 pt: %2"_s.arg(size).arg(block.text())));
        }
    }
    QVERIFY(breaks > 0);
}

void StuledgerTest::sortsRebuildTheTextAndSetAgeCheckMarks()
{
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    Form1 form;
    choose(form, kOpen);
    choose(form, kOpen);
    choose(form, kAgeAsc);
    // Each record once; the 1-character name now has 4 blanks, its stored field holding two.
    QCOMPARE(form.Text1.Text(), u"赵      女   18\r\n欧阳锋   男   20\r\n张三     男   20\r\n"_s);
    QVERIFY(form.menu("MSort_Age_ASC").Checked());
    QVERIFY(!form.menu("MSort_Age_DSC").Checked());
    choose(form, kSexDsc);
    QCOMPARE(form.Text1.Text(), u"欧阳锋   男   20\r\n张三     男   20\r\n赵      女   18\r\n"_s);
    QVERIFY(form.menu("MSort_Age_ASC").Checked());
    choose(form, kAgeDsc);
    QVERIFY(!form.menu("MSort_Age_ASC").Checked());
    QVERIFY(form.menu("MSort_Age_DSC").Checked());
    choose(form, kSexAsc);
    QVERIFY(form.menu("MSort_Age_DSC").Checked());
    QVERIFY(!form.menu("MSort_Sex_ASC").Checked());
    QVERIFY(form.Text1.Text().startsWith(u"赵"_s));
}

void StuledgerTest::sortsDoNothingBeforeALoad()
{
    Form1 form;
    form.Text1.setText(u"typed"_s);
    for (const QStringList& c : {kAgeAsc, kAgeDsc, kSexAsc, kSexDsc})
        choose(form, c);
    QCOMPARE(form.Text1.Text(), u"typed"_s);
    QVERIFY(!form.menu("MSort_Age_ASC").Checked());
    QVERIFY(!form.menu("MSort_Age_DSC").Checked());

    // Loaded, but an empty file gave no records: the text is cleared, no error.
    writeBytes(host->folder.filePath(u"student1.dat"_s), QByteArray());
    choose(form, kOpen);
    choose(form, kAgeDsc);
    QCOMPARE(form.Text1.Text(), QString());
    QVERIFY(form.menu("MSort_Age_DSC").Checked());
    QVERIFY(host->shown.isEmpty());
}

void StuledgerTest::leaving_data()
{
    QTest::addColumn<QList<QStringList>>("before");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QByteArray>("file"); // student2.dat afterwards
    const QByteArray old = "old";
    const QByteArray inFileOrder =
        gbk(u"\"张三 \",\"男\",20\r\n\"欧阳锋\",\"男\",20\r\n\"赵  \",\"女\",18\r\n"_s);
    const QList<QStringList> load{kOpen};
    QTest::newRow("No ends without saving") << load << QList<int>{7} << true << old;
    QTest::newRow("Yes saves then ends") << load << QList<int>{6} << true << inFileOrder;
    QTest::newRow("nothing loaded, Yes")
        << QList<QStringList>{} << QList<int>{6} << true << QByteArray();
    QTest::newRow("saved: no question")
        << QList<QStringList>{kOpen, kSave} << QList<int>{} << false << inFileOrder;
    QTest::newRow("sex sort keeps Saved")
        << QList<QStringList>{kOpen, kSave, kSexAsc} << QList<int>{} << false << inFileOrder;
    QTest::newRow("age sort asks again")
        << QList<QStringList>{kOpen, kSave, kAgeAsc} << QList<int>{6} << true
        << gbk(u"\"赵  \",\"女\",18\r\n\"欧阳锋\",\"男\",20\r\n\"张三 \",\"男\",20\r\n"_s);
}

void StuledgerTest::leaving()
{
    QFETCH(QList<QStringList>, before);
    QFETCH(QList<int>, answers);
    QFETCH(bool, asked);
    QFETCH(QByteArray, file);
    const QString two = host->folder.filePath(u"student2.dat"_s);
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    writeBytes(two, "old");
    Form1 form;
    QVERIFY(uitest::show(form));
    for (const QStringList& command : before)
        choose(form, command);
    host->answers = answers;
    choose(form, kExit);
    QCOMPARE(host->shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(host->shown[0].prompt, u"是否需要保存？"_s);
        QCOMPARE(host->shown[0].buttons, vbYesNo);
        QCOMPARE(host->shown[0].title, u"stuledger"_s);
    }
    QCOMPARE(host->ends, 1);
    QCOMPARE(readBytes(two), file);
    QCOMPARE(readBytes(host->folder.filePath(u"student1.dat"_s)), kThree);
}

void StuledgerTest::leavingStaysOpenWhenTheSaveFails()
{
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    // A folder where the file should go: nothing can be written there.
    QVERIFY(QDir(host->folder.path()).mkdir(u"student2.dat"_s));
    Form1 form;
    QVERIFY(uitest::show(form));
    choose(form, kOpen);
    host->answers = {6};
    choose(form, kExit);
    QCOMPARE(host->shown.size(), 2);
    QVERIFY(host->shown[1].prompt.contains(u"student2.dat"_s));
    QCOMPARE(host->ends, 0);
    QVERIFY(form.isVisible());
    QVERIFY(!form.ledger().Saved);
}

void StuledgerTest::closeBoxEndsWithoutAQuestion()
{
    writeBytes(host->folder.filePath(u"student1.dat"_s), kThree);
    Form1 form;
    QVERIFY(uitest::show(form));
    choose(form, kOpen);
    QVERIFY(form.testAttribute(Qt::WA_QuitOnClose)); // the last window closed ends the loop
    QVERIFY(form.close());
    QVERIFY(!form.isVisible());
    QCOMPARE(host->ends, 0);
    QVERIFY(host->shown.isEmpty());
    QVERIFY(!QFile::exists(host->folder.filePath(u"student2.dat"_s)));
}

QTEST_MAIN(StuledgerTest)
#include "tst_stuledger.moc"
