#include "runtime/text.h"

#include "runtime/codepage.h"

namespace rt {

namespace {

qsizetype count(Long n)
{
    if (n.value() < 0)
        raise(ErrorCode::InvalidCall);
    return n.value();
}

} // namespace

Long Len(const QString& s)
{
    return Long(s.size());
}

QString Left(const QString& s, Long n)
{
    return s.left(count(n));
}

QString Right(const QString& s, Long n)
{
    return s.right(count(n));
}

QString Mid(const QString& s, Long start)
{
    if (start.value() < 1)
        raise(ErrorCode::InvalidCall);
    return start.value() > s.size() ? QString() : s.mid(start.value() - 1);
}

QString Mid(const QString& s, Long start, Long length)
{
    const qsizetype n = count(length);
    if (start.value() < 1)
        raise(ErrorCode::InvalidCall);
    return start.value() > s.size() ? QString() : s.mid(start.value() - 1, n);
}

Long InStr(const QString& s, const QString& what)
{
    return InStr(1, s, what);
}

Long InStr(Long start, const QString& s, const QString& what)
{
    if (start.value() < 1)
        raise(ErrorCode::InvalidCall);
    if (start.value() > s.size())
        return 0;
    if (what.isEmpty())
        return start;
    return Long(s.indexOf(what, start.value() - 1, Qt::CaseSensitive) + 1);
}

QString Replace(const QString& s, const QString& what, const QString& with)
{
    if (what.isEmpty())
        return s;
    QString copy = s;
    return copy.replace(what, with, Qt::CaseSensitive);
}

QString Space(Long n)
{
    return QString(count(n), u' ');
}

QString LTrim(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n);
}

QString Trim(const QString& s)
{
    return LTrim(RTrim(s));
}

QString Chr(Long code)
{
    const std::int32_t c = code.value();
    if (c >= 0 && c <= 0x7F)
        return QString(QChar(char16_t(c)));
    if (c < -32768 || c > 65535)
        raise(ErrorCode::InvalidCall);
    const auto unsignedCode = std::uint16_t(c);
    QByteArray bytes;
    if (unsignedCode > 0xFF)
        bytes.append(char(unsignedCode >> 8));
    bytes.append(char(unsignedCode & 0xFF));
    const auto text = fromCodePage(bytes);
    if (!text || text->size() != 1)
        raise(ErrorCode::InvalidCall);
    return *text;
}

Integer Asc(const QString& s)
{
    if (s.isEmpty())
        raise(ErrorCode::InvalidCall);
    const qsizetype width = s[0].isHighSurrogate() && s.size() > 1 ? 2 : 1;
    const auto bytes = toCodePage(s.left(width));
    if (!bytes || bytes->isEmpty())
        return Integer(63); // "?"
    if (bytes->size() == 1)
        return Integer(std::uint8_t(bytes->at(0)));
    const auto code = std::uint16_t((std::uint8_t(bytes->at(0)) << 8) | std::uint8_t(bytes->at(1)));
    return Integer(std::int16_t(code));
}

int StrComp(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace rt
