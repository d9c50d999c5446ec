#pragma once

#include "runtime/error.h"

#include <QString>
#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>

namespace rt {

// Whole numbers proper: characters and truth values are not numbers here.
template <typename U>
concept WholeNumber = std::integral<U> && !std::same_as<U, bool> && !std::same_as<U, char> &&
                      !std::same_as<U, wchar_t> && !std::same_as<U, char8_t> &&
                      !std::same_as<U, char16_t> && !std::same_as<U, char32_t>;

// A whole number of a fixed width whose arithmetic raises the overflow error instead of
// wrapping round. Integer is 16 bits, Long 32.
template <std::signed_integral T> class Checked {
public:
    using value_type = T;

    constexpr Checked() = default;
    // From any whole number; outside the range it is the overflow error.
    template <WholeNumber U>
    constexpr Checked(U v) // NOLINT(google-explicit-constructor): numbers mix as in the runtime
        : v_(fit(v))
    {
    }
    // Widening from a narrower Checked is implicit; narrowing must be asked for. (The checker
    // does not read a conditional explicit.)
    template <std::signed_integral U>
    // NOLINTNEXTLINE(google-explicit-constructor)
    constexpr explicit(sizeof(U) > sizeof(T)) Checked(Checked<U> other)
        : v_(fit(other.value()))
    {
    }

    constexpr T value() const { return v_; }

    friend constexpr Checked operator+(Checked a, Checked b) { return Checked(wide(a) + wide(b)); }
    friend constexpr Checked operator-(Checked a, Checked b) { return Checked(wide(a) - wide(b)); }
    friend constexpr Checked operator*(Checked a, Checked b) { return Checked(wide(a) * wide(b)); }
    friend constexpr Checked operator-(Checked a) { return Checked(-wide(a)); }
    // NOLINTNEXTLINE(modernize-use-nullptr): the checker takes the comparison's 0 for a pointer
    friend constexpr auto operator<=>(Checked, Checked) = default;
    friend constexpr bool operator==(Checked, Checked) = default;

    constexpr Checked& operator+=(Checked b) { return *this = *this + b; }
    constexpr Checked& operator-=(Checked b) { return *this = *this - b; }
    constexpr Checked& operator++() { return *this += 1; }
    constexpr Checked& operator--() { return *this -= 1; }

private:
    static constexpr std::int64_t wide(Checked c) { return c.v_; }
    template <WholeNumber U> static constexpr T fit(U v)
    {
        if (!std::in_range<T>(v))
            raise(ErrorCode::Overflow);
        return static_cast<T>(v);
    }

    T v_ = 0;
};

using Integer = Checked<std::int16_t>;
using Long = Checked<std::int32_t>;

// Conversions from a floating value: halves go to the even neighbour; out of range (or not a
// number) is the overflow error.
Integer CInt(double v);
Long CLng(double v);
// To single precision; a finite value beyond the single range is the overflow error.
float CSng(double v);

// The numeric value of a text: blanks skipped, then sign, digits, decimal point, exponent;
// whatever follows is ignored; 0 when the text does not start with a number.
double Val(const QString& text);

// A number as text: the shortest decimal form, no leading blank, at most 7 significant digits
// for a Single and 15 for a Double, exponent form ("1E+20") where a plain form would be longer.
QString CStr(double v);
QString CStr(float v);
template <typename T> QString CStr(Checked<T> v)
{
    return QString::number(v.value());
}

// A number as Print writes it: a sign place (a blank unless negative), the digits, one blank.
template <typename N> QString PrintText(N v)
{
    QString digits = CStr(v);
    if (!digits.startsWith(u'-'))
        digits.prepend(u' ');
    return digits + u' ';
}

double Int(double v); // the largest whole number not above v
double Fix(double v); // the whole part, towards zero
double Abs(double v);
template <typename T> Checked<T> Abs(Checked<T> v)
{
    return v < Checked<T>(0) ? -v : v;
}
// v rounded to the given number of decimals, halves to even (2.5 gives 2, 3.5 gives 4).
double Round(double v, int decimals = 0);
// Power in double precision; a result beyond the range is the overflow error.
double Pow(double base, double exponent);
// Division in double precision: a zero divisor is the division-by-zero error, a quotient
// beyond the range the overflow error.
double Divide(double dividend, double divisor);
// Remainder of truncating division: its sign is the dividend's; a zero divisor is an error.
template <typename T> Checked<T> Mod(Checked<T> a, Checked<T> b)
{
    if (b.value() == 0)
        raise(ErrorCode::DivisionByZero);
    if (b.value() == -1) // min % -1 is undefined behaviour in C++, and 0 anyway
        return 0;
    return static_cast<T>(a.value() % b.value());
}

} // namespace rt
