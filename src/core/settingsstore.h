#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// The per-user store: one INI file (paplt32/paplt32.ini in the per-user config folder). A section is an
// INI group; texts round-trip exactly. The file is read once when the store opens; writes stay in memory
// and reach the disk at sync(), and nowhere else.
class SettingsStore {
public:
    // The store at its usual place for this user.
    SettingsStore();
    // The store in the given file (tests, benchmarks).
    explicit SettingsStore(const QString& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString defaultPath();
    QString path() const;

    // The stored text, or `fallback` when the key or its section is missing; an empty value gives "".
    QString read(const QString& section, const QString& key, const QString& fallback) const;
    bool contains(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;
    void write(const QString& section, const QString& key, const QString& text);
    void removeSection(const QString& section);

    // Writes everything to disk atomically (old file or new file, never a mix). False when the file could
    // not be written; nothing in memory is lost.
    bool sync();

    // The file existed but could not be parsed whole. A copy of it is kept beside it (backupPath()) before
    // anything is written.
    bool wasDamaged() const;
    QString backupPath() const;

private:
    void open();
    bool makeBackup();
    QByteArray serialize(bool* ok) const;

    QString m_path;
    // section -> key -> text; what the file held at start, changed by write() and removeSection().
    QMap<QString, QMap<QString, QString>> m_values;
    bool m_dirty = false;
    bool m_damaged = false;
    bool m_unreadable = false;
    QByteArray m_original; // the damaged file's bytes, until its copy is written
    QString m_backupPath;
};
