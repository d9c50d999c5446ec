#pragma once

#include <QtGlobal>

namespace rt {

// Seeds the generator with the host's seed (the clock, unless a test fixed it).
void Randomize();
// Seeds the generator with a given seed: the same seed gives the same sequence.
void Randomize(quint64 seed);
// A number r with 0 <= r < 1, every one of 2^24 steps equally likely.
float Rnd();

} // namespace rt
