#include "testsupport.h"

#include "core/instanceguard.h"
#include "core/settings.h"
#include "note/paplet.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QSettings>
#include <QSignalSpy>
#include <csignal>

namespace {
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QString stored(const QString& ini, const QString& key) {
    QSettings s(ini, QSettings::IniFormat);
    return s.value(key, QStringLiteral("<missing>")).toString();
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartLoadsEverything() {
        TestApp t;
        t.seed("[Settings]\nTotal=2\n[Paplet%201]\ntext=one\n[Paplet%202]\ntext=two\nvisible=False\n");
        InstanceGuard guard(t.dir.filePath(QStringLiteral("lock")));
        QVERIFY(t.app->startup(guard));
        QVERIFY(t.prompts.asked().isEmpty());
        QCOMPARE(stored(t.iniPath(), "Settings/path"), programFolder()); // on disk at once
        QVERIFY(t.app->frmmainLoaded());
        FrmMain& fm = t.app->frmmain();
        QVERIFY(fm.trayIcon()->isVisible());
        QCOMPARE(fm.tooltip(), QStringLiteral("2 Zovuzor "));
        QCOMPARE(t.state().notecount, 2);
        QVERIFY(t.state().note(1)->isVisible());
        QVERIFY(!t.state().note(2)->isVisible());
        QVERIFY(t.state().wavedevs >= 0);
    }

    void firstStartWithoutStoreStillHasTrayIcon() {
        TestApp t;
        InstanceGuard guard(t.dir.filePath(QStringLiteral("lock")));
        QVERIFY(t.app->startup(guard));
        QVERIFY(t.app->frmmainLoaded());
        QVERIFY(t.app->frmmain().trayIcon()->isVisible());
        QCOMPARE(t.app->frmmain().tooltip(), QStringLiteral("0 Zovuzor "));
        QCOMPARE(stored(t.iniPath(), "Settings/path"), programFolder());
    }

    // The second instance reads the stored language, says so, and leaves the store and the running instance
    // untouched.
    void secondInstance_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("message");
        QTest::newRow("0") << QByteArray("0") << QStringLiteral("Zovuzor|Zovuzor is already running!");
        QTest::newRow("1") << QByteArray("1") << QStringLiteral("Zovuzor|Zovuzor läuft bereits!");
        QTest::newRow("2") << QByteArray("2") << QStringLiteral("Zovuzor|Zovuzor läuft bereits!");
    }
    void secondInstance() {
        QFETCH(QByteArray, language);
        QFETCH(QString, message);
        TestApp first;
        first.seed("[Settings]\nTotal=1\nlanguage=" + language + "\n[Paplet%201]\ntext=mine\n");
        const QString lock = first.dir.filePath(QStringLiteral("zovuzor.lock"));
        InstanceGuard firstGuard(lock);
        QVERIFY(first.app->startup(firstGuard));
        const QByteArray before = fileBytes(first.iniPath());
        QVERIFY(before.contains("path="));

        {
            SettingsStore store(first.iniPath());
            ScriptedPrompts prompts;
            FakeClock clock;
            RecordingSound sound;
            App second(store, App::Seams{&clock, &prompts, &sound});
            InstanceGuard secondGuard(lock);
            QVERIFY(!second.startup(secondGuard));
            QCOMPARE(prompts.asked(), QStringList{message});
            QVERIFY(!second.frmmainLoaded());
            QCOMPARE(second.state.notecount, 1);         // the settings were read first
            QCOMPARE(int(second.state.notes.size()), 1); // but no note was made
        }
        QCOMPARE(fileBytes(first.iniPath()), before);
        QVERIFY(first.prompts.asked().isEmpty());
        QVERIFY(first.app->frmmain().trayIcon()->isVisible());
    }

