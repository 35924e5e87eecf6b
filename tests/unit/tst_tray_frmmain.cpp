#include "testsupport.h"

#include "about/frmabout.h"
#include "alarm/frmalarm.h"
#include "core/regional.h"
#include "core/twips.h"
#include "core/values.h"
#include "note/paplet.h"
#include "tray/frmmain.h"
#include "tray/programicon.h"
#include "tray/windowhelpers.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

namespace {
// "name=caption" for every item of a menu, top to bottom (separators by name alone).
QStringList items(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? a->objectName() : a->objectName() + u'=' + a->text());
    return out;
}

// Lets the icon handler run with `reason` and reports whether it opened the tray menu (which is closed
// again at once).
bool trayMenuOpens(FrmMain& fm, QSystemTrayIcon::ActivationReason reason) {
    QSignalSpy shown(fm.papletmenu, &QMenu::aboutToShow);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    closer.start(10);
    fm.onTrayActivated(reason);
    return shown.count() == 1;
}

Paplet* newNote(TestApp& t) {
    return t.app->frmmain().onAddpapletTriggered();
}
} // namespace

class TestTrayFrmmain : public QObject {
    Q_OBJECT
private slots:
    void loadStepsSetTipIconAndHiddenWindow() {
        TestApp t;
        t.state().notecount = 3;
        t.state().deletedcount = 7;
        t.state().allhiddenflag = true;
        FrmMain& fm = t.app->frmmain();
        QCOMPARE(fm.objectName(), QStringLiteral("frmmain"));
        QCOMPARE(fm.tooltip(), QStringLiteral("3 Zovuzor ")); // the load form keeps its trailing blank
        QVERIFY(fm.trayIcon()->isVisible());
        QVERIFY(!fm.trayIcon()->icon().isNull());
        QVERIFY(!fm.windowIcon().isNull());
        QVERIFY(!fm.isVisible());
        QCOMPARE(t.state().deletedcount, 0);
        QVERIFY(!t.state().allhiddenflag);
        QCOMPARE(&t.app->frmmain(), &fm); // created once

        fm.modifytooltip(4);
        QCOMPARE(fm.tooltip(), QStringLiteral("4 Zovuzor"));
        fm.modifytooltip(0);
        QCOMPARE(fm.tooltip(), QStringLiteral("0 Zovuzor"));
        fm.modifytooltip(1); // no singular
        QCOMPARE(fm.tooltip(), QStringLiteral("1 Zovuzor"));
    }

