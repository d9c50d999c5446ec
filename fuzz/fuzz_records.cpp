// The whole load of a records file, from any bytes. A load either gives records that a save
// and a fresh load give back unchanged, or an error that names the file and a line in it and
// leaves the list and both flags as they were: never part of a file.
#include "fuzzcheck.h"
#include "students.h"

using fuzzcheck::check;
using namespace Qt::StringLiterals;
using namespace stuledger;

namespace {

// "name|sex|age" a record, in list order.
QString contents(const StudentLedger& ledger)
{
    QString out;
    for (int i = 1; i <= ledger.Count(); ++i) {
        const StudentRecord& r = ledger.Students(i);
        out += r.Name.value() + u'|' + r.Sex.value() + u'|' + rt::CStr(r.Age) + u'\n';
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString one = fuzzcheck::scratch(u"student1.dat"_s);
    static const QString two = fuzzcheck::scratch(u"student2.dat"_s);
    fuzzcheck::writeFile(one, data, size);

    // A list from before, to see that a failed load leaves it alone.
    StudentLedger ledger;
    ledger.Students.ReDim(1, 1);
    ledger.Students(1) = {u"前"_s, u"女"_s, rt::Integer(7)};
    ledger.Saved = true;
    const QString before = contents(ledger);

    try {
        ledger.Load(one);
    } catch (const rt::Error& e) {
        fuzzcheck::checkNamesFileAndLine(e, one, fuzzcheck::lineCount(data, size));
        check(contents(ledger) == before, "a failed load keeps the list", contents(ledger));
        check(!ledger.Loaded && ledger.Saved, "a failed load keeps the flags");
        return 0;
    }
    check(ledger.Loaded && ledger.Saved, "a load sets Loaded alone");

    const QString loaded = contents(ledger);
    StudentLedger again;
    try {
        ledger.Save(two, one);
        again.Load(two);
    } catch (const rt::Error& e) {
        fuzzcheck::fail("loaded records save and load again", e.message());
    }
    check(contents(again) == loaded, "a save and a load give the records back",
          loaded + u"--\n"_s + contents(again));
    return 0;
}
