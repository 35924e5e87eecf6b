#include "testsupport.h"

#include "core/settings.h"
#include "note/paplet.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>

namespace {
// Loads the settings and the notes as start-up does.
void load(TestApp& t) {
    loadsettings(t.state(), *t.store);
    t.app->loadnotes();
}

// What is on disk now, read the way another program would.
QString stored(const TestApp& t, const QString& section, const QString& key) {
    QSettings ini(t.iniPath(), QSettings::IniFormat);
    return ini.value(section + u'/' + key, QStringLiteral("<missing>")).toString();
}
bool hasSection(const TestApp& t, const QString& section) {
    QSettings ini(t.iniPath(), QSettings::IniFormat);
    return ini.childGroups().contains(section);
}

QByteArray noteSection(int k, const QByteArray& text, const QByteArray& extra = {}) {
    return "[Paplet%20" + QByteArray::number(k) + "]\ntext=" + text + "\n" + extra;
}

// Deletes a note the way its close button does, without the question.
void deleteNote(TestApp& t, int n) {
    t.state().confirmdelete = QStringLiteral("False");
    t.state().note(n)->unloadpaplet();
    QVERIFY(t.state().note(n)->deletedflag);
}
} // namespace

class TestTrayNotestore : public QObject {
    Q_OBJECT
private slots:
    void emptyStoreLoadsNoNote() {
        TestApp t;
        load(t);
        QVERIFY(t.app->frmmainLoaded()); // loaded at the all-hidden test
        FrmMain& fm = t.app->frmmain();
        QCOMPARE(t.state().notecount, 0);
        QVERIFY(fm.listpaplets.value(0)->isVisible());
        QCOMPARE(t.state().activenote, 0);
        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
        QVERIFY(!t.state().allhiddenflag);
        QCOMPARE(fm.tooltip(), QStringLiteral("0 Zovuzor "));
    }

    void seededNotesComeBack() {
        TestApp t;
        t.seed("[Settings]\nTotal=4\n" +
               noteSection(1, "first note",
                           "left=1500\ntop=1200\nheight=1800\noldheight=1800\nwidth=3000\nringearly=15\n"
                           "hasrung=True\nontop=True\nvisible=True\n") +
               noteSection(2, "hidden on top", "ontop=True\nvisible=False\n") +
               noteSection(3, "", "left=300\n"));
        // section 4 is missing altogether
        load(t);
        AppState& s = t.state();
        FrmMain& fm = t.app->frmmain();
        QCOMPARE(s.notecount, 4);
        QCOMPARE(fm.tooltip(), QStringLiteral("4 Zovuzor ")); // loaded before the first note, with the count
        for (int i = 1; i <= 4; ++i) {
            QVERIFY(s.note(i));
            QCOMPARE(s.note(i)->notetag, QString::number(i));
            QVERIFY(fm.listpaplets.contains(i));
        }
        QVERIFY(!fm.listpaplets.value(0)->isVisible());
        QCOMPARE(s.activenote, 1);

        Paplet* first = s.note(1);
        QCOMPARE(first->text(), QStringLiteral("first note"));
        QCOMPARE(first->leftTw(), 1500.0);
        QCOMPARE(first->topTw(), 1200.0);
        QCOMPARE(first->widthTw(), 3000.0);
        QCOMPARE(first->heightTw(), 1800.0);
        QCOMPARE(first->ringearly, qint16(15));
        QVERIFY(first->hasrung);
        QVERIFY(first->isVisible());
        QVERIFY(fm.listpaplets.value(1)->isChecked());
        QCOMPARE(fm.listpaplets.value(1)->text(), QStringLiteral("first note"));
        QVERIFY(first->topme);
        QVERIFY(isTopmost(first));

        Paplet* hidden = s.note(2);
        QVERIFY(!hidden->isVisible());
        QVERIFY(!fm.listpaplets.value(2)->isChecked());
        QVERIFY(hidden->topme);
        QVERIFY(!isTopmost(hidden)); // made topmost only when shown later
        QCOMPARE(hidden->ringearly, qint16(5));
        QVERIFY(hidden->alarmdate.isNull());
        QCOMPARE(hidden->widthTw(), Paplet::designWidthTw());
        QCOMPARE(hidden->heightTw(), Paplet::designHeightTw());

        Paplet* untitled = s.note(3);
        QCOMPARE(untitled->text(), QString());
        QCOMPARE(untitled->captstr, QStringLiteral("untitled"));
        QCOMPARE(fm.listpaplets.value(3)->text(), QStringLiteral("untitled"));
        QVERIFY(untitled->isVisible());

        Paplet* missing = s.note(4);
        QCOMPARE(missing->text(), QStringLiteral("empty"));
        QVERIFY(missing->isVisible());
        QCOMPARE(missing->leftTw(), 0.0);
        QCOMPARE(missing->topTw(), 0.0);
        QVERIFY(!missing->topme);
        QCOMPARE(fm.listpaplets.value(4)->text(), QStringLiteral("empty"));

        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
        QVERIFY(!s.allhiddenflag);
    }

