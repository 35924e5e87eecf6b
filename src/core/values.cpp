#include "values.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace values {

namespace {
// Plain decimal only: an optional sign, digits with at most one decimal point, blanks around allowed.
bool isPlainDecimal(QStringView s) {
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}
} // namespace

std::optional<bool> flag(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (auto n = number(t))
        return *n != 0;
    return std::nullopt;
}

std::optional<double> number(const QString& text) {
    const QString t = text.trimmed();
    if (!isPlainDecimal(t))
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint16> int16(const QString& text) {
    const auto n = number(text);
    if (!n)
        return std::nullopt;
    // Halves go to the even neighbour, as the old integer conversion did (2.5 -> 2, 3.5 -> 4).
    double r = std::floor(*n);
    const double frac = *n - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0))
        r += 1;
    if (r < std::numeric_limits<qint16>::min() || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(r);
}

QString flagText(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

QString numberText(double value) {
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");
    // Fixed notation, as few digits as read back to the same value: "1290", "-15", "2010.5".
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace values
