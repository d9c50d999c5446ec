#pragma once

#include <QString>

namespace rt {

// A text of exactly N characters: a shorter value is filled with blanks on the right, a
// longer one is cut to its first N characters.
template <int N> class FixedString {
public:
    FixedString()
        : value_(N, u' ')
    {
    }
    // A fixed-length field takes and gives plain texts, as the runtime's does.
    FixedString(const QString& s) // NOLINT(google-explicit-constructor)
        : value_(fit(s))
    {
    }
    FixedString& operator=(const QString& s)
    {
        value_ = fit(s);
        return *this;
    }

    const QString& value() const { return value_; }
    operator const QString&() const { return value_; } // NOLINT(google-explicit-constructor)

    friend bool operator==(const FixedString&, const FixedString&) = default;

private:
    static QString fit(const QString& s) { return s.left(N).leftJustified(N, u' '); }

    QString value_;
};

} // namespace rt
