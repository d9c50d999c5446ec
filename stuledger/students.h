#pragma once

#include "runtime/array.h"
#include "runtime/fixedstring.h"
#include "runtime/numbers.h"

#include <QString>

namespace stuledger {

// One student as the records file holds it: a name of 3 characters, a sex of 1, an age.
struct StudentRecord {
    rt::FixedString<3> Name;
    rt::FixedString<1> Sex;
    rt::Integer Age;
};

// The blanks between name and sex in a record line. After a load they depend on the name as
// read from the file; after a sort only the stored name is left to go by.
int LoadGap(const QString& nameAsRead);
int SortGap(const StudentRecord& record);
// Name, gap, sex, three blanks, age, CR LF.
QString RecordLine(const StudentRecord& record, int gap);

enum class SortKey {
    Age,
    Sex
};
enum class SortOrder {
    Ascending,
    Descending
};

// The records list of the window and its two flags.
class StudentLedger {
public:
    // Bounds 1 to n; no bounds before the first load that reads a record.
    rt::Array<StudentRecord> Students;
    bool Loaded = false;
    bool Saved = false;

    // The most records a list holds: its count is a 16-bit number.
    static constexpr int kMaxRecords = 32767;

    // Reads and checks the whole file before anything changes, so a file that fails anywhere
    // leaves the list and the flags as they were; the error names the file and the line.
    // Returns the record lines (load gap) to show after whatever the window shows already.
    QString Load(const QString& path);
    // Writes the list in its order, replacing the file only once everything is written. A path
    // that is the source file (through a link) is refused: the file loads read is never
    // replaced.
    void Save(const QString& path, const QString& source);
    // One of the four sorts; false, and nothing done, while nothing was loaded.
    bool Sort(SortKey key, SortOrder order);
    // Every record's line in list order, with the sort gap.
    QString Lines() const;
    // How many records the list holds: 0 before the first load that reads one.
    int Count() const;
};

} // namespace stuledger