    void damagedStoreIsReportedOnce_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("word");
        QTest::newRow("English") << QByteArray("0") << QStringLiteral("damaged");
        QTest::newRow("German") << QByteArray("1") << QStringLiteral("beschädigt");
    }
    void damagedStoreIsReportedOnce() {
        QFETCH(QByteArray, language);
        QFETCH(QString, word);
        TestApp t;
        const QByteArray damaged = "[Settings]\nTotal=1\nlanguage=" + language + "\n[Paplet%201\ntext=x\n";
        t.seed(damaged);
        QVERIFY(t.store->wasDamaged());
        InstanceGuard guard(t.dir.filePath(QStringLiteral("lock")));
        QVERIFY(t.app->startup(guard));
        QCOMPARE(t.prompts.asked().size(), 1);
        const QString asked = t.prompts.asked().constFirst();
        QVERIFY2(asked.startsWith(QStringLiteral("Zovuzor|")), qPrintable(asked));
        QVERIFY2(asked.contains(word), qPrintable(asked));
        QVERIFY2(asked.contains(QDir::toNativeSeparators(t.store->backupPath())), qPrintable(asked));
        QCOMPARE(fileBytes(t.store->backupPath()), damaged);
    }

    // A store that cannot be written: the user hears of it once per save, and everything stays in memory.
    void failedSaveTellsOnceAndKeepsRunning() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("notadir")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore store(dir.filePath(QStringLiteral("notadir/paplt32.ini")));
        ScriptedPrompts prompts;
        FakeClock clock;
        RecordingSound sound;
        App app(store, App::Seams{&clock, &prompts, &sound});
        loadsettings(app.state, store);
        app.loadnotes();
        Paplet* p = app.frmmain().onAddpapletTriggered();
        p->setText(QStringLiteral("precious"));
        QSignalSpy failed(&app, &App::saveFailed);

        QVERIFY(!app.saveAll());
        QCOMPARE(prompts.asked().size(), 1);
        QVERIFY(prompts.asked().constFirst().startsWith(QStringLiteral("Zovuzor|")));
        QVERIFY(prompts.asked().constFirst().contains(QStringLiteral("notadir")));
        QCOMPARE(failed.count(), 1);

        app.frmmain().savepaplets->trigger();
        QCOMPARE(prompts.asked().size(), 2);
        QCOMPARE(app.state.note(1)->text(), QStringLiteral("precious"));
        QVERIFY(app.frmmain().trayIcon()->isVisible());

        // Exit: the user may stay (the default) and nothing is closed...
        prompts.clear();
        app.frmmain().exitpaplets->trigger();
        QCOMPARE(prompts.asked().size(), 1);
        QVERIFY(!app.exiting());
        QVERIFY(!app.frmmain().unloaded());
        QVERIFY(app.frmmain().trayIcon()->isVisible());
        // ...or leave anyway, without being asked again
        prompts.clear();
        prompts.nextAnswer(Prompts::Answer::Yes);
        app.frmmain().exitpaplets->trigger();
        QCOMPARE(prompts.asked().size(), 1);
        QVERIFY(app.exiting());
        QVERIFY(!app.frmmain().trayIcon()->isVisible());
    }

    void exitSavesAndRemovesIcon() {
        TestApp t;
        InstanceGuard guard(t.dir.filePath(QStringLiteral("lock")));
        QVERIFY(t.app->startup(guard));
        FrmMain& fm = t.app->frmmain();
        fm.onAddpapletTriggered()->setText(QStringLiteral("first"));
        fm.onAddpapletTriggered()->setText(QStringLiteral("second"));
        t.state().defwidth = QStringLiteral("3210");
        fm.exitpaplets->trigger();
        QVERIFY(t.app->exiting());
        QVERIFY(fm.unloaded());
        QVERIFY(!fm.trayIcon()->isVisible());
        QVERIFY(t.prompts.asked().isEmpty());
        QCOMPARE(stored(t.iniPath(), "Settings/Total"), QStringLiteral("2"));
        QCOMPARE(stored(t.iniPath(), "Settings/defwidth"), QStringLiteral("3210"));
        QCOMPARE(stored(t.iniPath(), "Paplet 2/text"), QStringLiteral("second"));

        // the path runs once: later requests change nothing
        t.state().note(1)->setText(QStringLiteral("changed after exit"));
        t.app->exitProgram();
        fm.unload();
        QCOMPARE(stored(t.iniPath(), "Paplet 1/text"), QStringLiteral("first"));
    }

    // Being asked to terminate saves like the exit command.
    void terminationSignalsTakeExitPath_data() {
        QTest::addColumn<int>("signo");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void terminationSignalsTakeExitPath() {
        QFETCH(int, signo);
        struct sigaction before {};
        sigaction(signo, nullptr, &before);
        {
            TestApp t;
            InstanceGuard guard(t.dir.filePath(QStringLiteral("lock")));
            QVERIFY(t.app->startup(guard));
            t.app->frmmain().onAddpapletTriggered()->setText(QStringLiteral("saved by signal"));
            std::raise(signo);
            QTRY_VERIFY(t.app->exiting());
            QVERIFY(!t.app->frmmain().trayIcon()->isVisible());
            QCOMPARE(stored(t.iniPath(), "Paplet 1/text"), QStringLiteral("saved by signal"));
        }
        // the handler that was there before comes back
        struct sigaction after {};
        sigaction(signo, nullptr, &after);
        QVERIFY(after.sa_handler == before.sa_handler);
    }
};

ZOVUZOR_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
