#pragma once

#include "runtime/numbers.h"

namespace pairfactor {

// Euclid by remainders; both values must not be negative. When m < n it exchanges the
// caller's two variables before it computes. 0 when either is 0.
rt::Integer GCD(rt::Integer& m, rt::Integer& n);

} // namespace pairfactor
