// The alarm dialog: texts, key filters, the minutes limit, OK's checks and the re-arm rule, Clear, Cancel,
// the way into the calendar and back, and what closing restores.
#include "testsupport.h"

#include "alarm/frmalarm.h"
#include "alarm/frmcal.h"
#include "core/palette.h"
#include "core/regional.h"
#include "note/paplet.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

Paplet* addNote(TestApp& t) {
    return t.addNote();
}

QColor base(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}

// Runs `act` on the next modal dialog that comes up (from inside its exec), then closes it if still open.
void onNextModal(std::function<void(QDialog*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
    poll->start();
}

const QDate today(2026, 12, 24);

} // namespace

class TestAlarmDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TestApp> t;
    Paplet* note = nullptr;
    Paplet* other = nullptr;

    // The dialog filled for note p as the alarm command does, shown and activated.
    std::unique_ptr<FrmAlarm> openFor(Paplet* p) {
        t->state().activenote = p->notetag.toInt();
        auto dlg = std::make_unique<FrmAlarm>(*t->app);
        dlg->txtpaplet->setPlainText(QStringLiteral("note text"));
        dlg->txtdate->setText(regional::dateText(p->alarmdate.isValid() ? p->alarmdate : today));
        dlg->txttime->setText(p->alarmdate.isValid() ? regional::timeText(p->alarmtime) : QString());
        dlg->txtring->setText(QStringLiteral("05"));
        dlg->cmdclear->setEnabled(p->alarmdate.isValid());
        dlg->show();
        dlg->onActivate(); // the first activation, whether or not the platform delivered one
        return dlg;
    }

