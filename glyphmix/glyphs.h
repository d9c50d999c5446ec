#pragma once

#include "runtime/numbers.h"

#include <QString>

namespace glyphmix {

// One random printable character, "!" to "~", each equally likely.
QString DrawCharacter();

// Random printable characters up to and including the first "Z".
QString DrawUntilZ();

// Random printable characters up to and including the first one that was drawn before.
QString DrawUntilRepeat();

// How many characters of each class a text holds. Every character that is no digit, capital or
// small letter of the single-byte range counts among the others.
struct ClassCounts {
    rt::Integer digits = 0;
    rt::Integer capitals = 0;
    rt::Integer smalls = 0;
    rt::Integer others = 0;
};

// 16-bit counters: more than 32767 of one class is the runtime's overflow error.
ClassCounts CountClasses(const QString& s);

} // namespace glyphmix
