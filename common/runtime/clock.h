#pragma once

#include <QDateTime>
#include <QString>

namespace rt {

QDateTime Now(); // the host's clock
// Today's date in the system's short-date form.
QString Date();
// The time of day in the system's long-time form, without a time-zone name.
QString Time();

// The forms above for a given moment and locale, for Date, Time and their tests.
QString shortDate(const QDate& date, const QLocale& locale);
QString longTime(const QTime& time, const QLocale& locale);

} // namespace rt
