#pragma once

#include "runtime/numbers.h"

#include <QString>

namespace rt {

// Texts are QStrings of 16-bit characters; positions count from 1.
Long Len(const QString& s);
// The first n characters (all of them when n is larger); a negative n is an error.
QString Left(const QString& s, Long n);
QString Right(const QString& s, Long n);
// From position start (1 = the first), length characters or the rest.
QString Mid(const QString& s, Long start);
QString Mid(const QString& s, Long start, Long length);
// Position of the first occurrence of what in s at or after start, 0 when absent; exact.
Long InStr(const QString& s, const QString& what);
Long InStr(Long start, const QString& s, const QString& what);
// Every occurrence of what replaced, searching from the first character, exact.
QString Replace(const QString& s, const QString& what, const QString& with);
QString Space(Long n);
QString Trim(const QString& s); // blanks (U+0020) only, as the runtime's Trim
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Character codes in code page 936: Chr(65) is "A", Chr(-15152) is "男". Asc gives a
// double-byte character's code as a signed 16-bit number; a character that code page 936
// lacks gives the code of "?".
QString Chr(Long code);
Integer Asc(const QString& s);

// Ordinal comparison by 16-bit code: -1, 0 or 1.
int StrComp(const QString& a, const QString& b);

// Both values are worked out by the caller before the choice, as the runtime's IIf does.
template <typename T> T IIf(bool condition, T whenTrue, T whenFalse)
{
    return condition ? whenTrue : whenFalse;
}

} // namespace rt
