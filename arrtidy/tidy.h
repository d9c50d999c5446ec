#pragma once

#include "runtime/array.h"

namespace arrtidy {

// The two array steps of a click, kept apart from the window so they can run on fixed arrays.
// Both expect an array whose lower bound is 0.

// Keeps the first occurrence of every value, in order, and drops the later ones, shrinking
// the upper bound by one for each element dropped.
void RemoveRepeats(rt::Array<rt::Integer>& a);

// Exchange sort, largest first.
void SortDescending(rt::Array<rt::Integer>& a);

} // namespace arrtidy
