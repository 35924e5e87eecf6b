#include "regional.h"

#include <QList>
#include <QRegularExpression>

namespace regional {

namespace {
const QString zeroText = QStringLiteral("00:00:00");

// Applies f to every part of a date/time format that lies outside quoted literal text.
template <typename F> QString mapUnquoted(const QString& format, F f) {
    QString out;
    QString run;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            if (!quoted) {
                out += f(run);
                run.clear();
            }
            quoted = !quoted;
            out += c;
        } else if (quoted) {
            out += c;
        } else {
            run += c;
        }
    }
    out += f(run);
    return out;
}

// The short date format with a four-digit year: Qt reads a two-digit year back as 19yy.
QString writeDateFormat(const QLocale& locale) {
    static const QRegularExpression years(QStringLiteral("y+"));
    return mapUnquoted(locale.dateFormat(QLocale::ShortFormat),
                       [](QString part) { return part.replace(years, QStringLiteral("yyyy")); });
}

// The long time format without its time-zone part, which Qt cannot read back ("h:mm:ss AP t",
// "H:mm:ss (t)", "t HH:mm:ss").
QString writeTimeFormat(const QLocale& locale) {
    static const QRegularExpression zone(QStringLiteral("\\s*\\(?t+\\)?\\s*"));
    QString f = mapUnquoted(locale.timeFormat(QLocale::LongFormat),
                            [](QString part) { return part.replace(zone, QStringLiteral(" ")); });
    return f.trimmed();
}

// For reading, accept one digit where the format writes two ("1.2.2026", "9:05:00"); month and day
// names (MMM, dddd) stay as they are.
QString lenient(const QString& format) {
    return mapUnquoted(format, [](QString part) {
        for (const QChar c : {u'd', u'M', u'H', u'h', u'm', u's'}) {
            QString out;
            qsizetype i = 0;
            while (i < part.size()) {
                qsizetype j = i;
                while (j < part.size() && part[j] == c)
                    ++j;
                if (j == i) {
                    out += part[i++];
                    continue;
                }
                out += (j - i == 2) ? QString(c) : part.mid(i, j - i);
                i = j;
            }
            part = out;
        }
        return part;
    });
}
} // namespace

QString dateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, writeDateFormat(locale));
}

QString timeText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, writeTimeFormat(locale));
}

QString storedDate(const QDate& date, const QLocale& locale) {
    return date.isValid() ? dateText(date, locale) : zeroText;
}

QString storedTime(const QTime& time, const QLocale& locale) {
    return time.isValid() && time != QTime(0, 0) ? timeText(time, locale) : zeroText;
}

QDate parseDate(const QString& text, bool* ok, const QLocale& locale) {
    const QString t = text.trimmed();
    auto done = [ok](QDate d, bool good) {
        if (ok)
            *ok = good;
        return d;
    };
    if (t == zeroText)
        return done(QDate(), true);
    if (t.isEmpty())
        return done(QDate(), false);
    const QString own = writeDateFormat(locale);
    for (const QString& f : {own, lenient(own)}) {
        if (QDate d = locale.toDate(t, f); d.isValid())
            return done(d, true);
    }
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    for (const QString& f : {shortFormat, lenient(shortFormat)}) {
        if (QDate d = locale.toDate(t, f); d.isValid()) {
            // A two-digit year means 1930..2029, as the desktop's own date settings have it.
            if (!f.contains(QStringLiteral("yyyy")) && d.year() < 1930)
                d = d.addYears(100);
            return done(d, true);
        }
    }
    if (QDate d = QDate::fromString(t, Qt::ISODate); d.isValid())
        return done(d, true);
    return done(QDate(), false);
}

QTime parseTime(const QString& text, bool* ok, const QLocale& locale) {
    const QString t = text.trimmed();
    auto done = [ok](QTime v, bool good) {
        if (ok)
            *ok = good;
        return v;
    };
    if (t == zeroText)
        return done(QTime(0, 0), true);
    if (t.isEmpty())
        return done(QTime(), false);
    const QString own = writeTimeFormat(locale);
    const QString shortFormat = locale.timeFormat(QLocale::ShortFormat);
    // What a user types into a time box: "14:30", "9:05", "14:30:00", also where the locale counts
    // hours with AM/PM.
    const QStringList formats{own,
                              lenient(own),
                              shortFormat,
                              lenient(shortFormat),
                              QStringLiteral("H:m:s"),
                              QStringLiteral("H:m"),
                              QStringLiteral("h:m:s AP"),
                              QStringLiteral("h:m AP")};
    for (const QString& f : formats) {
        if (QTime v = locale.toTime(t, f); v.isValid())
            return done(v, true);
    }
    if (QTime v = QTime::fromString(t, Qt::ISODate); v.isValid())
        return done(v, true);
    return done(QTime(), false);
}

} // namespace regional
