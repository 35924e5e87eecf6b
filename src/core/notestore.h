#pragma once

#include <QDate>
#include <QString>
#include <QTime>

class SettingsStore;

// The stored form of one note: section "Paplet <k>" with twelve keys.
struct StoredNote {
    QString text = QStringLiteral("empty");
    double left = 0;
    double top = 0;
    double height = 0;
    qint16 oldheight = 0;
    double width = 0;
    bool hasrung = false;
    qint16 ringearly = 5;
    QDate date; // null: no alarm
    QTime time{0, 0};
    bool ontop = false;
    bool visible = true;
};

namespace notestore {
QString section(int k); // "Paplet <k>"
// Reads note k. Missing keys, and values that cannot be converted, take the key's default; the text is
// always kept. defaultHeight and defaultWidth are the note window's designed outer size in twips.
StoredNote read(const SettingsStore& store, int k, double defaultHeight, double defaultWidth);
void write(SettingsStore& store, int k, const StoredNote& note);
// Deletes the sections 1..count.
void removeSections(SettingsStore& store, int count);
// How many note sections are stored: "Total" when it is a whole number, else the number of consecutive
// sections from 1 that exist, so that a damaged "Total" never costs a note.
int storedCount(const SettingsStore& store);
} // namespace notestore
