#pragma once

#include "exchangesort.h"

namespace stuledger {

// Lists longer than this are sorted by FastExchangeSort.
inline constexpr int kPlainSortMost = 1000;

// ExchangeSort's passes and exchanges, made on packed 16-bit keys compared eight at a time:
// the plain procedure takes seconds on the longest list. The result is the same, ties included.
void FastExchangeSort(rt::Array<StudentRecord>& students, SortKey key, SortOrder order);

} // namespace stuledger
