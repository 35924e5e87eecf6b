#include "settings.h"

#include "appstate.h"
#include "notestore.h"
#include "settingsstore.h"
#include "values.h"

#include <QCoreApplication>
#include <QDir>

namespace {
const QString settingsSection = QStringLiteral("Settings");

QString readText(const SettingsStore& store, const QString& key, const QString& fallback) {
    return store.read(settingsSection, key, fallback);
}

// A converting step that fails leaves the field as it was and the next step still runs.
void readInt16(const SettingsStore& store, const QString& key, const QString& fallback, qint16& field) {
    if (auto v = values::int16(readText(store, key, fallback)))
        field = *v;
}
} // namespace

void loadsettings(AppState& state, SettingsStore& store) {
    state.notecount = notestore::storedCount(store);
    state.font = readText(store, QStringLiteral("font"), QStringLiteral("Arial"));
    state.fontsize = readText(store, QStringLiteral("fontsize"), QStringLiteral("10"));
    state.fontbold = readText(store, QStringLiteral("fontbold"), QStringLiteral("0"));
    readInt16(store, QStringLiteral("fontitalic"), QStringLiteral("0"), state.fontitalic);
    state.backcolor = readText(store, QStringLiteral("backcolor"), QStringLiteral("14"));
    state.forecolor = readText(store, QStringLiteral("forecolor"), QStringLiteral("0"));
    state.confirmdelete = readText(store, QStringLiteral("confirmdelete"), QStringLiteral("True"));
    readInt16(store, QStringLiteral("language"), QStringLiteral("0"), state.language);
    state.wave = readText(store, QStringLiteral("wave"), QStringLiteral("none"));
    if (auto v = values::flag(readText(store, QStringLiteral("repeatwave"), QStringLiteral("0"))))
        state.repeatwave = *v;
    state.defwidth = readText(store, QStringLiteral("defwidth"), QStringLiteral("0"));
    readInt16(store, QStringLiteral("defheight"), QStringLiteral("0"), state.defheight);
    state.loadedcount = state.notecount;
}

void savesettings(const AppState& state, SettingsStore& store, const QString& folder) {
    auto put = [&store](const QString& key, const QString& text) { store.write(settingsSection, key, text); };
    put(QStringLiteral("path"), folder);
    put(QStringLiteral("Total"), QString::number(state.notecount - state.deletedcount));
    put(QStringLiteral("font"), state.font);
    put(QStringLiteral("fontsize"), state.fontsize);
    put(QStringLiteral("backcolor"), state.backcolor);
    put(QStringLiteral("forecolor"), state.forecolor);
    put(QStringLiteral("fontbold"), state.fontbold);
    put(QStringLiteral("fontitalic"), QString::number(state.fontitalic));
    put(QStringLiteral("confirmdelete"), state.confirmdelete);
    put(QStringLiteral("language"), QString::number(state.language));
    put(QStringLiteral("wave"), state.wave);
    put(QStringLiteral("repeatwave"), values::flagText(state.repeatwave));
    put(QStringLiteral("defwidth"), state.defwidth);
    put(QStringLiteral("defheight"), QString::number(state.defheight));
}

QString programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}
