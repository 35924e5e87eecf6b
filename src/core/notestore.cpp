#include "notestore.h"

#include "regional.h"
#include "settingsstore.h"
#include "values.h"

#include <cmath>
#include <limits>

namespace notestore {

namespace {
const QString settingsSection = QStringLiteral("Settings");
// Note numbers are 16-bit.
constexpr int maxNotes = std::numeric_limits<qint16>::max();

qint16 toInt16(double v) {
    if (!std::isfinite(v))
        return 0;
    return static_cast<qint16>(std::clamp(std::round(v), double(std::numeric_limits<qint16>::min()),
                                          double(std::numeric_limits<qint16>::max())));
}
} // namespace

QString section(int k) {
    return QStringLiteral("Paplet %1").arg(k);
}

StoredNote read(const SettingsStore& store, int k, double defaultHeight, double defaultWidth) {
    const QString s = section(k);
    auto text = [&](const char* key) -> std::optional<QString> {
        const QString name = QString::fromLatin1(key);
        if (!store.contains(s, name))
            return std::nullopt;
        return store.read(s, name, QString());
    };
    auto num = [&](const char* key, double fallback) {
        const auto t = text(key);
        return t ? values::number(*t).value_or(fallback) : fallback;
    };
    auto int16 = [&](const char* key, qint16 fallback) {
        const auto t = text(key);
        return t ? values::int16(*t).value_or(fallback) : fallback;
    };
    auto flag = [&](const char* key, bool fallback) {
        const auto t = text(key);
        return t ? values::flag(*t).value_or(fallback) : fallback;
    };

    StoredNote n;
    if (auto t = text("text"))
        n.text = *t;
    n.left = num("left", 0);
    n.top = num("top", 0);
    n.height = num("height", defaultHeight);
    n.oldheight = int16("oldheight", toInt16(defaultHeight));
    n.width = num("width", defaultWidth);
    n.ringearly = int16("ringearly", 5);
    n.hasrung = flag("hasrung", false);
    if (auto t = text("date")) {
        bool ok = false;
        const QDate d = regional::parseDate(*t, &ok);
        n.date = ok ? d : QDate();
    }
    if (auto t = text("time")) {
        bool ok = false;
        const QTime v = regional::parseTime(*t, &ok);
        n.time = ok ? v : QTime(0, 0);
    }
    n.ontop = flag("ontop", false);
    n.visible = flag("visible", true);
    return n;
}

void write(SettingsStore& store, int k, const StoredNote& note) {
    const QString s = section(k);
    auto put = [&](const char* key, const QString& text) { store.write(s, QString::fromLatin1(key), text); };
    put("text", note.text);
    put("left", values::numberText(note.left));
    put("top", values::numberText(note.top));
    put("height", values::numberText(note.height));
    put("oldheight", QString::number(note.oldheight));
    put("width", values::numberText(note.width));
    put("hasrung", values::flagText(note.hasrung));
    put("ringearly", QString::number(note.ringearly));
    put("date", regional::storedDate(note.date));
    put("time", regional::storedTime(note.time));
    put("ontop", values::flagText(note.ontop));
    put("visible", values::flagText(note.visible));
}

void removeSections(SettingsStore& store, int count) {
    for (int n = 1; n <= count; ++n)
        store.removeSection(section(n));
}

int storedCount(const SettingsStore& store) {
    if (store.contains(settingsSection, QStringLiteral("Total"))) {
        const auto total = values::number(store.read(settingsSection, QStringLiteral("Total"), QString()));
        if (total && *total >= 0 && *total <= maxNotes && std::trunc(*total) == *total)
            return static_cast<int>(*total);
    }
    // No usable count (hand-edited, damaged or lost with its section): every note that is there counts.
    int k = 0;
    while (k < maxNotes && store.hasSection(section(k + 1)))
        ++k;
    return k;
}

} // namespace notestore
