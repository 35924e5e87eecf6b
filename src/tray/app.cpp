#include "app.h"

#include "alarm/soundoutput.h"
#include "core/instanceguard.h"
#include "core/notestore.h"
#include "core/settings.h"
#include "exitsignals.h"
#include "frmmain.h"
#include "messageboxprompts.h"
#include "note/paplet.h"
#include "windowhelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QSessionManager>
#include <QTimer>

namespace {
const QString appTitle = QStringLiteral("Zovuzor");
const QString settingsSection = QStringLiteral("Settings");
} // namespace

App::App(SettingsStore& store, Seams seams, QObject* parent)
    : QObject(parent), m_store(store), m_clock(seams.clock), m_prompts(seams.prompts), m_sound(seams.sound) {
    if (!m_clock) {
        m_ownClock = std::make_unique<SystemClock>();
        m_clock = m_ownClock.get();
    }
    if (!m_prompts) {
        m_ownPrompts = std::make_unique<MessageBoxPrompts>();
        m_prompts = m_ownPrompts.get();
    }
    if (!m_sound) {
        m_ownSound = makeSystemSound();
        m_sound = m_ownSound.get();
    }
}

App::~App() {
    // The windows refer to the application object: they go first, the notes before the main window whose
    // menu holds their entries.
    m_exiting = true;
    for (std::size_t i = 1; i < state.notes.size(); ++i) {
        delete state.notes[i];
        state.notes[i] = nullptr;
    }
    delete m_frmmain;
    m_frmmain = nullptr;
}

FrmMain& App::frmmain() {
    if (!m_frmmain)
        m_frmmain = new FrmMain(*this);
    return *m_frmmain;
}

bool App::startup(InstanceGuard& guard) {
    loadsettings(state, m_store);
    if (!guard.acquire()) {
        // Only a language of exactly 0 is English here: the message predates the settings dialog.
        prompts().message(appTitle, state.language == 0 ? QStringLiteral("Zovuzor is already running!")
                                                        : QStringLiteral("Zovuzor läuft bereits!"));
        return false;
    }
    if (m_store.wasDamaged())
        prompts().message(appTitle, damagedStoreText());
    m_store.write(settingsSection, QStringLiteral("path"), programFolder());
    // "path" is on disk at once, like every other write of the store; a store that cannot be written is
    // reported by the first save.
    m_store.sync();
    state.wavedevs = wavedevices();
    loadnotes();
    frmmain();
    installExitHooks();
    return true;
}

void App::installExitHooks() {
    if (m_exitSignals)
        return;
    m_exitSignals = std::make_unique<ExitSignals>();
    connect(m_exitSignals.get(), &ExitSignals::requested, this, &App::exitProgram);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
#if QT_CONFIG(sessionmanager)
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { exitProgram(); });
#endif
        connect(gui, &QCoreApplication::aboutToQuit, this, &App::exitProgram);
    }
}

void App::loadnotes() {
    m_loadingNotes = true;
    const int count = std::max(0, state.notecount);
    state.notes.assign(std::size_t(count) + 1, nullptr);
    for (int i = 1; i <= count; ++i) {
        const StoredNote stored =
            notestore::read(m_store, i, Paplet::designHeightTw(), Paplet::designWidthTw());
        // The first entry loads the main window, so its icon and texts exist before any note window.
        QAction* entry = frmmain().addListEntry(i, false, QString());

        auto* p = new Paplet(*this);
        state.notes[std::size_t(i)] = p;
        p->notetag = QString::number(i);
        p->topme = stored.ontop;
        p->alarmdate = stored.date;
        p->alarmtime = stored.time;
        p->setText(stored.text);
        p->applyNoteFont(state);
        p->hasrung = stored.hasrung;
        p->ringearly = stored.ringearly;
        p->setLeftTw(stored.left);
        p->setTopTw(stored.top);
        p->setTextBackColor(state.backColor());
        p->setTextForeColor(state.foreColor());
        p->setHeightTw(stored.height);
        p->ioldheight = stored.oldheight;
        p->setWidthTw(stored.width);

        if (stored.visible) {
            p->show();
            if (entry)
                entry->setChecked(true);
            if (p->topme)
                settopmost(p);
        }
        if (stored.text.isEmpty()) {
            if (entry)
                entry->setText(state.untitledtext);
            p->captstr = state.untitledtext;
            p->setcaption();
        }
        QCoreApplication::processEvents();
    }
    m_loadingNotes = false;
    FrmMain& fm = frmmain();
    if (state.notecount > 0) {
        if (QAction* placeholder = fm.listpaplets.value(0))
            placeholder->setVisible(false);
        state.activenote = 1;
    }
    state.allhiddenflag = fm.allhidden();
    if (state.allhiddenflag && fm.hideall)
        fm.hideall->setText(state.language == 1 ? QStringLiteral("alle anzeigen")
                                                : QStringLiteral("show all"));
}

