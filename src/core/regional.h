#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// Dates and times as text in the user's regional formats (QLocale::system()): the short date with a
// four-digit year and the long time without its time-zone part, so that every text written reads back
// to the same value. "00:00:00" stands for the zero value (no date, midnight).
namespace regional {
QString dateText(const QDate& date, const QLocale& locale = QLocale::system());
QString timeText(const QTime& time, const QLocale& locale = QLocale::system());
// The stored forms: a null date gives "00:00:00", midnight gives "00:00:00".
QString storedDate(const QDate& date, const QLocale& locale = QLocale::system());
QString storedTime(const QTime& time, const QLocale& locale = QLocale::system());
// Read back with the formats above, then the locale's short formats, then ISO. "00:00:00" gives a null
// date / midnight with ok = true. Text that is no date or time gives ok = false.
QDate parseDate(const QString& text, bool* ok = nullptr, const QLocale& locale = QLocale::system());
QTime parseTime(const QString& text, bool* ok = nullptr, const QLocale& locale = QLocale::system());
} // namespace regional
