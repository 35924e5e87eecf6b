#pragma once

// Shared fixture for the unit and widget tests: a fresh application object over a temporary store, with a
// fake clock, scripted prompts and a recording sound output.

#include "core/seams.h"
#include "core/settingsstore.h"
#include "note/paplet.h"
#include "tray/app.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

struct TestApp {
    QTemporaryDir dir;
    FakeClock clock;
    ScriptedPrompts prompts;
    RecordingSound sound;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<App> app;

    TestApp() { reset(); }
    QString iniPath() const { return dir.filePath(QStringLiteral("paplt32.ini")); }
    // Writes an INI file as a user or an earlier run left it, then rebuilds the application over it.
    void seed(const QByteArray& ini) {
        app.reset();
        store.reset();
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
        f.close();
        reset();
    }
    void reset() {
        app.reset();
        store = std::make_unique<SettingsStore>(iniPath());
        app = std::make_unique<App>(*store, App::Seams{&clock, &prompts, &sound});
    }
    AppState& state() { return app->state; }

    // A note made the way the note store makes one: numbered, in the note table, with an entry in the note
    // list (checked when `listed`), the placeholder entry hidden. Text, size and visibility are the caller's.
    Paplet* addNote(bool listed = true) {
        FrmMain& fm = app->frmmain();
        AppState& s = state();
        const int n = ++s.notecount;
        s.notes.resize(std::size_t(n) + 1, nullptr);
        auto* p = new Paplet(*app);
        s.notes[std::size_t(n)] = p;
        p->notetag = QString::number(n);
        fm.addListEntry(n, listed, s.untitledtext);
        if (QAction* placeholder = fm.listpaplets.value(0))
            placeholder->setVisible(false);
        return p;
    }
};

// Runs a test class with a private config and runtime folder, so that no test touches the user's files.
#define ZOVUZOR_TEST_MAIN(TestClass)                                                                         \
    int main(int argc, char* argv[]) {                                                                       \
        QTemporaryDir home;                                                                                  \
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());                        \
        QDir().mkpath(home.filePath(QStringLiteral("run")));                                                 \
        QFile::setPermissions(home.filePath(QStringLiteral("run")),                                          \
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);     \
        qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("run")).toUtf8());                           \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QApplication app(argc, argv);                                                                        \
        app.setQuitOnLastWindowClosed(false);                                                                \
        TestClass tc;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