private slots:
    void init() {
        t = std::make_unique<TestApp>();
        t->clock.set(QDateTime(today, QTime(9, 0)));
        t->state().confirmdelete = QStringLiteral("True");
        note = addNote(*t);
        other = addNote(*t);
        note->alarmdate = today;
        note->alarmtime = QTime(10, 0);
        note->ringearly = 5;
        note->hasrung = true;
        other->alarmdate = today.addDays(3);
        other->alarmtime = QTime(8, 15);
    }
    void cleanup() { t.reset(); }

    void textsFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // Label1 Label2 Label5 cmdclear cmdcancel mes
        QTest::newRow("English") << 0 << QStringList{"Date:", "Time:",  "minutes earlier",
                                                     "Clear", "Cancel", "maximum value is 59 !"};
        QTest::newRow("German") << 1 << QStringList{"Datum:",  "Zeit:",   "Minuten früher",
                                                    "Löschen", "Abbruch", "maximaler Wert ist 59 !"};
        QTest::newRow("other values are English")
            << 7
            << QStringList{"Date:", "Time:", "minutes earlier", "Clear", "Cancel", "maximum value is 59 !"};
    }
    void textsFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        t->state().language = qint16(language);
        t->state().mes.clear(); // not yet set by the main window: the dialog takes it from the table
        FrmAlarm dlg(*t->app);
        QCOMPARE(dlg.objectName(), QStringLiteral("frmalarm"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Alarm"));
        QCOMPARE((QStringList{dlg.Label1->text(), dlg.Label2->text(), dlg.Label5->text(),
                              dlg.cmdclear->text(), dlg.cmdcancel->text(), dlg.mes}),
                 texts);
        QCOMPARE(dlg.Label3->text(), QStringLiteral("Paplet:"));
        QCOMPARE(dlg.Label4->text(), QStringLiteral("Alarm:"));
        QCOMPARE(dlg.cmdok->text(), QStringLiteral("OK"));
        QVERIFY(!dlg.cmdclear->isEnabled());
        QVERIFY(dlg.txtdate->isReadOnly());
        QVERIFY(dlg.txtpaplet->isReadOnly());
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void messageComesFromTheMainWindowsLanguageTexts() {
        t->state().mes = QStringLiteral("custom limit text");
        FrmAlarm dlg(*t->app);
        QCOMPARE(dlg.mes, QStringLiteral("custom limit text"));
    }

    void noteBoxTakesTheSettingsColoursAndFont() {
        AppState& s = t->state();
        s.backcolor = QStringLiteral("11");
        s.forecolor = QStringLiteral("4");
        s.font = QStringLiteral("DejaVu Serif");
        s.fontsize = QStringLiteral("14");
        s.fontbold = QStringLiteral("True");
        FrmAlarm dlg(*t->app);
        QCOMPARE(base(dlg.txtpaplet), palette::color(11));
        QCOMPARE(dlg.txtpaplet->palette().color(QPalette::Text), palette::color(4));
        QCOMPARE(dlg.txtpaplet->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(dlg.txtpaplet->font().pointSizeF(), 14.0);
        QVERIFY(!dlg.txtpaplet->font().bold());
    }

    void keyFilters_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("time: digits and colon") << "txttime"
                                                << "" << false << "14:30"
                                                << "14:30";
        QTest::newRow("time: letters, dots, blanks refused") << "txttime"
                                                             << "" << false << "1a4. 3-0x"
                                                             << "1430";
        QTest::newRow("time: five characters typed at most") << "txttime"
                                                             << "" << false << "14:305"
                                                             << "14:30";
        QTest::newRow("time: longer text from the opener refuses typing") << "txttime"
                                                                          << "14:30:00" << false << "1"
                                                                          << "14:30:00";
        QTest::newRow("time: typing over a selection replaces it") << "txttime"
                                                                   << "14:30:00" << true << "9:05"
                                                                   << "9:05";
        QTest::newRow("minutes: digits only") << "txtring"
                                              << "" << false << "1:a"
                                              << "1";
        QTest::newRow("minutes: two characters at most") << "txtring"
                                                         << "" << false << "123"
                                                         << "12";
    }
    void keyFilters() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        auto dlg = openFor(note);
        auto* edit = dlg->findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setText(before);
        if (selectAll)
            edit->selectAll();
        else
            edit->end(false);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), after);
    }

    void backspaceAndEditingKeysStillWork() {
        auto dlg = openFor(note);
        dlg->txttime->setText(QStringLiteral("14:30:00"));
        dlg->txttime->end(false);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(dlg->txttime, Qt::Key_Backspace);
        QCOMPARE(dlg->txttime->text(), QStringLiteral("14:3"));
        QTest::keyClick(dlg->txttime, Qt::Key_Home);
        QTest::keyClick(dlg->txttime, Qt::Key_Delete);
        QTest::keyClicks(dlg->txttime, QStringLiteral("0"));
        QCOMPARE(dlg->txttime->text(), QStringLiteral("04:3"));
        QTest::keyClick(dlg->txtring, Qt::Key_A, Qt::ControlModifier); // select all passes
        QTest::keyClicks(dlg->txtring, QStringLiteral("7"));
        QCOMPARE(dlg->txtring->text(), QStringLiteral("7"));
    }

    void pastingIsFilteredLikeTyping() {
        auto dlg = openFor(note);
        dlg->txttime->clear();
        QApplication::clipboard()->setText(QStringLiteral("9:0x"));
        QTest::keyClick(dlg->txttime, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg->txttime->text(), QString());
        QApplication::clipboard()->setText(QStringLiteral("9:05"));
        QTest::keyClick(dlg->txttime, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dlg->txttime->text(), QStringLiteral("9:05"));
    }

    void minutesAbove59AreRefusedWithTheMessage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("asked");
        QTest::newRow("English") << 0 << "Zovuzor|maximum value is 59 !";
        QTest::newRow("German") << 1 << "Zovuzor|maximaler Wert ist 59 !";
    }
    void minutesAbove59AreRefusedWithTheMessage() {
        QFETCH(int, language);
        QFETCH(QString, asked);
        t->state().language = qint16(language);
        t->state().mes.clear();
        auto dlg = openFor(note);
        dlg->txtring->clear();
        QTest::keyClicks(dlg->txtring, QStringLiteral("6"));
        QVERIFY(t->prompts.asked().isEmpty());
        QTest::keyClicks(dlg->txtring, QStringLiteral("5"));
        QCOMPARE(t->prompts.asked(), QStringList{asked});
        QCOMPARE(dlg->txtring->text(), QStringLiteral("59"));
        t->prompts.clear();
        dlg->txtring->setText(QStringLiteral("59")); // 59 itself is allowed
        dlg->txtring->setText(QStringLiteral("00"));
        QVERIFY(t->prompts.asked().isEmpty());
    }

    // OK checks the time and the minutes; a failed check marks the box light red, focuses it and keeps
    // the dialog open with nothing written.
    void okChecksTimeAndMinutes_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("ring");
        QTest::addColumn<QString>("faulty"); // box marked, or "" when accepted
        QTest::addColumn<QTime>("alarmtime");
        QTest::addColumn<int>("ringearly");
        QTest::newRow("typed hours and minutes") << "14:30"
                                                 << "05"
                                                 << "" << QTime(14, 30) << 5;
        QTest::newRow("one-digit hour") << "9:05"
                                        << "0"
                                        << "" << QTime(9, 5) << 0;
        QTest::newRow("with seconds") << "14:30:00"
                                      << "12"
                                      << "" << QTime(14, 30) << 12;
        QTest::newRow("as the alarm command writes it") << regional::timeText(QTime(16, 45, 10)) << "59"
                                                        << "" << QTime(16, 45, 10) << 59;
        QTest::newRow("empty time") << ""
                                    << "05"
                                    << "txttime" << QTime() << 0;
        QTest::newRow("hour 25") << "25:00"
                                 << "05"
                                 << "txttime" << QTime() << 0;
        QTest::newRow("only digits") << "1430"
                                     << "05"
                                     << "txttime" << QTime() << 0;
        QTest::newRow("empty minutes") << "14:30"
                                       << ""
                                       << "txtring" << QTime() << 0;
        QTest::newRow("minutes not a number") << "14:30"
                                              << "x"
                                              << "txtring" << QTime() << 0;
    }
    void okChecksTimeAndMinutes() {
        QFETCH(QString, time);
        QFETCH(QString, ring);
        QFETCH(QString, faulty);
        QFETCH(QTime, alarmtime);
        QFETCH(int, ringearly);
        auto dlg = openFor(note);
        dlg->txttime->setText(time);
        dlg->txtring->setText(ring);
        dlg->cmdok->click();
        if (faulty.isEmpty()) {
            QVERIFY(!dlg->isVisible());
            QCOMPARE(dlg->result(), int(QDialog::Accepted));
            QCOMPARE(note->alarmdate, today);
            QCOMPARE(note->alarmtime, alarmtime);
            QCOMPARE(int(note->ringearly), ringearly);
            QCOMPARE(other->alarmtime, QTime(8, 15)); // only the active note is touched
            return;
        }
        auto* box = dlg->findChild<QLineEdit*>(faulty);
        QVERIFY(dlg->isVisible());
        QCOMPARE(base(box), palette::color(12));
        QCOMPARE(dlg->focusWidget(), box);
        QCOMPARE(note->alarmtime, QTime(10, 0));
        QCOMPARE(int(note->ringearly), 5);
        // The mark goes with the next change of that box.
        box->setText(box->text() + u'1');
        QCOMPARE(base(box), palette::color(15));
    }

    // A rung alarm rings again only when the user changed its date or its time, not for the minutes
    // alone and not for what the opener filled in.
    void okReArmsOnlyForDateOrTimeChanges_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("hasrung");
        QTest::newRow("nothing") << "" << true;
        QTest::newRow("minutes only") << "ring" << true;
        QTest::newRow("time edited") << "time" << false;
        QTest::newRow("time edited back and forth") << "time same" << false;
        QTest::newRow("date picked") << "date" << false;
        QTest::newRow("date picked, then the dialog activated again") << "date reactivate" << false;
    }
    void okReArmsOnlyForDateOrTimeChanges() {
        QFETCH(QString, change);
        QFETCH(bool, hasrung);
        auto dlg = openFor(note);
        if (change == u"ring")
            dlg->txtring->setText(QStringLiteral("15"));
        if (change.startsWith(u"time")) {
            dlg->txttime->setText(QStringLiteral("11:00"));
            if (change.endsWith(u"same"))
                dlg->txttime->setText(regional::timeText(QTime(10, 0)));
        }
        if (change.startsWith(u"date")) {
            dlg->txtdate->setText(regional::dateText(today.addDays(1)));
            if (change.endsWith(u"reactivate"))
                dlg->onActivate();
        }
        dlg->cmdok->click();
        QVERIFY(!dlg->isVisible());
        QCOMPARE(note->hasrung, hasrung);
    }

    void theAlarmCommandsFillingIsAcceptedAsIs() {
        note->alarmtime = QTime(7, 5, 30);
        note->ringearly = 0;
        t->state().activenote = 1;
        FrmAlarm dlg(*t->app);
        t->app->frmmain().fillAlarmDialog(dlg);
        dlg.show();
        dlg.cmdok->click();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(note->alarmdate, today);
        QCOMPARE(note->alarmtime, QTime(7, 5, 30));
        QCOMPARE(note->hasrung, true);
    }

    void clear_data() {
        QTest::addColumn<QString>("confirmdelete");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("cleared");
        const int yes = int(Prompts::Answer::Yes), no = int(Prompts::Answer::No);
        QTest::newRow("no confirmation") << "False" << 0 << no << "" << true;
        QTest::newRow("confirmed") << "True" << 0 << yes << "Attention|Delete alarm ?" << true;
        QTest::newRow("declined") << "True" << 0 << no << "Attention|Delete alarm ?" << false;
        QTest::newRow("German, confirmed") << "True" << 1 << yes << "Aufgepaßt|Alarm löschen?" << true;
        QTest::newRow("German, declined") << "True" << 1 << no << "Aufgepaßt|Alarm löschen?" << false;
    }
    void clear() {
        QFETCH(QString, confirmdelete);
        QFETCH(int, language);
        QFETCH(int, answer);
        QFETCH(QString, asked);
        QFETCH(bool, cleared);
        t->state().confirmdelete = confirmdelete;
        t->state().language = qint16(language);
        t->prompts.nextAnswer(Prompts::Answer(answer));
        auto dlg = openFor(note);
        QVERIFY(dlg->cmdclear->isEnabled());
        dlg->txttime->setText(QStringLiteral("11:11")); // not written by Clear
        dlg->cmdclear->click();
        QCOMPARE(t->prompts.asked(), asked.isEmpty() ? QStringList() : QStringList{asked});
        QCOMPARE(dlg->isVisible(), !cleared);
        QCOMPARE(note->alarmdate, cleared ? QDate() : today);
        QCOMPARE(note->alarmtime, QTime(10, 0));
        QCOMPARE(int(note->ringearly), 5);
        QCOMPARE(note->hasrung, true);
        QCOMPARE(other->alarmdate, today.addDays(3));
    }

    void cancelWritesNothing() {
        auto dlg = openFor(note);
        dlg->txttime->setText(QStringLiteral("11:11"));
        dlg->txtring->setText(QStringLiteral("30"));
        dlg->cmdcancel->click();
        QVERIFY(!dlg->isVisible());
        QCOMPARE(note->alarmtime, QTime(10, 0));
        QCOMPARE(int(note->ringearly), 5);
        QCOMPARE(note->hasrung, true);
    }

    // The date box opens the calendar below the dialog's boxes; a picked day comes back as regional date
    // text, and closing the calendar without a pick keeps the date.
    void dateBoxOpensTheCalendar_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("cell"); // -1: close without a pick; 40: a heading
        QTest::addColumn<QDate>("expected");
        // December 2026 begins on a Tuesday (cell 2).
        QTest::newRow("click, pick the 7th") << "click" << 8 << QDate(2026, 12, 7);
        QTest::newRow("F4, pick the 31st") << "F4" << 32 << QDate(2026, 12, 31);
        QTest::newRow("space, heading") << "space" << 40 << today;
        QTest::newRow("return, empty cell") << "return" << 0 << today;
        QTest::newRow("click, background") << "click" << -1 << today;
    }
    void dateBoxOpensTheCalendar() {
        QFETCH(QString, how);
        QFETCH(int, cell);
        QFETCH(QDate, expected);
        auto dlg = openFor(note);
        t->state().datepicked = true; // an earlier opening picked a date: this one starts afresh
        t->state().pickeddate = QDate(2001, 1, 1);
        QString startdate;
        QPoint calendarAt;
        onNextModal([&](QDialog* d) {
            auto* cal = qobject_cast<FrmCal*>(d);
            QVERIFY(cal);
            startdate = cal->startdate;
            calendarAt = cal->frameGeometry().topLeft();
            if (cell < 0) {
                QTest::mouseClick(cal, Qt::LeftButton, {}, QPoint(2, cal->height() - 2));
                return;
            }
            QTest::mouseClick(cal->Label1[cell], Qt::LeftButton);
        });
        if (how == u"click")
            QTest::mouseClick(dlg->txtdate, Qt::LeftButton);
        else if (how == u"F4")
            QTest::keyClick(dlg->txtdate, Qt::Key_F4);
        else if (how == u"space")
            QTest::keyClick(dlg->txtdate, Qt::Key_Space);
        else
            QTest::keyClick(dlg->txtdate, Qt::Key_Return);
        QCOMPARE(startdate, regional::dateText(today));
        QCOMPARE(dlg->txtdate->text(), regional::dateText(expected));
        QVERIFY(dlg->isVisible()); // Return on the date box is for the calendar, not for OK
        QCOMPARE(calendarAt.x(), dlg->frameGeometry().left());
        QCOMPARE(calendarAt.y(), dlg->frameGeometry().top() + dlg->cmdok->y());
        // A picked date re-arms the alarm.
        dlg->cmdok->click();
        QCOMPARE(note->alarmdate, expected);
        QCOMPARE(note->hasrung, expected == today);
    }

    void closingPutsTheOnTopNotesBackOnTop() {
        note->topme = true;
        note->show();
        other->topme = false;
        other->show();
        setnottopmost(note);
        auto dlg = openFor(note);
        dlg->cmdcancel->click();
        QVERIFY(isTopmost(note));
        QVERIFY(!isTopmost(other));
        QVERIFY(!isTopmost(dlg.get()));
    }
};

ZOVUZOR_TEST_MAIN(TestAlarmDialog)
#include "tst_alarm_dialog.moc"
