#include "settingsstore.h"

#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
constexpr QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions privateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Writable for this process, and not marked read-only by its owner: a file or folder the user made
// read-only is left alone even when the operating system would let this process write it.
bool writable(const QFileInfo& fi) {
    return fi.isWritable() && (fi.permissions() & QFileDevice::WriteOwner);
}

// Creates `folder` and every missing parent, each private to the user. True when it exists afterwards.
bool makeFolder(const QString& folder) {
    QStringList missing;
    for (QString p = QDir::cleanPath(QDir(folder).absolutePath()); !QFileInfo::exists(p);) {
        missing.prepend(p);
        const QString parent = QFileInfo(p).absolutePath();
        if (parent == p)
            break;
        p = parent;
    }
    if (!QDir().mkpath(folder))
        return false;
    for (const QString& m : missing)
        QFile::setPermissions(m, privateFolder);
    return true;
}

// Writes `bytes` to a new file (never over an existing one), private to the user.
bool writeNewFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, privateFile))
        return false;
    const bool ok = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    if (!ok || f.error() != QFileDevice::NoError) {
        f.remove();
        return false;
    }
    return true;
}
} // namespace

SettingsStore::SettingsStore() : SettingsStore(defaultPath()) {}

SettingsStore::SettingsStore(const QString& iniPath) : m_path(iniPath) {
    open();
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultPath() {
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    return QDir(base).filePath(QStringLiteral("paplt32/paplt32.ini"));
}

QString SettingsStore::path() const {
    return m_path;
}

void SettingsStore::open() {
    m_values.clear();
    const QFileInfo fi(m_path);
    if (!fi.exists())
        return;

    QFile file(m_path);
    if (!fi.isFile() || !file.open(QIODevice::ReadOnly)) {
        // Something is there that cannot be read: never replace it with an empty store.
        m_damaged = true;
        m_unreadable = true;
        return;
    }
    m_original = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_damaged = true;
        m_unreadable = true;
        return;
    }
    file.close();

    const inifile::Scan scan = inifile::scan(m_original);
    m_damaged = scan.damaged;

    // The parser reads a private copy: the repaired bytes, under a name no other store uses (the
    // parser keeps files it has seen in a process-wide cache keyed by name).
    QTemporaryDir tmp;
    const QString copy = tmp.filePath(QStringLiteral("read.ini"));
    const bool haveCopy = tmp.isValid() && writeNewFile(copy, scan.repaired);
    QSettings settings(haveCopy ? copy : m_path, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    if (settings.status() != QSettings::NoError)
        m_damaged = true;

    for (const QString& full : keys) {
        const qsizetype slash = full.indexOf(u'/');
        const QString section = slash < 0 ? QString() : full.left(slash);
        const QString key = slash < 0 ? full : full.mid(slash + 1);
        const QVariant v = settings.value(full);
        QString text;
        if (v.typeId() == QMetaType::QString) {
            text = v.toString();
        } else if (auto raw = scan.raw.constFind({section, key}); raw != scan.raw.cend()) {
            // A hand-written value the parser took for a list ("10,5") or a typed value ("@Rect(...)"):
            // the user meant the text.
            text = inifile::unescapeRaw(*raw);
        } else {
            text = v.toString();
        }
        m_values[section][key] = text;
    }

    if (m_damaged) {
        // What was read is kept; the first save writes it out whole.
        m_dirty = true;
        makeBackup();
    } else {
        m_original.clear();
    }
}

bool SettingsStore::makeBackup() {
    if (!m_backupPath.isEmpty())
        return true;
    if (m_unreadable || !writable(QFileInfo(QFileInfo(m_path).absolutePath())))
        return false;
    for (int n = 0; n < 1000; ++n) {
        const QString candidate =
            m_path + QStringLiteral(".bad") + (n ? QStringLiteral(".%1").arg(n) : QString());
        if (QFileInfo::exists(candidate)) {
            // The same damaged file met again: its earlier copy serves.
            QFile old(candidate);
            if (old.size() == m_original.size() && old.open(QIODevice::ReadOnly) &&
                old.readAll() == m_original) {
                m_backupPath = candidate;
                return true;
            }
            continue;
        }
        if (writeNewFile(candidate, m_original)) {
            m_backupPath = candidate;
            return true;
        }
        return false;
    }
    return false;
}

QString SettingsStore::read(const QString& section, const QString& key, const QString& fallback) const {
    const auto s = m_values.constFind(section);
    if (s == m_values.cend())
        return fallback;
    const auto v = s->constFind(key);
    return v == s->cend() ? fallback : *v;
}

bool SettingsStore::contains(const QString& section, const QString& key) const {
    const auto s = m_values.constFind(section);
    return s != m_values.cend() && s->contains(key);
}

bool SettingsStore::hasSection(const QString& section) const {
    const auto s = m_values.constFind(section);
    return s != m_values.cend() && !s->isEmpty();
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text) {
    auto& keys = m_values[section];
    if (const auto v = keys.constFind(key); v != keys.cend() && *v == text)
        return;
    keys.insert(key, text);
    m_dirty = true;
}

void SettingsStore::removeSection(const QString& section) {
    if (m_values.remove(section))
        m_dirty = true;
}

QByteArray SettingsStore::serialize(bool* ok) const {
    // The parser's own writer does the quoting and escaping, into a private folder beside the store.
    *ok = false;
    QTemporaryDir tmp(QFileInfo(m_path).absolutePath() + QStringLiteral("/.paplt32-XXXXXX"));
    if (!tmp.isValid())
        return {};
    const QString out = tmp.filePath(QStringLiteral("write.ini"));
    qsizetype count = 0;
    {
        QSettings settings(out, QSettings::IniFormat);
        for (auto s = m_values.cbegin(); s != m_values.cend(); ++s) {
            const QString prefix = s.key().isEmpty() ? QString() : s.key() + u'/';
            for (auto k = s->cbegin(); k != s->cend(); ++k, ++count)
                settings.setValue(prefix + k.key(), k.value());
        }
        settings.sync();
        if (settings.status() != QSettings::NoError)
            return {};
    }
    if (count == 0) {
        *ok = true; // an empty store is an empty file
        return {};
    }
    QFile f(out);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return {};

    // The writer reports success also when the disk filled up under it and the file was cut short:
    // the bytes must read back to every key and text. (Read under a new name: the parser would answer
    // from its cache for the name it just wrote.)
    const QString check = tmp.filePath(QStringLiteral("check.ini"));
    if (!writeNewFile(check, bytes))
        return {};
    QSettings back(check, QSettings::IniFormat);
    if (back.allKeys().size() != count || back.status() != QSettings::NoError)
        return {};
    for (auto s = m_values.cbegin(); s != m_values.cend(); ++s) {
        const QString prefix = s.key().isEmpty() ? QString() : s.key() + u'/';
        for (auto k = s->cbegin(); k != s->cend(); ++k) {
            const QVariant v = back.value(prefix + k.key());
            if (v.typeId() != QMetaType::QString || v.toString() != k.value())
                return {};
        }
    }
    *ok = true;
    return bytes;
}

bool SettingsStore::sync() {
    if (!m_dirty)
        return true;
    // A file that could not be read, or a damaged one without its copy, is never overwritten.
    if (m_unreadable || (m_damaged && !makeBackup()))
        return false;

    const QFileInfo target(m_path);
    const QString folder = target.absolutePath();
    if (!makeFolder(folder))
        return false;
    if (!writable(QFileInfo(folder)))
        return false;
    if (target.exists() && (!target.isFile() || !writable(target)))
        return false;

    bool ok = false;
    const QByteArray bytes = serialize(&ok);
    if (!ok)
        return false;

    // Written to a new file and renamed over the old one: the store is the old file or the new one,
    // never a mix.
    QSaveFile save(m_path);
    save.setDirectWriteFallback(false);
    if (!save.open(QIODevice::WriteOnly))
        return false;
    save.setPermissions(privateFile);
    // Every write error must stop the rename: the writer's commit() alone does not notice a write that
    // was cut short (file size limit, full disk).
    if (save.write(bytes) != bytes.size() || !save.flush() || save.error() != QFileDevice::NoError) {
        save.cancelWriting();
        save.commit();
        return false;
    }
    if (!save.commit() || QFileInfo(m_path).size() != bytes.size())
        return false;
    QFile::setPermissions(m_path, privateFile);
    if (m_path == defaultPath())
        QFile::setPermissions(folder, privateFolder);

    m_dirty = false;
    m_original.clear();
    return true;
}

bool SettingsStore::wasDamaged() const {
    return m_damaged;
}

QString SettingsStore::backupPath() const {
    return m_backupPath;
}
