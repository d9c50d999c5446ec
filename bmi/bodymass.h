#pragma once

#include <QString>

namespace bmi {

// The index of a weight in kilograms and a height in centimetres, as a Single. An index beyond
// the Single range is the overflow error; a height that vanishes in metres leaves nothing to
// divide by.
float BodyMassIndex(float weightKg, float heightCm);

// The index to two places, with a Single's digits: 17.93, not 17.9300003.
QString IndexText(float index);

} // namespace bmi
