#include "exchangesort.h"

#include "runtime/text.h"

#include <utility>

namespace stuledger {

namespace {

// Whether record j belongs before record i: by age as numbers, by sex as the runtime compares
// texts; a descending order turns the comparison round.
bool belongsBefore(const StudentRecord& j, const StudentRecord& i, SortKey key, SortOrder order)
{
    int c = 0;
    if (key == SortKey::Age)
        c = j.Age < i.Age ? -1 : (j.Age > i.Age ? 1 : 0);
    else
        c = rt::StrComp(j.Sex, i.Sex);
    return order == SortOrder::Ascending ? c < 0 : c > 0;
}

} // namespace

void ExchangeSort(rt::Array<StudentRecord>& students, SortKey key, SortOrder order)
{
    if (!students.exists())
        return;
    const int first = students.LBound().value();
    const int last = students.UBound().value();
    for (int i = first; i < last; ++i)
        for (int j = i + 1; j <= last; ++j)
            if (belongsBefore(students(j), students(i), key, order))
                std::swap(students(i), students(j));
}

} // namespace stuledger
