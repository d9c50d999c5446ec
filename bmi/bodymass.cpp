#include "bodymass.h"

#include "runtime/numbers.h"

namespace bmi {

float BodyMassIndex(float weightKg, float heightCm)
{
    // The height in metres is a Single, as a Single divided by a whole number is; only the
    // square and the quotient are taken in double precision.
    const float heightM = heightCm / 100.0f;
    return rt::CSng(rt::Divide(weightKg, rt::Pow(heightM, 2)));
}

QString IndexText(float index)
{
    // Round gives a Single back for a Single.
    const float rounded = static_cast<float>(rt::Round(index, 2));
    return rt::CStr(rounded);
}

} // namespace bmi
