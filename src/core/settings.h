#pragma once

#include <QString>

struct AppState;
class SettingsStore;

// Fills the persisted fields from section "Settings" and sets notecount and loadedcount.
void loadsettings(AppState& state, SettingsStore& store);
// Writes section "Settings" (not synced: the caller syncs after the notes are written too).
void savesettings(const AppState& state, SettingsStore& store, const QString& programFolder);
// The folder that holds the program's executable, as written to key "path".
QString programFolder();
