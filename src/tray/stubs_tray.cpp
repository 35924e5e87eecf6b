// Temporary stand-ins so that every folder links while the real code is written.
#include "app.h"
#include "frmmain.h"
#include "messageboxprompts.h"
#include "windowhelpers.h"

#include <QWidget>

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
        m_ownSound = std::make_unique<RecordingSound>();
        m_sound = m_ownSound.get();
    }
}
App::~App() = default;
FrmMain& App::frmmain() {
    if (!m_frmmain)
        m_frmmain = new FrmMain(*this);
    return *m_frmmain;
}
bool App::startup(InstanceGuard&) {
    return true;
}
void App::loadnotes() {}
void App::savenotes() {}
bool App::saveAll() {
    return true;
}
void App::exitProgram() {}
void App::restoreOnTopNotes() {}

void MessageBoxPrompts::message(const QString&, const QString&) {}
Prompts::Answer MessageBoxPrompts::askYesNo(const QString&, const QString&) {
    return Answer::No;
}

FrmMain::FrmMain(App& app) : m_app(app) {}
FrmMain::~FrmMain() = default;
QString FrmMain::tooltip() const {
    return {};
}
void FrmMain::loadlanguagedetails() {}
void FrmMain::modifytooltip(qint16) {}
bool FrmMain::allhidden() {
    return false;
}
QAction* FrmMain::addListEntry(int, bool, const QString&) {
    return nullptr;
}
void FrmMain::removeListEntry(int) {}
void FrmMain::onTrayActivated(QSystemTrayIcon::ActivationReason) {}
void FrmMain::prepareTrayMenu() {}
void FrmMain::onPapletaboutTriggered() {}
void FrmMain::onPapletsettingsTriggered() {}
void FrmMain::onHideallTriggered() {}
void FrmMain::onSavepapletsTriggered() {}
Paplet* FrmMain::onAddpapletTriggered() {
    return nullptr;
}
void FrmMain::onListpapletsTriggered(int) {}
void FrmMain::onExitpapletsTriggered() {}
void FrmMain::onPapletalarmTriggered() {}
void FrmMain::fillAlarmDialog(FrmAlarm&) {}
void FrmMain::onTopitTriggered() {}
void FrmMain::onDefsizeTriggered() {}
void FrmMain::unload() {}