    void menusInOrder_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("tray");
        QTest::addColumn<QStringList>("active");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("English") << 0
                                 << QStringList{"papletabout=about Zovuzor...",
                                                "papletsettings=settings...",
                                                "sep4",
                                                "hideall=hide all",
                                                "savepaplets=save all",
                                                "addpaplet=new",
                                                "sep5",
                                                "listpaplets0=no Zovuzor",
                                                "sep8",
                                                "exitpaplets=E&xit"}
                                 << QStringList{"active Paplet", "papletalarm=alarm...", "topit=set on top",
                                                "defsize=set size as default"}
                                 << QStringList{"set on top", "not on top",
                                                "untitled",   "maximum value is 59 !",
                                                "hide all",   "show all"};
        QTest::newRow("German") << 1
                                << QStringList{"papletabout=über Zovuzor...",
                                               "papletsettings=Einstellungen...",
                                               "sep4",
                                               "hideall=alle verstecken",
                                               "savepaplets=alles speichern",
                                               "addpaplet=neu",
                                               "sep5",
                                               "listpaplets0=keine Zovuzor",
                                               "sep8",
                                               "exitpaplets=&Beenden"}
                                // the on-top item follows the active note, not the language
                                << QStringList{"aktiver Paplet", "papletalarm=Alarm...", "topit=set on top",
                                               "defsize=Größe als Standard setzen"}
                                << QStringList{
                                       "immer im Vordergrund",    "nicht im Vordergrund", "unbenannt",
                                       "maximaler Wert ist 59 !", "alle verstecken",      "alle anzeigen"};
        // Everything but 1 is English (only the second-instance message reads it otherwise).
        QTest::newRow("language 2") << 2
                                    << QStringList{"papletabout=about Zovuzor...",
                                                   "papletsettings=settings...",
                                                   "sep4",
                                                   "hideall=hide all",
                                                   "savepaplets=save all",
                                                   "addpaplet=new",
                                                   "sep5",
                                                   "listpaplets0=no Zovuzor",
                                                   "sep8",
                                                   "exitpaplets=E&xit"}
                                    << QStringList{"active Paplet", "papletalarm=alarm...",
                                                   "topit=set on top", "defsize=set size as default"}
                                    << QStringList{"set on top", "not on top",
                                                   "untitled",   "maximum value is 59 !",
                                                   "hide all",   "show all"};
    }
    void menusInOrder() {
        QFETCH(int, language);
        QFETCH(QStringList, tray);
        QFETCH(QStringList, active);
        QFETCH(QStringList, texts);
        TestApp t;
        t.state().language = qint16(language);
        FrmMain& fm = t.app->frmmain();
        QCOMPARE(items(fm.papletmenu), tray);
        QCOMPARE(QStringList{fm.actpaplet->title()} + items(fm.actpaplet), active);
        const AppState& s = t.state();
        QCOMPARE(
            (QStringList{s.ontoptext, s.notontoptext, s.untitledtext, s.mes, fm.hidealltext, fm.showalltext}),
            texts);
        // the active-note items never appear in the tray menu
        QVERIFY(!fm.papletmenu->actions().contains(fm.topit));
        QVERIFY(!fm.papletmenu->actions().contains(fm.actpaplet->menuAction()));
    }

    // A language switch keeps the hide/show item's meaning.
    void languageSwitchRelabelsHideShow() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        t.state().language = 1;
        fm.loadlanguagedetails();
        QCOMPARE(fm.hideall->text(), QStringLiteral("alle verstecken"));
        t.state().language = 0;
        fm.loadlanguagedetails();
        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
        fm.hideall->setText(fm.showalltext);
        t.state().language = 1;
        fm.loadlanguagedetails();
        QCOMPARE(fm.hideall->text(), QStringLiteral("alle anzeigen"));
        t.state().language = 0;
        fm.loadlanguagedetails();
        QCOMPARE(fm.hideall->text(), QStringLiteral("show all"));
    }

    void allhiddenLooksAtIndicesBelowTheEntryCount_data() {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QList<int>>("unchecked");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no notes") << QList<int>{} << QList<int>{} << false;
        QTest::newRow("one shown") << QList<int>{1} << QList<int>{} << false;
        QTest::newRow("one hidden") << QList<int>{} << QList<int>{1} << true;
        QTest::newRow("last shown") << QList<int>{3} << QList<int>{1, 2} << false;
        QTest::newRow("all hidden") << QList<int>{} << QList<int>{1, 2, 3} << true;
        // entry 2 deleted: 3 entries are held, so only indices 1 and 2 are looked at and shown note 3 is not
        QTest::newRow("gap hides the last") << QList<int>{3} << QList<int>{1} << true;
        // entry 1 deleted: index 1 has no entry (unchecked), index 2 is shown
        QTest::newRow("gap at the start") << QList<int>{2} << QList<int>{3} << false;
    }
    void allhiddenLooksAtIndicesBelowTheEntryCount() {
        QFETCH(QList<int>, checked);
        QFETCH(QList<int>, unchecked);
        QFETCH(bool, expected);
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        for (int n : checked)
            fm.addListEntry(n, true, QStringLiteral("note"));
        for (int n : unchecked)
            fm.addListEntry(n, false, QStringLiteral("note"));
        QCOMPARE(fm.allhidden(), expected);
    }

    void listEntriesStayInNoteOrderBetweenSeparators() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        fm.addListEntry(3, true, QStringLiteral("three"));
        fm.addListEntry(1, false, QStringLiteral("one"));
        fm.addListEntry(2, true, QStringLiteral("two"));
        fm.removeListEntry(2);
        QCOMPARE(items(fm.papletmenu).mid(6, 5),
                 (QStringList{"sep5", "listpaplets0=no Zovuzor", "listpaplets1=one", "listpaplets3=three",
                              "sep8"}));
        QVERIFY(fm.listpaplets.value(3)->isChecked());
        QVERIFY(!fm.listpaplets.value(1)->isChecked());
        QVERIFY(!fm.listpaplets.contains(2));
    }

    void newNoteEntryAndTip_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("untitled");
        QTest::newRow("English") << 0 << QStringLiteral("untitled");
        QTest::newRow("German") << 1 << QStringLiteral("unbenannt");
    }
    void newNoteEntryAndTip() {
        QFETCH(int, language);
        QFETCH(QString, untitled);
        TestApp t;
        t.state().language = qint16(language);
        FrmMain& fm = t.app->frmmain();
        Paplet* p = newNote(t);
        QVERIFY(p);
        QCOMPARE(t.state().notecount, 1);
        QCOMPARE(t.state().note(1), p);
        QCOMPARE(p->notetag, QStringLiteral("1"));
        QCOMPARE(p->captstr, untitled);
        QVERIFY(p->isVisible());
        QVERIFY(!fm.listpaplets.value(0)->isVisible());
        QAction* entry = fm.listpaplets.value(1);
        QVERIFY(entry);
        QVERIFY(entry->isChecked());
        QCOMPARE(entry->text(), untitled);
        QCOMPARE(items(fm.papletmenu).indexOf("listpaplets1=" + untitled),
                 items(fm.papletmenu).indexOf("sep5") + 2);
        QCOMPARE(fm.tooltip(), QStringLiteral("1 Zovuzor"));
        QVERIFY(!t.state().allhiddenflag);

        Paplet* second = newNote(t);
        QCOMPARE(second->notetag, QStringLiteral("2"));
        QCOMPARE(fm.tooltip(), QStringLiteral("2 Zovuzor"));
    }

    void newNoteSizeAndCentre_data() {
        QTest::addColumn<QString>("defwidth");
        QTest::addColumn<int>("defheight");
        QTest::addColumn<bool>("designSize");
        QTest::newRow("no default") << "0" << 0 << true;
        QTest::newRow("width only") << "3000" << 0 << true;
        QTest::newRow("height only") << "0" << 2400 << true;
        QTest::newRow("default size") << "3000" << 2400 << false;
    }
    void newNoteSizeAndCentre() {
        QFETCH(QString, defwidth);
        QFETCH(int, defheight);
        QFETCH(bool, designSize);
        TestApp t;
        t.state().defwidth = defwidth;
        t.state().defheight = qint16(defheight);
        Paplet* p = newNote(t);
        const double w = designSize ? Paplet::designWidthTw() : 3000;
        const double h = designSize ? Paplet::designHeightTw() : 2400;
        const double px = twips::perPixelX();
        QVERIFY2(qAbs(p->widthTw() - w) <= px, qPrintable(QString::number(p->widthTw())));
        QVERIFY2(qAbs(p->heightTw() - h) <= twips::perPixelY(), qPrintable(QString::number(p->heightTw())));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(p->leftTw() + p->widthTw() / 2 - (screen.x() + screen.width() / 2.0) * px) <= px);
        QVERIFY(qAbs(p->topTw() + p->heightTw() / 2 -
                     (screen.y() + screen.height() / 2.0) * twips::perPixelY()) <= twips::perPixelY());
    }

    void hideAllShowAll_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("hideText");
        QTest::addColumn<QString>("showText");
        QTest::newRow("English") << 0 << QStringLiteral("hide all") << QStringLiteral("show all");
        QTest::newRow("German") << 1 << QStringLiteral("alle verstecken") << QStringLiteral("alle anzeigen");
    }
    void hideAllShowAll() {
        QFETCH(int, language);
        QFETCH(QString, hideText);
        QFETCH(QString, showText);
        TestApp t;
        t.state().language = qint16(language);
        FrmMain& fm = t.app->frmmain();
        Paplet* a = newNote(t);
        Paplet* b = newNote(t);
        Paplet* gone = newNote(t);
        // a deleted note is neither shown nor hidden
        gone->deletedflag = true;
        gone->hide();
        t.state().deletedcount = 1;
        fm.removeListEntry(3);
        // one note hidden on its own before
        fm.onListpapletsTriggered(2);
        QVERIFY(!b->isVisible());
        QCOMPARE(fm.hideall->text(), hideText);

        fm.hideall->trigger();
        QVERIFY(!a->isVisible() && !b->isVisible());
        QVERIFY(!fm.listpaplets.value(1)->isChecked() && !fm.listpaplets.value(2)->isChecked());
        QCOMPARE(fm.hideall->text(), showText);
        QVERIFY(t.state().allhiddenflag);

        fm.hideall->trigger();
        QVERIFY(a->isVisible() && b->isVisible());
        QVERIFY(!gone->isVisible());
        QVERIFY(fm.listpaplets.value(1)->isChecked() && fm.listpaplets.value(2)->isChecked());
        QCOMPARE(fm.hideall->text(), hideText);
        QVERIFY(!t.state().allhiddenflag);
    }

    void listEntryTogglesItsNote() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* a = newNote(t);
        Paplet* b = newNote(t);

        fm.onListpapletsTriggered(0); // the placeholder does nothing
        QVERIFY(a->isVisible() && b->isVisible());

        // through the menu item itself, as the user chooses it
        fm.listpaplets.value(1)->trigger();
        QVERIFY(!a->isVisible());
        QVERIFY(!fm.listpaplets.value(1)->isChecked());
        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
        QVERIFY(!t.state().allhiddenflag);

        fm.listpaplets.value(2)->trigger();
        QVERIFY(!b->isVisible());
        QCOMPARE(fm.hideall->text(), QStringLiteral("show all"));
        QVERIFY(t.state().allhiddenflag);

        fm.listpaplets.value(1)->trigger();
        QVERIFY(a->isVisible());
        QVERIFY(fm.listpaplets.value(1)->isChecked());
        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
    }

    void topitTogglesActiveNote() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        newNote(t);
        Paplet* p = newNote(t);
        t.state().activenote = 2;
        fm.topit->setText(t.state().ontoptext);

        fm.topit->trigger();
        QCOMPARE(fm.topit->text(), QStringLiteral("not on top"));
        QVERIFY(p->topme);
        QVERIFY(isTopmost(p));
        QVERIFY(!isTopmost(t.state().note(1)));

        fm.topit->trigger();
        QCOMPARE(fm.topit->text(), QStringLiteral("set on top"));
        QVERIFY(!p->topme);
        QVERIFY(!isTopmost(p));
    }

    // After a dialog closes, the visible on-top notes go back into the band; hidden and deleted ones do not.
    void restoreOnTopNotesSkipsHiddenAndDeleted() {
        TestApp t;
        Paplet* shown = newNote(t);
        Paplet* plain = newNote(t);
        Paplet* hidden = newNote(t);
        Paplet* deleted = newNote(t);
        for (Paplet* p : {shown, hidden, deleted})
            p->topme = true;
        hidden->hide();
        deleted->deletedflag = true;
        deleted->hide();
        t.app->restoreOnTopNotes();
        QVERIFY(isTopmost(shown));
        QVERIFY(!isTopmost(plain));
        QVERIFY(!isTopmost(hidden));
        QVERIFY(!hidden->isVisible());
        QVERIFY(!isTopmost(deleted));
        QVERIFY(!deleted->isVisible());
    }

    void defsizeTakesActiveNoteSize() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* p = newNote(t);
        p->setWidthTw(3300);
        p->setHeightTw(2250);
        t.state().activenote = 1;
        fm.defsize->trigger();
        QCOMPARE(t.state().defwidth, values::numberText(p->widthTw()));
        QCOMPARE(int(t.state().defheight), qRound(p->heightTw()));
        QCOMPARE(p->widthTw(), 3300.0); // the note itself does not change

        // later notes take the new default
        Paplet* q = newNote(t);
        QCOMPARE(q->widthTw(), p->widthTw());
        QCOMPARE(q->heightTw(), p->heightTw());
    }

    void alarmDialogFilledFromActiveNote_data() {
        QTest::addColumn<bool>("hasAlarm");
        QTest::addColumn<int>("ringearly");
        QTest::addColumn<QString>("ring");
        QTest::newRow("no alarm") << false << 5 << "05";
        QTest::newRow("5 minutes") << true << 5 << "05";
        QTest::newRow("0 minutes") << true << 0 << "0";
        QTest::newRow("15 minutes") << true << 15 << "15";
    }
    void alarmDialogFilledFromActiveNote() {
        QFETCH(bool, hasAlarm);
        QFETCH(int, ringearly);
        QFETCH(QString, ring);
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* p = newNote(t);
        p->setText(QStringLiteral("dentist"));
        p->ringearly = qint16(ringearly);
        const QDate date(2026, 12, 24);
        const QTime time(14, 30);
        if (hasAlarm) {
            p->alarmdate = date;
            p->alarmtime = time;
        }
        t.state().activenote = 1;
        t.clock.set(QDateTime(QDate(2026, 3, 7), QTime(9, 0)));

        FrmAlarm dlg(*t.app);
        fm.fillAlarmDialog(dlg);
        QVERIFY(dlg.txtpaplet && dlg.txtdate && dlg.txttime && dlg.txtring && dlg.cmdclear);
        QCOMPARE(dlg.txtpaplet->toPlainText(), QStringLiteral("dentist"));
        QCOMPARE(dlg.txtring->text(), ring);
        if (hasAlarm) {
            QCOMPARE(dlg.txtdate->text(), regional::dateText(date));
            QCOMPARE(dlg.txttime->text(), regional::timeText(time));
            QVERIFY(dlg.cmdclear->isEnabled());
        } else {
            QCOMPARE(dlg.txtdate->text(), regional::dateText(QDate(2026, 3, 7)));
            QCOMPARE(dlg.txttime->text(), QString());
        }
    }

    void iconHandler() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();

        // with no live note, "hide all" and "save all" are disabled at the opening
        QVERIFY(trayMenuOpens(fm, QSystemTrayIcon::Context));
        QVERIFY(!fm.hideall->isEnabled());
        QVERIFY(!fm.savepaplets->isEnabled());
        newNote(t);
        QVERIFY(trayMenuOpens(fm, QSystemTrayIcon::Context));
        QVERIFY(fm.hideall->isEnabled());
        QVERIFY(fm.savepaplets->isEnabled());

        // single clicks and the middle button do nothing
        for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown})
            QVERIFY(!trayMenuOpens(fm, reason));

        // nothing opens while an alarm shows, nor while the alarm watch has the menu disabled
        t.state().alarmshowing = true;
        QVERIFY(!trayMenuOpens(fm, QSystemTrayIcon::Context));
        t.state().alarmshowing = false;
        fm.papletmenu->setEnabled(false);
        QVERIFY(!trayMenuOpens(fm, QSystemTrayIcon::Context));
        fm.papletmenu->setEnabled(true);
        QVERIFY(trayMenuOpens(fm, QSystemTrayIcon::Context));
    }

    // The icon's notification is handled after the icon's own mouse handling has returned: "exit" removes
    // the icon, and on X11 that deletes the widget whose handler sent the notification.
    void iconNotificationHandledOutsideTheIcon() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        QSignalSpy shown(fm.papletmenu, &QMenu::aboutToShow);
        QTimer closer;
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        closer.start(10);
        emit fm.trayIcon()->activated(QSystemTrayIcon::Context);
        QCOMPARE(shown.count(), 0);
        QTRY_COMPARE(shown.count(), 1);
    }

    void doubleClickOpensAboutBoxOnly() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        QString opened;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (qobject_cast<FrmAbout*>(modal))
                    opened = QStringLiteral("about");
                modal->close();
            }
        });
        closer.start(10);
        QVERIFY(!trayMenuOpens(fm, QSystemTrayIcon::DoubleClick));
        QCOMPARE(opened, QStringLiteral("about"));
    }

    void programIconIsCrisp_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("edge"); // first opaque column of the sheet's left edge
        QTest::newRow("16") << 16 << 2;
        QTest::newRow("22") << 22 << 3;
        QTest::newRow("32") << 32 << 5;
        QTest::newRow("22 at 200%") << 44 << 6;
        QTest::newRow("32 at 200%") << 64 << 10;
    }
    void programIconIsCrisp() {
        QFETCH(int, size);
        QFETCH(int, edge);
        const QImage img = programIcon().pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(img.size(), QSize(size, size));
        const int mid = size / 2;
        QCOMPARE(qAlpha(img.pixel(edge - 1, mid)), 0);
        QCOMPARE(qAlpha(img.pixel(edge, mid)), 255);
        // the sheet is yellow paper
        const QColor paper = img.pixelColor(edge + 2, mid);
        QVERIFY2(paper.red() > 200 && paper.green() > 180 && paper.blue() < 140, qPrintable(paper.name()));
    }
};

ZOVUZOR_TEST_MAIN(TestTrayFrmmain)
#include "tst_tray_frmmain.moc"
