#include "runtime/clock.h"

#include "runtime/host.h"

#include <QLocale>

namespace rt {

namespace {

// The locale's long time format without its zone field ("t"), and without the blank that
// separated it; quoted literal text is kept as it is.
QString withoutZone(const QString& format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
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
    return locale.toString(time, withoutZone(locale.timeFormat(QLocale::LongFormat)));
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
