#pragma once

#include "students.h"

namespace stuledger {

// The exchange sort: pass i compares record i with every later record j and exchanges the
// two at once whenever j belongs strictly before i. Equal keys come out in the order this very
// procedure gives, which no other sorting method reproduces.
void ExchangeSort(rt::Array<StudentRecord>& students, SortKey key, SortOrder order);

} // namespace stuledger
