// Temporary stand-ins so that every folder links while the real code is written. Each helper deletes the
// stand-ins of its own folder when it implements them.
#include "appstate.h"
#include "instanceguard.h"
#include "notestore.h"
#include "palette.h"
#include "regional.h"
#include "seams.h"
#include "settings.h"
#include "settingsstore.h"
#include "strings.h"
#include "twips.h"
#include "values.h"

#include <QLockFile>
#include <QSettings>

QString AppState::text(int germanId, int englishId) const {
    return getresstring(german() ? germanId : englishId);
}
Paplet* AppState::note(int n) const {
    return n > 0 && n < int(notes.size()) ? notes[n] : nullptr;
}
int AppState::backcolorIndex() const {
    return palette::indexFromText(backcolor, 14);
}
int AppState::forecolorIndex() const {
    return palette::indexFromText(forecolor, 0);
}
QColor AppState::backColor() const {
    return palette::color(backcolorIndex());
}
QColor AppState::foreColor() const {
    return palette::color(forecolorIndex());
}
bool AppState::fontboldOn() const {
    return values::flag(fontbold).value_or(false);
}
bool AppState::confirmdeleteOn() const {
    return values::flag(confirmdelete).value_or(true);
}
double AppState::defwidthTwips() const {
    return values::number(defwidth).value_or(0);
}
QFont AppState::noteFont(const QFont& current) const {
    QFont f = current;
    f.setFamily(font);
    if (auto size = values::number(fontsize); size && *size > 0)
        f.setPointSizeF(*size);
    f.setBold(fontboldOn());
    f.setItalic(fontitalic != 0);
    return f;
}

namespace palette {
QColor color(int) {
    return Qt::yellow;
}
int indexFromText(const QString& text, int fallback) {
    bool ok = false;
    int i = text.trimmed().toInt(&ok);
    return ok ? clampIndex(i) : fallback;
}
int clampIndex(int index) {
    return std::clamp(index, 0, count - 1);
}
} // namespace palette

namespace values {
std::optional<bool> flag(const QString&) {
    return std::nullopt;
}
std::optional<double> number(const QString&) {
    return std::nullopt;
}
std::optional<qint16> int16(const QString&) {
    return std::nullopt;
}
QString flagText(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}
QString numberText(double value) {
    return QString::number(value, 'g', 15);
}
} // namespace values

namespace regional {
QString dateText(const QDate& d, const QLocale&) {
    return d.toString(Qt::ISODate);
}
QString timeText(const QTime& t, const QLocale&) {
    return t.toString(Qt::ISODate);
}
QString storedDate(const QDate& d, const QLocale& l) {
    return d.isNull() ? QStringLiteral("00:00:00") : dateText(d, l);
}
QString storedTime(const QTime& t, const QLocale& l) {
    return timeText(t, l);
}
QDate parseDate(const QString& text, bool* ok, const QLocale&) {
    QDate d = QDate::fromString(text, Qt::ISODate);
    if (ok)
        *ok = d.isValid();
    return d;
}
QTime parseTime(const QString& text, bool* ok, const QLocale&) {
    QTime t = QTime::fromString(text, Qt::ISODate);
    if (ok)
        *ok = t.isValid();
    return t;
}
} // namespace regional

QString getresstring(int) {
    return {};
}
bool hasresstring(int) {
    return false;
}

SettingsStore::SettingsStore() : SettingsStore(defaultPath()) {}
SettingsStore::SettingsStore(const QString& iniPath) : m_path(iniPath) {
    open();
}
SettingsStore::~SettingsStore() = default;
QString SettingsStore::defaultPath() {
    return {};
}
QString SettingsStore::path() const {
    return m_path;
}
void SettingsStore::open() {
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
}
QString SettingsStore::read(const QString&, const QString&, const QString& fallback) const {
    return fallback;
}
bool SettingsStore::contains(const QString&, const QString&) const {
    return false;
}
bool SettingsStore::hasSection(const QString&) const {
    return false;
}
void SettingsStore::write(const QString&, const QString&, const QString&) {}
void SettingsStore::removeSection(const QString&) {}
bool SettingsStore::sync() {
    return true;
}
bool SettingsStore::wasDamaged() const {
    return m_damaged;
}
QString SettingsStore::backupPath() const {
    return m_backupPath;
}

void loadsettings(AppState&, SettingsStore&) {}
void savesettings(const AppState&, SettingsStore&, const QString&) {}
QString programFolder() {
    return {};
}

namespace notestore {
QString section(int k) {
    return QStringLiteral("Paplet %1").arg(k);
}
StoredNote read(const SettingsStore&, int, double h, double w) {
    StoredNote n;
    n.height = h;
    n.width = w;
    return n;
}
void write(SettingsStore&, int, const StoredNote&) {}
void removeSections(SettingsStore&, int) {}
int storedCount(const SettingsStore&) {
    return 0;
}
} // namespace notestore

qint32 wavedevices() {
    return 0;
}

InstanceGuard::InstanceGuard(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath)) {}
InstanceGuard::~InstanceGuard() = default;
bool InstanceGuard::acquire() {
    return true;
}
QString InstanceGuard::defaultLockPath() {
    return QStringLiteral("/tmp/zovuzor.lock");
}

namespace twips {
double perPixelX() {
    return 15;
}
double perPixelY() {
    return 15;
}
int toPixelsX(double tw) {
    return qRound(tw / perPixelX());
}
int toPixelsY(double tw) {
    return qRound(tw / perPixelY());
}
double fromPixelsX(int px) {
    return px * perPixelX();
}
double fromPixelsY(int px) {
    return px * perPixelY();
}
} // namespace twips
