#include "runtime/numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace rt {

namespace {

double roundHalfEven(double v)
{
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(v);
}

template <typename C> C convert(double v)
{
    if (std::isnan(v))
        raise(ErrorCode::Overflow);
    const double r = roundHalfEven(v);
    using T = typename C::value_type;
    if (r < double(std::numeric_limits<T>::min()) || r > double(std::numeric_limits<T>::max()))
        raise(ErrorCode::Overflow);
    return C(static_cast<T>(r));
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QString general(double v, int digits)
{
    if (v == 0)
        return QStringLiteral("0"); // also for -0
    QString s = QString::number(v, 'g', digits);
    const qsizetype e = s.indexOf(u'e');
    if (e >= 0)
        s[e] = u'E';
    return s;
}

} // namespace

Integer CInt(double v)
{
    return convert<Integer>(v);
}

Long CLng(double v)
{
    return convert<Long>(v);
}

float CSng(double v)
{
    if (std::isfinite(v) && std::abs(v) > double(std::numeric_limits<float>::max()))
        raise(ErrorCode::Overflow);
    return static_cast<float>(v);
}

double Val(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    std::string number;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number += char(text[i++].unicode());
    bool anyDigit = false;
    while (i < n && isDigit(text[i])) {
        number += char(text[i++].unicode());
        anyDigit = true;
    }
    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            number += char(text[i++].unicode());
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        bool expDigit = false;
        while (j < n && isDigit(text[j])) {
            exponent += char(text[j++].unicode());
            expDigit = true;
        }
        if (expDigit)
            number += exponent;
    }
    // strtod follows the C locale here: the programs never call setlocale for numbers.
    const double v = std::strtod(number.c_str(), nullptr);
    if (std::isinf(v))
        raise(ErrorCode::Overflow);
    return v;
}

QString CStr(double v)
{
    return general(v, 15);
}

QString CStr(float v)
{
    return general(double(v), 7);
}

double Int(double v)
{
    return std::floor(v);
}

double Fix(double v)
{
    return std::trunc(v);
}

double Abs(double v)
{
    return std::fabs(v);
}

double Round(double v, int decimals)
{
    if (decimals < 0)
        raise(ErrorCode::InvalidCall);
    if (!std::isfinite(v) || decimals > 22)
        return v;
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled))
        return v;
    return roundHalfEven(scaled) / scale;
}

double Pow(double base, double exponent)
{
    const double r = std::pow(base, exponent);
    if (std::isinf(r) && std::isfinite(base) && std::isfinite(exponent)) {
        if (base == 0)
            raise(ErrorCode::DivisionByZero);
        raise(ErrorCode::Overflow);
    }
    if (std::isnan(r) && !std::isnan(base) && !std::isnan(exponent))
        raise(ErrorCode::InvalidCall);
    return r;
}

double Divide(double dividend, double divisor)
{
    if (divisor == 0)
        raise(ErrorCode::DivisionByZero);
    const double q = dividend / divisor;
    if (std::isinf(q) && std::isfinite(dividend))
        raise(ErrorCode::Overflow);
    return q;
}

} // namespace rt
