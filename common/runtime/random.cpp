#include "runtime/random.h"

#include "runtime/host.h"

#include <QRandomGenerator>

namespace rt {

namespace {
// Before any Randomize the sequence is the same at every run, as the runtime's always was.
QRandomGenerator64 generator(0x5eed);
} // namespace

void Randomize()
{
    Randomize(host().randomSeed());
}

void Randomize(quint64 seed)
{
    generator.seed(quint32(seed ^ (seed >> 32)));
}

float Rnd()
{
    // 24 random bits fill a Single's mantissa exactly, so the result can never round up to 1.
    return float(generator.generate() >> 40) / float(1 << 24);
}

} // namespace rt
