// The note's alarm: the due test, the road from a due alarm to the alarm window, two notes due at once,
// and the note menu's alarm item.
#include "testsupport.h"

#include "alarm/alarmmsg.h"
#include "core/regional.h"
#include "note/paplet.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {
Paplet* addNote(TestApp& t, const QString& text, bool visible) {
    Paplet* p = t.addNote(visible);
    p->setText(text);
    if (visible)
        p->show();
    return p;
}

// Watches for the next modal window, lets `inspect` look at it while it is up, then closes it the way
// the user would (its OK button), or rejects it when it has none.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(std::function<void(QWidget*)> inspect) : m_inspect(std::move(inspect)) {
        connect(&m_poll, &QTimer::timeout, this, &ModalCloser::poll);
        m_poll.start(5);
    }
    int seen = 0;

private:
    void poll() {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg || dlg == m_last)
            return;
        m_last = dlg;
        ++seen;
        if (m_inspect)
            m_inspect(dlg);
        if (auto* ok = dlg->findChild<QPushButton*>(QStringLiteral("cmdok")))
            ok->click();
        if (dlg->isVisible())
            dlg->reject();
    }
    std::function<void(QWidget*)> m_inspect;
    QTimer m_poll;
    QPointer<QDialog> m_last;
};

const QDate today(2026, 12, 24);
} // namespace

class TestNoteAlarm : public QObject {
    Q_OBJECT
private slots:
    void dueTest_data() {
        QTest::addColumn<int>("dayOffset"); // alarm date relative to today; 99: no alarm
        QTest::addColumn<QTime>("alarmtime");
        QTest::addColumn<int>("ringearly");
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("flags"); // "rung", "deleted", "showing"
        QTest::addColumn<bool>("due");
        const QTime ten(10, 0);
        QTest::newRow("today at the moment") << 0 << ten << 0 << ten << "" << true;
        QTest::newRow("today a second early") << 0 << ten << 0 << QTime(9, 59, 59) << "" << false;
        QTest::newRow("today later") << 0 << ten << 0 << QTime(23, 59) << "" << true;
        QTest::newRow("15 early, at 09:45") << 0 << ten << 15 << QTime(9, 45) << "" << true;
        QTest::newRow("15 early, at 09:44:59") << 0 << ten << 15 << QTime(9, 44, 59) << "" << false;
        QTest::newRow("yesterday") << -1 << ten << 0 << QTime(11, 0) << "" << false;
        QTest::newRow("tomorrow") << 1 << ten << 59 << QTime(23, 0) << "" << false;
        QTest::newRow("before midnight: all day") << 0 << QTime(0, 10) << 15 << QTime(0, 0, 5) << "" << true;
        QTest::newRow("no alarm") << 99 << QTime(0, 0) << 0 << ten << "" << false;
        QTest::newRow("rung") << 0 << ten << 0 << QTime(11, 0) << "rung" << false;
        QTest::newRow("deleted") << 0 << ten << 0 << QTime(11, 0) << "deleted" << false;
        QTest::newRow("another alarm showing") << 0 << ten << 0 << QTime(11, 0) << "showing" << false;
        QTest::newRow("minutes out of range, not before the time")
            << 0 << ten << 75 << QTime(9, 30) << "" << false;
        QTest::newRow("minutes out of range, on time") << 0 << ten << 75 << ten << "" << true;
    }
    void dueTest() {
        QFETCH(int, dayOffset);
        QFETCH(QTime, alarmtime);
        QFETCH(int, ringearly);
        QFETCH(QTime, now);
        QFETCH(QString, flags);
        QFETCH(bool, due);
        TestApp t;
        Paplet p(*t.app);
        p.alarmdate = dayOffset == 99 ? QDate() : today.addDays(dayOffset);
        p.alarmtime = alarmtime;
        p.ringearly = qint16(ringearly);
        p.hasrung = flags == QLatin1String("rung");
        p.deletedflag = flags == QLatin1String("deleted");
        t.state().alarmshowing = flags == QLatin1String("showing");
        QCOMPARE(p.alarmDue(QDateTime(today, now)), due);
    }

    void dueAlarmRingsOnce() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* p = addNote(t, QStringLiteral("dentist"), false);
        p->alarmdate = today;
        p->alarmtime = QTime(14, 30);
        p->ringearly = 5;
        t.clock.set(QDateTime(today, QTime(14, 24)));
        QVERIFY(p->Timer1->isActive());
        QCOMPARE(p->Timer1->interval(), 20000);

        // Not yet due: nothing happens.
        {
            ModalCloser none(nullptr);
            p->onTimer1Tick();
            QCOMPARE(none.seen, 0);
            QVERIFY(!p->hasrung);
        }