    // Between notes the program lets window events run; the tray menu stays shut then, since saving or
    // leaving half-way would drop the notes not loaded yet.
    void trayMenuStaysShutWhileLoading() {
        TestApp t;
        t.seed("[Settings]\nTotal=3\n" + noteSection(1, "a") + noteSection(2, "b") + noteSection(3, "c"));
        bool tried = false;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            tried = t.app->loadingNotes();
            QSignalSpy shown(t.app->frmmain().papletmenu, &QMenu::aboutToShow);
            QTimer::singleShot(10, [] {
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
            });
            t.app->frmmain().onTrayActivated(QSystemTrayIcon::Context);
            opened = shown.count() > 0;
        });
        load(t);
        QVERIFY(tried);
        QVERIFY(!opened);
        QVERIFY(!t.app->loadingNotes());
    }

    void allHiddenAtStart_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("caption");
        QTest::newRow("English") << QByteArray("0") << QStringLiteral("show all");
        QTest::newRow("German") << QByteArray("1") << QStringLiteral("alle anzeigen");
    }
    void allHiddenAtStart() {
        QFETCH(QByteArray, language);
        QFETCH(QString, caption);
        TestApp t;
        t.seed("[Settings]\nTotal=2\nlanguage=" + language + "\n" + noteSection(1, "a", "visible=False\n") +
               noteSection(2, "b", "visible=False\n"));
        load(t);
        QCOMPARE(t.app->frmmain().hideall->text(), caption);
        QVERIFY(t.state().allhiddenflag);

        // "show all" brings them back
        t.app->frmmain().hideall->trigger();
        QVERIFY(t.state().note(1)->isVisible() && t.state().note(2)->isVisible());
    }

    void saveRenumbersLiveNotes() {
        TestApp t;
        t.seed("[Settings]\nTotal=3\n" + noteSection(1, "one") + noteSection(2, "two") +
               noteSection(3, "three"));
        load(t);
        deleteNote(t, 2);
        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Settings", "Total"), QStringLiteral("2"));
        QCOMPARE(stored(t, "Paplet 1", "text"), QStringLiteral("one"));
        QCOMPARE(stored(t, "Paplet 2", "text"), QStringLiteral("three"));
        QVERIFY(!hasSection(t, "Paplet 3"));
        // in memory every note keeps its number
        QCOMPARE(t.state().note(3)->notetag, QStringLiteral("3"));

        // the next start numbers them 1 and 2 in stored order
        t.reset();
        load(t);
        QCOMPARE(t.state().notecount, 2);
        QCOMPARE(t.state().note(2)->text(), QStringLiteral("three"));
    }

    void secondSaveLeavesHigherSections() {
        TestApp t;
        t.seed("[Settings]\nTotal=1\n" + noteSection(1, "kept"));
        load(t);
        newNote(t)->setText(QStringLiteral("new one"));
        newNote(t)->setText(QStringLiteral("new two"));
        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Settings", "Total"), QStringLiteral("3"));
        QCOMPARE(stored(t, "Paplet 3", "text"), QStringLiteral("new two"));

        deleteNote(t, 2);
        deleteNote(t, 3);
        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Settings", "Total"), QStringLiteral("1"));
        QCOMPARE(stored(t, "Paplet 1", "text"), QStringLiteral("kept"));
        // only the sections counted at start-up are removed; the rest is never read
        QVERIFY(hasSection(t, "Paplet 2"));
        QVERIFY(hasSection(t, "Paplet 3"));
        t.reset();
        load(t);
        QCOMPARE(t.state().notecount, 1);
    }

    void totalCountsLiveNotes() {
        TestApp t;
        t.seed("[Settings]\nTotal=3\n" + noteSection(1, "a") + noteSection(2, "b") + noteSection(3, "c"));
        load(t);
        newNote(t);
        newNote(t);
        deleteNote(t, 4);
        QCOMPARE(t.app->frmmain().tooltip(), QStringLiteral("4 Zovuzor"));
        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Settings", "Total"), QStringLiteral("4"));
        QCOMPARE(stored(t, "Paplet 4", "text"), QStringLiteral("")); // note 5, untitled
        QVERIFY(!hasSection(t, "Paplet 5"));
    }

    // Everything a note carries comes back after a save and a new start.
    void savedNoteRoundTrips() {
        TestApp t;
        load(t);
        Paplet* p = newNote(t);
        p->setText(QStringLiteral("line one\nline two, with; odd @ text"));
        p->setLeftTw(1500);
        p->setTopTw(900);
        p->setWidthTw(3000);
        p->setHeightTw(2400);
        p->ioldheight = 2400;
        p->alarmdate = QDate(2026, 12, 24);
        p->alarmtime = QTime(14, 30);
        p->ringearly = 15;
        p->hasrung = true;
        p->topme = true;
        p->hide();
        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Paplet 1", "visible"), QStringLiteral("False"));
        QCOMPARE(stored(t, "Paplet 1", "ontop"), QStringLiteral("True"));

        t.reset();
        load(t);
        Paplet* q = t.state().note(1);
        QVERIFY(q);
        QCOMPARE(q->text(), QStringLiteral("line one\nline two, with; odd @ text"));
        QCOMPARE(q->leftTw(), 1500.0);
        QCOMPARE(q->topTw(), 900.0);
        QCOMPARE(q->widthTw(), 3000.0);
        QCOMPARE(q->heightTw(), 2400.0);
        QCOMPARE(q->ioldheight, qint16(2400));
        QCOMPARE(q->alarmdate, QDate(2026, 12, 24));
        QCOMPARE(q->alarmtime, QTime(14, 30));
        QCOMPARE(q->ringearly, qint16(15));
        QVERIFY(q->hasrung);
        QVERIFY(q->topme);
        QVERIFY(!q->isVisible());
    }

    // A note closed with Alt+F4 keeps its text: the list brings it back, and it is saved like any other.
    void closedNoteIsKeptAndComesBack() {
        TestApp t;
        t.seed("[Settings]\nTotal=1\n" + noteSection(1, "do not lose me"));
        load(t);
        FrmMain& fm = t.app->frmmain();
        Paplet* p = t.state().note(1);
        QTest::keyClick(p, Qt::Key_F4, Qt::AltModifier);
        QTRY_VERIFY(!p->isVisible());
        QVERIFY(!p->deletedflag);
        QVERIFY(!fm.listpaplets.value(1)->isChecked());

        QVERIFY(t.app->saveAll());
        QCOMPARE(stored(t, "Paplet 1", "text"), QStringLiteral("do not lose me"));
        QCOMPARE(stored(t, "Settings", "Total"), QStringLiteral("1"));

        fm.listpaplets.value(1)->trigger();
        QVERIFY(p->isVisible());
        QCOMPARE(p->text(), QStringLiteral("do not lose me"));
        QVERIFY(fm.listpaplets.value(1)->isChecked());
    }

private:
    static Paplet* newNote(TestApp& t) { return t.app->frmmain().onAddpapletTriggered(); }
};

ZOVUZOR_TEST_MAIN(TestTrayNotestore)
#include "tst_tray_notestore.moc"
