// The alarm window: the flag that keeps other alarms back, the sound on each activation, blinking, and
// what OK (or Escape) undoes.
#include "testsupport.h"

#include "alarm/alarmmsg.h"
#include "note/paplet.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

class TestAlarmMsg : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;

private slots:
    void init() {
        t = std::make_unique<TestApp>();
        t->state().wave = QStringLiteral("/sounds/ring.wav");
        t->state().wavedevs = 1;
    }
    void cleanup() { t.reset(); }

    void loadSetsTheFlagAndLaysOutTheWindow() {
        QVERIFY(!t->state().alarmshowing);
        AlarmMsg msg(*t->app);
        QVERIFY(t->state().alarmshowing);
        QCOMPARE(msg.objectName(), QStringLiteral("alarmmsg"));
        const Qt::WindowFlags f = msg.windowFlags();
        QVERIFY(f & Qt::WindowStaysOnTopHint);
        QVERIFY(
            !(f & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(msg.Timer1->interval(), 900);
        QVERIFY(msg.Timer1->isActive());
        QCOMPARE(msg.cmdok->text(), QStringLiteral("OK"));
        QVERIFY(msg.cmdok->isDefault());
        QCOMPARE(msg.Label1->font().family(), QStringLiteral("Arial"));
        QCOMPARE(msg.Label1->font().pointSize(), 9);
        QVERIFY(msg.Label1->alignment() & Qt::AlignHCenter);
        QCOMPARE(msg.Label1->textFormat(), Qt::PlainText); // a caption like "<b>" shows as typed
        QVERIFY(!msg.Image1->pixmap().isNull());
        QVERIFY(msg.Image1->pixmap().toImage().pixelColor(16, 14).alpha() > 0); // the bell is drawn
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((msg.frameGeometry().center() - centre).manhattanLength() <= 2);
    }

    void longCaptionWidensTheWindow() {
        AlarmMsg msg(*t->app);
        msg.Label1->setText(QStringLiteral("Dentist"));
        msg.show();
        const int designWidth = msg.width();
        msg.hide();
        const QString caption =
            QStringLiteral("Call the plumber about the dripping tap in the upstairs bathroom");
        msg.Label1->setText(caption);
        msg.show();
        QVERIFY(msg.width() > designWidth);
        QVERIFY(msg.Label1->width() >= QFontMetrics(msg.Label1->font()).horizontalAdvance(caption));
        QCOMPARE(msg.Label1->text(), caption);
        QVERIFY(std::abs(msg.cmdok->geometry().center().x() - msg.width() / 2) <= 1);
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((msg.frameGeometry().center() - centre).manhattanLength() <= 2);
    }

    // The sound starts as the window comes up, again each time the window becomes active after another
    // window was, and not for the activation that merely follows its coming up. No wave device: a beep
    // instead. OK stops the sound only when there is a device.
    void soundOnActivationAndOk_data() {
        QTest::addColumn<int>("wavedevs");
        QTest::addColumn<bool>("repeatwave");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<bool>("stops");
        QTest::newRow("once") << 1 << false << "play /sounds/ring.wav once" << true;
        QTest::newRow("repeat") << 2 << true << "play /sounds/ring.wav loop" << true;
        QTest::newRow("no wave device") << 0 << true << "beep" << false;
    }
    void soundOnActivationAndOk() {
        QFETCH(int, wavedevs);
        QFETCH(bool, repeatwave);
        QFETCH(QString, sound);
        QFETCH(bool, stops);
        t->state().wavedevs = wavedevs;
        t->state().repeatwave = repeatwave;
        AlarmMsg msg(*t->app);
        QVERIFY(t->sound.calls.isEmpty()); // nothing before it is shown
        msg.show();
        QCOMPARE(t->sound.calls, QStringList{sound});
        msg.onActivationChanged(true); // the window manager activates it as it comes up
        QCOMPARE(t->sound.calls.size(), 1);
        msg.onActivationChanged(false); // the user switches away ...
        QCOMPARE(t->sound.calls.size(), 1);
        msg.onActivationChanged(true); // ... and back: the sound starts again
        QCOMPARE(t->sound.calls, (QStringList{sound, sound}));
        msg.cmdok->click();
        QCOMPARE(t->sound.calls.size(), stops ? 3 : 2);
        if (stops)
            QCOMPARE(t->sound.calls.last(), QStringLiteral("stop"));
        QVERIFY(!msg.isVisible());
        msg.onActivationChanged(true); // nothing after closing
        QCOMPARE(t->sound.calls.size(), stops ? 3 : 2);
    }

    void playwavePassesOnceOrLoop() {
        AlarmMsg msg(*t->app);
        msg.playwave(QStringLiteral("a.wav"), 0);
        msg.playwave(QStringLiteral("b.wav"), 9);
        QCOMPARE(t->sound.calls, (QStringList{"play a.wav once", "play b.wav loop"}));
    }

    // Shown as the alarm watch shows it: the sound starts as the window comes up, and OK ends it all.
    void modalRoundTrip() {
        t->state().repeatwave = true;
        t->app->frmmain().papletmenu->setEnabled(false); // as the alarm watch leaves it
        AlarmMsg msg(*t->app);
        msg.setWindowTitle(QStringLiteral("Alarm 10:00:00"));
        msg.Label1->setText(QStringLiteral("Dentist"));
        QStringList seen;
        QTimer::singleShot(0, &msg, [&] {
            const auto closeAnyway = qScopeGuard([&] { msg.cmdok->click(); });
            QTRY_VERIFY(msg.isVisible());
            msg.activateWindow();
            QTRY_VERIFY(!t->sound.calls.isEmpty());
            seen = t->sound.calls;
        });
        msg.exec();
        QCOMPARE(seen.value(0), QStringLiteral("play /sounds/ring.wav loop"));
        QCOMPARE(t->sound.calls.last(), QStringLiteral("stop"));
        QVERIFY(!t->state().alarmshowing);
        QVERIFY(t->app->frmmain().papletmenu->isEnabled());
    }

    void escapeAcknowledgesLikeOk() {
        t->app->frmmain().papletmenu->setEnabled(false);
        AlarmMsg msg(*t->app);
        msg.show();
        msg.onActivate();
        QTest::keyClick(&msg, Qt::Key_Escape);
        QVERIFY(!msg.isVisible());
        QCOMPARE(t->sound.calls.last(), QStringLiteral("stop"));
        QVERIFY(t->app->frmmain().papletmenu->isEnabled());
        QVERIFY(!t->state().alarmshowing);
    }

    void returnPressesOk() {
        AlarmMsg msg(*t->app);
        msg.show();
        QTest::keyClick(msg.cmdok, Qt::Key_Return);
        QVERIFY(!msg.isVisible());
        QCOMPARE(msg.result(), int(QDialog::Accepted));
    }

    void closingPutsOnTopNotesBackAndClearsTheFlagOnce() {
        t->app->frmmain();
        AppState& s = t->state();
        s.notecount = 1;
        s.notes.resize(2, nullptr);
        auto* note = new Paplet(*t->app);
        s.notes[1] = note;
        note->notetag = QStringLiteral("1");
        note->topme = true;
        note->show();
        setnottopmost(note);
        {
            AlarmMsg msg(*t->app);
            msg.show();
            msg.cmdok->click();
            QVERIFY(isTopmost(note));
            QVERIFY(!s.alarmshowing);
            s.alarmshowing = true; // a second alarm window is up by now: closing this one again must not
            msg.close();           // touch the flag
            QVERIFY(s.alarmshowing);
            s.alarmshowing = false;
        }
        QVERIFY(!s.alarmshowing);
    }

    void destroyedWithoutClosingLeavesNoSoundBehind() {
        {
            AlarmMsg msg(*t->app);
            msg.onActivate();
        }
        QVERIFY(!t->state().alarmshowing);
        QCOMPARE(t->sound.calls.last(), QStringLiteral("stop"));
    }

    void bellBlinksOnEveryTick() {
        AlarmMsg msg(*t->app);
        msg.show();
        QVERIFY(msg.Image1->isVisible());
        msg.onTimer1Tick();
        QVERIFY(!msg.Image1->isVisible());
        msg.onTimer1Tick();
        QVERIFY(msg.Image1->isVisible());
        // and the timer drives it
        QSignalSpy ticks(msg.Timer1, &QTimer::timeout);
        QVERIFY(ticks.wait(2000));
        QVERIFY(!msg.Image1->isVisible());
        msg.cmdok->click();
        QVERIFY(!msg.Timer1->isActive());
    }
};

ZOVUZOR_TEST_MAIN(TestAlarmMsg)
#include "tst_alarm_msg.moc"