        // Due: the hidden note shows itself, checks its entry, locks the tray menu, and the alarm window
        // names it.
        t.clock.set(QDateTime(today, QTime(14, 25, 10)));
        QString title, label;
        bool shownWhileUp = false, checkedWhileUp = false, menuLockedWhileUp = false, rungWhileUp = false;
        ModalCloser closer([&](QWidget* dlg) {
            title = dlg->windowTitle();
            if (auto* msg = qobject_cast<AlarmMsg*>(dlg); msg && msg->Label1)
                label = msg->Label1->text();
            shownWhileUp = p->isVisible();
            checkedWhileUp = fm.listpaplets.value(1)->isChecked();
            menuLockedWhileUp = !fm.papletmenu->isEnabled();
            rungWhileUp = p->hasrung;
        });
        // Through the note's own timer, made quick for the test.
        p->Timer1->setInterval(1);
        QTRY_COMPARE(closer.seen, 1);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        p->Timer1->stop();
        QCOMPARE(title, QStringLiteral("Alarm ") + regional::timeText(QTime(14, 30)));
        QCOMPARE(label, QStringLiteral("dentist"));
        QVERIFY(shownWhileUp);
        QVERIFY(checkedWhileUp);
        QVERIFY(menuLockedWhileUp);
        QVERIFY(rungWhileUp);
        QVERIFY(p->hasrung);

        // Once rung, it stays silent.
        p->onTimer1Tick();
        QTest::qWait(30);
        QCOMPARE(closer.seen, 1);
    }

    void twoNotesDueRingOneAfterTheOther() {
        TestApp t;
        Paplet* first = addNote(t, QStringLiteral("first"), true);
        Paplet* second = addNote(t, QStringLiteral("second"), true);
        for (Paplet* p : {first, second}) {
            p->alarmdate = today;
            p->alarmtime = QTime(9, 0);
        }
        t.clock.set(QDateTime(today, QTime(9, 0, 15)));

        QStringList labels;
        bool secondRangInside = true;
        ModalCloser closer([&](QWidget* dlg) {
            auto* label = dlg->findChild<QLabel*>(QStringLiteral("Label1"));
            labels << (label ? label->text() : dlg->windowTitle());
            // The second note's tick while the first alarm is up ends at once.
            if (labels.size() == 1) {
                second->onTimer1Tick();
                secondRangInside = second->hasrung;
            }
        });
        first->onTimer1Tick();
        QCOMPARE(labels, QStringList({"first"}));
        QVERIFY(!secondRangInside);
        QVERIFY(first->hasrung);

        second->onTimer1Tick();
        QCOMPARE(labels, QStringList({"first", "second"}));
        QVERIFY(second->hasrung);
    }

    void deletedNoteNeverRings() {
        TestApp t;
        t.state().confirmdelete = QStringLiteral("False");
        Paplet* p = addNote(t, QStringLiteral("gone"), true);
        p->alarmdate = today;
        p->alarmtime = QTime(8, 0);
        t.clock.set(QDateTime(today, QTime(9, 0)));
        p->unloadpaplet();
        ModalCloser closer(nullptr);
        p->onTimer1Tick();
        QCOMPARE(closer.seen, 0);
        QVERIFY(!p->isVisible());
        QVERIFY(!p->hasrung);
    }

    void noteMenuShowsTheAlarm() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* first = addNote(t, QStringLiteral("first"), true);
        Paplet* p = addNote(t, QStringLiteral("with alarm"), true);
        p->topme = true;
        first->onActivate();
        QCOMPARE(t.state().activenote, 1);

        // Every popup that opens is counted and shut again.
        int opened = 0;
        QWidget* lastPopup = nullptr;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                ++opened;
                lastPopup = popup;
                popup->close();
            }
        });
        poll.start(5);

        QTest::mouseClick(p->Image2, Qt::LeftButton);
        QCOMPARE(opened, 1);
        QCOMPARE(lastPopup, fm.actpaplet);
        QCOMPARE(fm.papletalarm->text(), QStringLiteral("alarm..."));
        QCOMPARE(t.state().activenote, 2);
        QCOMPARE(fm.topit->text(), QStringLiteral("not on top"));

        p->alarmdate = QDate(2026, 12, 24);
        p->alarmtime = QTime(14, 30);
        p->onImage2Released();
        QCOMPARE(fm.papletalarm->text(), QStringLiteral("alarm... (") + regional::dateText(p->alarmdate) +
                                             QStringLiteral(" / ") + regional::timeText(p->alarmtime) + u')');

        p->alarmdate = QDate();
        p->onImage2Released();
        QCOMPARE(fm.papletalarm->text(), QStringLiteral("alarm..."));
        QCOMPARE(opened, 3);

        // The right button opens nothing.
        QTest::mouseClick(p->Image2, Qt::RightButton);
        QTest::qWait(20);
        QCOMPARE(opened, 3);
    }
};

ZOVUZOR_TEST_MAIN(TestNoteAlarm)
#include "tst_note_alarm.moc"
