// Load, sort and save at 32767 records, the largest list stuledger holds, in the real window
// (offscreen unless a display is asked for).
#include "exchangesort.h"
#include "fastsort.h"
#include "form1.h"
#include "runtime/codepage.h"
#include "students.h"
#include "tests/testhost.h"

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace stuledger;

namespace {

constexpr int kRecords = StudentLedger::kMaxRecords;

TestHost* host = nullptr;

// A class list: names of 1 to 3 characters, both sexes, ages of a school year with many
// equal ones and the odd negative one.
void writeStudents(bool inAgeOrder)
{
    const QString given = u"张王李赵刘陈杨黄周吴徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹"_s;
    QRandomGenerator random(20240309);
    QString text;
    for (int i = 0; i < kRecords; ++i) {
        const int length = 1 + random.bounded(3);
        QString name;
        for (int k = 0; k < length; ++k)
            name += given[random.bounded(int(given.size()))];
        const int age =
            inAgeOrder ? 15 + i * 16 / kRecords
                       : (random.bounded(500) == 0 ? -random.bounded(10) : 15 + random.bounded(16));
        text += u"\"%1\",\"%2\",%3\r\n"_s.arg(name, random.bounded(2) ? u"男"_s : u"女"_s).arg(age);
    }
    QFile f(rt::App::File(u"student1.dat"_s));
    if (!f.open(QIODevice::WriteOnly) || f.write(*rt::toCodePage(text)) < 0)
        qFatal("cannot write the bench data");
}

void choose(Form1& form, const char* item)
{
    form.menu(item).action()->trigger();
}

void freshLoad(Form1& form)
{
    form.Text1.setText(QString());
    choose(form, "MFile_Open");
}

void BM_Load(benchmark::State& state)
{
    writeStudents(false);
    Form1 form;
    form.Show();
    for (auto _ : state) {
        state.PauseTiming();
        form.Text1.setText(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        choose(form, "MFile_Open");
    }
    if (form.ledger().Students.UBound().value() != kRecords || !host->shown.isEmpty())
        state.SkipWithError("the load did not read every record");
}

void BM_Sort(benchmark::State& state, const char* item, bool inAgeOrder)
{
    writeStudents(inAgeOrder);
    Form1 form;
    form.Show();
    for (auto _ : state) {
        state.PauseTiming();
        freshLoad(form);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        choose(form, item);
    }
    if (form.Text1.Text().count(u'\n') != kRecords)
        state.SkipWithError("the sort did not show every record");
}

void BM_Save(benchmark::State& state)
{
    writeStudents(false);
    Form1 form;
    freshLoad(form);
    for (auto _ : state)
        choose(form, "MFile_SaveAs");
    if (!form.ledger().Saved || !host->shown.isEmpty())
        state.SkipWithError("the save failed");
}

// The exchange sort alone, without the window: the fast path the window takes for a long list,
// or the plain procedure.
template <auto sort> void BM_ExchangeSortOnly(benchmark::State& state)
{
    writeStudents(false);
    StudentLedger ledger;
    ledger.Load(rt::App::File(u"student1.dat"_s));
    const rt::Array<StudentRecord> unsorted = ledger.Students;
    for (auto _ : state) {
        state.PauseTiming();
        rt::Array<StudentRecord> list = unsorted;
        state.ResumeTiming();
        sort(list, SortKey::Age, SortOrder::Ascending);
        benchmark::DoNotOptimize(list);
    }
}

} // namespace

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, age_ascending, "MSort_Age_ASC", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, age_descending, "MSort_Age_DSC", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, sex_ascending, "MSort_Sex_ASC", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, sex_descending, "MSort_Sex_DSC", false)->Unit(benchmark::kMillisecond);
// Already in order: no exchanges, every comparison still made.
BENCHMARK_CAPTURE(BM_Sort, age_ascending_in_order, "MSort_Age_ASC", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, age_descending_in_order, "MSort_Age_DSC", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSortOnly<FastExchangeSort>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExchangeSortOnly<ExchangeSort>)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", "/usr/share/fonts");
    QApplication app(argc, argv);
    forms::setUpToolkit(u"stuledger"_s);
    TestHost testHost;
    host = &testHost;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
