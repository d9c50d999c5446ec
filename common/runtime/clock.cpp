#include "runtime/clock.h"

#include "runtime/host.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace rt {

namespace {

// The locale's long time format without its zone field ("t"), and without what only went with
// it: the brackets around it and the blank or comma that set it apart. Quoted literal text is
// kept as it is.
QString withoutZone(const QString& format)
{
    qsizetype start = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size() && start < 0; ++i) {
        if (format[i] == u'\'')
            quoted = !quoted;
        else if (!quoted && format[i] == u't')
            start = i;
    }
    if (start < 0)
        return format;
    qsizetype end = start;
    while (end < format.size() && format[end] == u't')
        ++end;
    const auto at = [&](qsizetype i, QStringView among) {
        return i >= 0 && i < format.size() && among.contains(format[i]);
    };
    if (at(start - 1, u"([") && at(end, u")]")) {
        --start;
        ++end;
    }
    if (at(start - 1, u" ,")) {
        while (at(start - 1, u" ,"))
            --start;
    } else {
        while (at(end, u" ,"))
            ++end;
    }
    return format.left(start) + format.mid(end);
}

// Some locales (zh_TW) mark the time of day with "B", a day period the toolkit does not know
// and would print as a letter B before a 24-hour time; its AM/PM marker is the nearest it has.
QString withAmPmForDayPeriod(const QString& format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        out += !quoted && c == u'B' ? u"AP"_s : QString(c);
    }
    return out;
}

} // namespace

QDateTime Now()
{
    return host().now();
}

QString shortDate(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString longTime(const QTime& time, const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    return locale.toString(time, withAmPmForDayPeriod(withoutZone(format)));
}

QString Date()
{
    return shortDate(Now().date(), QLocale::system());
}

QString Time()
{
    return longTime(Now().time(), QLocale::system());
}

} // namespace rt
