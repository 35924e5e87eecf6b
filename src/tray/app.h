#pragma once

#include "core/appstate.h"
#include "core/seams.h"
#include "core/settingsstore.h"

#include <QObject>
#include <memory>

class ExitSignals;
class FrmMain;
class InstanceGuard;

// Stand-ins for the outside world; a null member means the real one.
struct AppSeams {
    Clock* clock = nullptr;
    Prompts* prompts = nullptr;
    SoundOutput* sound = nullptr;
};

// The application object: the shared state record, the store and the seams, handed by reference to every
// window. A test builds a fresh one with a temporary store, a fake clock, scripted prompts and a recording
// sound output.
class App : public QObject {
    Q_OBJECT
public:
    using Seams = AppSeams;
    explicit App(SettingsStore& store, Seams seams = {}, QObject* parent = nullptr);
    ~App() override;

    AppState state;
    SettingsStore& store() { return m_store; }
    Clock& clock() { return *m_clock; }
    Prompts& prompts() { return *m_prompts; }
    SoundOutput& sound() { return *m_sound; }

    // The hidden main window, created (and its load steps run) on first use.
    FrmMain& frmmain();
    bool frmmainLoaded() const { return m_frmmain != nullptr; }

    // Start-up in order: settings, single-instance test, "path", wave devices, notes, main window.
    // False when another instance runs: the message was shown and nothing was written.
    bool startup(InstanceGuard& guard);
    // Restores every stored note into its window and note-list entry.
    void loadnotes();
    // Writes the live notes densely renumbered (not synced).
    void savenotes();
    // savesettings, savenotes, then the file; tells the user once when the file could not be written.
    bool saveAll();
    // The orderly way out (exit command, session end, SIGTERM/SIGINT/SIGHUP): unload the main window
    // (save, remove the icon) and end the event loop.
    void exitProgram();
    // Restores every visible on-top note to the topmost band, by ascending note number (after a dialog).
    void restoreOnTopNotes();

    // The exit command: saves first; when that fails the user decides whether to leave anyway (nothing in
    // memory is lost while the program keeps running). False when the user chose to stay.
    bool exitCommand();
    // Called by the main window's unload steps: saves settings and notes unless the exit command has just
    // done so.
    void saveForUnload();
    // True while loadnotes runs: it lets window events run between notes, but saving or leaving half-way
    // would drop the notes not loaded yet.
    bool loadingNotes() const { return m_loadingNotes; }
    // True once the program is on its way out: windows closing now run none of their own handling.
    bool exiting() const { return m_exiting; }
    // Session end, aboutToQuit and (Linux) SIGTERM, SIGINT and SIGHUP take the exit path. Start-up
    // installs them; a test may too.
    void installExitHooks();

    // The message shown once when a save did not reach the disk / when the store was found damaged.
    QString saveFailedText() const;
    QString damagedStoreText() const;

signals:
    void saveFailed(const QString& path);

private:
    SettingsStore& m_store;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<Prompts> m_ownPrompts;
    std::unique_ptr<SoundOutput> m_ownSound;
    Clock* m_clock;
    Prompts* m_prompts;
    SoundOutput* m_sound;
    FrmMain* m_frmmain = nullptr;
    bool m_exiting = false;
    bool m_savedByExitCommand = false;
    bool m_loadingNotes = false;
    std::unique_ptr<ExitSignals> m_exitSignals;
};