void App::savenotes() {
    notestore::removeSections(m_store, state.loadedcount);
    int j = 0;
    for (int i = 1; i <= state.notecount; ++i) {
        Paplet* p = state.note(i);
        if (!p || p->deletedflag)
            continue;
        StoredNote n;
        n.text = p->text();
        n.left = p->leftTw();
        n.top = p->topTw();
        n.height = p->heightTw();
        n.oldheight = p->ioldheight;
        n.width = p->widthTw();
        n.hasrung = p->hasrung;
        n.ringearly = p->ringearly;
        n.date = p->alarmdate;
        n.time = p->alarmtime;
        n.ontop = p->topme;
        n.visible = p->isVisible();
        notestore::write(m_store, ++j, n);
    }
}

bool App::saveAll() {
    savesettings(state, m_store, programFolder());
    savenotes();
    if (m_store.sync())
        return true;
    prompts().message(appTitle, saveFailedText());
    emit saveFailed(m_store.path());
    return false;
}

QString App::saveFailedText() const {
    const QString path = QDir::toNativeSeparators(m_store.path());
    if (state.german())
        return QStringLiteral("Zovuzor konnte die Notizen und Einstellungen nicht speichern in\n%1\n\n"
                              "Die Datei ist unverändert; alle Notizen bleiben geöffnet. Bitte prüfen Sie "
                              "den freien Speicherplatz und die Schreibrechte und wählen Sie dann erneut "
                              "\"alles speichern\".")
            .arg(path);
    return QStringLiteral("Zovuzor could not save the notes and settings to\n%1\n\n"
                          "The file is unchanged and every note stays open. Please check the free disk "
                          "space and the write permissions, then choose \"save all\" again.")
        .arg(path);
}

QString App::damagedStoreText() const {
    const QString path = QDir::toNativeSeparators(m_store.path());
    const QString copy = QDir::toNativeSeparators(m_store.backupPath());
    if (state.german())
        return QStringLiteral("Die Datei mit den Notizen und Einstellungen war beschädigt:\n%1\n\n"
                              "Zovuzor startet mit allem, was sich lesen ließ. Eine Kopie der beschädigten "
                              "Datei liegt unter\n%2")
            .arg(path, copy);
    return QStringLiteral("The file holding the notes and settings was damaged:\n%1\n\n"
                          "Zovuzor starts with everything that could be read. A copy of the damaged file "
                          "was kept as\n%2")
        .arg(path, copy);
}

bool App::exitCommand() {
    if (m_exiting)
        return true;
    savesettings(state, m_store, programFolder());
    savenotes();
    if (!m_store.sync()) {
        emit saveFailed(m_store.path());
        const QString question =
            saveFailedText() + QStringLiteral("\n\n") +
            (state.german() ? QStringLiteral("Trotzdem beenden? Alle Änderungen seit dem letzten Speichern "
                                             "gehen dann verloren.")
                            : QStringLiteral("Exit anyway? Every change since the last save would be lost."));
        if (prompts().askYesNo(appTitle, question) != Prompts::Answer::Yes)
            return false;
    }
    m_savedByExitCommand = true;
    exitProgram();
    return true;
}

void App::saveForUnload() {
    if (m_savedByExitCommand)
        return;
    saveAll();
}

void App::exitProgram() {
    if (m_exiting)
        return;
    frmmain().unload();
    m_exiting = true;
    // Nothing more happens in the windows that are left: no alarm comes up while the program ends.
    for (Paplet* p : state.notes)
        if (p && p->Timer1)
            p->Timer1->stop();
    QCoreApplication::quit();
}

void App::restoreOnTopNotes() {
    for (int i = 1; i <= state.notecount; ++i) {
        Paplet* p = state.note(i);
        if (p && !p->deletedflag && p->topme && p->isVisible())
            settopmost(p);
    }
}
