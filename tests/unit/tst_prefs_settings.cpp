// The settings dialog: texts and colour names by language, the opening selections and what they write back,
// unusual stored values, the language switch with OK or Cancel, recolouring, the sound controls.
#include "testsupport.h"

#include "core/palette.h"
#include "note/paplet.h"
#include "prefs/frmset.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The settings as a first start leaves them, with one sound device.
void defaults(AppState& s) {
    s.font = QStringLiteral("Arial");
    s.fontsize = QStringLiteral("10");
    s.fontbold = QStringLiteral("0");
    s.fontitalic = 0;
    s.backcolor = QStringLiteral("14");
    s.forecolor = QStringLiteral("0");
    s.confirmdelete = QStringLiteral("True");
    s.language = 0;
    s.wave = QStringLiteral("none");
    s.repeatwave = false;
    s.wavedevs = 1;
}

// A new note made the way the tray menu's "new" command makes it.
Paplet* newNote(TestApp& t, const QString& text) {
    Paplet* p = t.app->frmmain().onAddpapletTriggered();
    if (p)
        p->setText(text);
    return p;
}

void deleteNote(TestApp& t, Paplet* p) {
    const QString before = t.state().confirmdelete;
    t.state().confirmdelete = QStringLiteral("False");
    p->unloadpaplet();
    t.state().confirmdelete = before;
}

QColor textBack(const Paplet* p) {
    return p->txtpaplet->palette().color(QPalette::Base);
}
QColor textFore(const Paplet* p) {
    return p->txtpaplet->palette().color(QPalette::Text);
}

QStringList items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

class TestPrefsSettings : public QObject {
    Q_OBJECT
private slots:
    void dialogIsFixedAndOnTop() {
        TestApp t;
        defaults(t.state());
        FrmSet dlg(*t.app);
        QCOMPARE(dlg.objectName(), QStringLiteral("frmset"));
        const Qt::WindowFlags f = dlg.windowFlags();
        QVERIFY(f & Qt::WindowStaysOnTopHint);
        QVERIFY(!(f & Qt::WindowCloseButtonHint));
        QVERIFY(!(f & Qt::WindowMinMaxButtonsHint));
        for (const char* name : {"Frame1", "Label1", "cbobackcolor", "Label2", "cboforecolor", "Label3",
                                 "lblfont", "cmdfont", "Frame2", "Label5", "cbolang", "Label4", "lblwave",
                                 "cmdwave", "chkrwave", "chkconfirm", "cmdok", "cmdcancel"})
            QVERIFY2(dlg.findChild<QWidget*>(QLatin1String(name)), name);
        QVERIFY(dlg.lblfont->isReadOnly());
        QVERIFY(dlg.lblwave->isReadOnly());
        QVERIFY(!dlg.cbobackcolor->isEditable());
        QCOMPARE(dlg.focusWidget(), dlg.cmdok);
    }

    void openingTextsByLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // title, frames, labels, boxes, buttons
        QTest::addColumn<QString>("firstColour");
        QTest::addColumn<QString>("greenColour");
        QTest::addColumn<QString>("lastColour");
        QTest::addColumn<QString>("fontLine");
        QTest::newRow("English")
            << 0 << QStringList{"Settings", "Colors && Fonts", "Misc",        "Background", "Foreground",
                                "Language", "confirm delete",  "repeat wave", "Cancel",     "Font",
                                "Font...",  "Sound",           "Wave...",     "OK"}
            << "black"
            << "green"
            << "bright white"
            << "Arial bold italic 12 pt";
        QTest::newRow("German") << 1
                                << QStringList{"Einstellungen",
                                               "Farben && Fonts",
                                               "Verschiedenes",
                                               "Hintergrund",
                                               "Vordergrund",
                                               "Sprache",
                                               QString::fromUtf8("löschen bestätigen"),
                                               "Wave wiederholen",
                                               "Abbruch",
                                               "Font",
                                               "Font...",
                                               "Sound",
                                               "Wave...",
                                               "OK"}
                                << "schwarz" << QString::fromUtf8("grün") << "hellweiss"
                                << "Arial fett kursiv 12 pt";
    }
    void openingTextsByLanguage() {
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        TestApp t;
        defaults(t.state());
        t.state().language = qint16(language);
        t.state().fontbold = QStringLiteral("1");
        t.state().fontitalic = 1;
        t.state().fontsize = QStringLiteral("12");
        FrmSet dlg(*t.app);
        const QStringList shown{dlg.windowTitle(),      dlg.Frame1->title(),  dlg.Frame2->title(),
                                dlg.Label1->text(),     dlg.Label2->text(),   dlg.Label5->text(),
                                dlg.chkconfirm->text(), dlg.chkrwave->text(), dlg.cmdcancel->text(),
                                dlg.Label3->text(),     dlg.cmdfont->text(),  dlg.Label4->text(),
                                dlg.cmdwave->text(),    dlg.cmdok->text()};
        QCOMPARE(shown, texts);
        QCOMPARE(dlg.cbobackcolor->count(), 16);
        QCOMPARE(items(dlg.cboforecolor), items(dlg.cbobackcolor));
        QTEST(dlg.cbobackcolor->itemText(0), "firstColour");
        QTEST(dlg.cbobackcolor->itemText(2), "greenColour");
        QTEST(dlg.cbobackcolor->itemText(15), "lastColour");
        QCOMPARE(items(dlg.cbolang), (QStringList{"English", "Deutsch"}));
        QCOMPARE(dlg.cbolang->currentIndex(), language);
        QCOMPARE(dlg.cbobackcolor->currentIndex(), 14);
        QCOMPARE(dlg.cboforecolor->currentIndex(), 0);
        QTEST(dlg.lblfont->text(), "fontLine");
        // The language handler ran at opening: OK's texts and the shared on-top texts are ready.
        QCOMPARE(dlg.showallstr, language ? QStringLiteral("alle anzeigen") : QStringLiteral("show all"));
        QCOMPARE(dlg.hideallstr, language ? QStringLiteral("alle verstecken") : QStringLiteral("hide all"));
        QCOMPARE(t.state().ontoptext,
                 language ? QStringLiteral("immer im Vordergrund") : QStringLiteral("set on top"));
        QCOMPARE(t.state().notontoptext,
                 language ? QStringLiteral("nicht im Vordergrund") : QStringLiteral("not on top"));
        QCOMPARE(dlg.boldstr, language ? QStringLiteral(" fett") : QStringLiteral(" bold"));
        QCOMPARE(dlg.italicstr, language ? QStringLiteral(" kursiv") : QStringLiteral(" italic"));
    }

    void fontDescription_data() {
        QTest::addColumn<QString>("bold");
        QTest::addColumn<int>("italic");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("plain") << "0" << 0 << "10"
                               << "Arial 10 pt"
                               << "Arial 10 pt";
        QTest::newRow("bold") << "1" << 0 << "10"
                              << "Arial bold 10 pt"
                              << "Arial fett 10 pt";
        QTest::newRow("bold as stored text") << "True" << 0 << "10"
                                             << "Arial bold 10 pt"
                                             << "Arial fett 10 pt";
        QTest::newRow("italic") << "0" << 1 << "9"
                                << "Arial italic 9 pt"
                                << "Arial kursiv 9 pt";
        QTest::newRow("both") << "1" << 1 << "12"
                              << "Arial bold italic 12 pt"
                              << "Arial fett kursiv 12 pt";
    }
    void fontDescription() {
        QFETCH(QString, bold);
        QFETCH(int, italic);
        QFETCH(QString, size);
        TestApp t;
        defaults(t.state());
        t.state().fontbold = bold;
        t.state().fontitalic = qint16(italic);
        t.state().fontsize = size;
        FrmSet dlg(*t.app);
        QTEST(dlg.lblfont->text(), "english");
        // Switching the language inside the dialog rewrites the description with the new words.
        dlg.cbolang->setCurrentIndex(1);
        dlg.onCbolangActivated(1);
        QTEST(dlg.lblfont->text(), "german");
    }

    void checkBoxesFollowAndWriteTheRecord_data() {
        QTest::addColumn<QString>("confirmdelete");
        QTest::addColumn<bool>("repeatwave");
        QTest::addColumn<bool>("confirmChecked");
        QTest::addColumn<QString>("confirmAfterOpening");
        QTest::newRow("on, stored as text") << "True" << true << true << "True";
        QTest::newRow("on, stored as a number") << "-1" << false << true << "True";
        QTest::newRow("off stays as stored") << "0" << false << false << "0";
        QTest::newRow("off as text") << "false" << true << false << "false";
    }
    void checkBoxesFollowAndWriteTheRecord() {
        QFETCH(QString, confirmdelete);
        QFETCH(bool, repeatwave);
        TestApp t;
        defaults(t.state());
        t.state().confirmdelete = confirmdelete;
        t.state().repeatwave = repeatwave;
        FrmSet dlg(*t.app);
        QTEST(dlg.chkconfirm->isChecked(), "confirmChecked");
        QCOMPARE(dlg.chkrwave->isChecked(), repeatwave);
        QTEST(t.state().confirmdelete, "confirmAfterOpening");

        QTest::mouseClick(dlg.chkconfirm, Qt::LeftButton, {}, dlg.chkconfirm->rect().center());
        QCOMPARE(t.state().confirmdelete, dlg.chkconfirm->isChecked() ? QStringLiteral("True") : "False");
        QTest::mouseClick(dlg.chkrwave, Qt::LeftButton, {}, dlg.chkrwave->rect().center());
        QCOMPARE(t.state().repeatwave, !repeatwave);
    }

    void soundControlsByDeviceCount() {
        TestApp t;
        defaults(t.state());
        t.state().wave = QStringLiteral("/sounds/ding.wav");
        t.state().repeatwave = true;
        {
            FrmSet dlg(*t.app);
            QVERIFY(dlg.cmdwave->isEnabled());
            QVERIFY(dlg.chkrwave->isEnabled());
            QCOMPARE(dlg.lblwave->text(), QStringLiteral("/sounds/ding.wav"));
        }
        t.state().wavedevs = 0;
        FrmSet dlg(*t.app);
        QVERIFY(!dlg.cmdwave->isEnabled());
        QVERIFY(!dlg.chkrwave->isEnabled());
        QCOMPARE(dlg.lblwave->text(), QStringLiteral("none"));
        QCOMPARE(t.state().wave, QStringLiteral("/sounds/ding.wav"));
        QCOMPARE(t.state().repeatwave, true);
    }

    // Values the lists cannot show come from a hand-edited or foreign store: the dialog shows the entry in
    // force and leaves the stored text alone until the user picks an entry.
    void unusualStoredValuesAreKept_data() {
        QTest::addColumn<QString>("backcolor");
        QTest::addColumn<QString>("forecolor");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("backShown");
        QTest::addColumn<int>("foreShown");
        QTest::newRow("above the palette") << "20"
                                           << "99" << 2 << 15 << 15;
        QTest::newRow("below the palette") << "-3"
                                           << "-1" << -1 << 0 << 0;
        QTest::newRow("not a number") << "yellow"
                                      << "" << 32767 << 14 << 0;
    }
    void unusualStoredValuesAreKept() {
        QFETCH(QString, backcolor);
        QFETCH(QString, forecolor);
        QFETCH(int, language);
        TestApp t;
        defaults(t.state());
        t.state().backcolor = backcolor;
        t.state().forecolor = forecolor;
        t.state().language = qint16(language);
        {
            FrmSet dlg(*t.app);
            QTEST(dlg.cbobackcolor->currentIndex(), "backShown");
            QTEST(dlg.cboforecolor->currentIndex(), "foreShown");
            QCOMPARE(dlg.cbolang->currentIndex(), 0); // every language but German shows English
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Settings"));
            QCOMPARE(dlg.cbobackcolor->itemText(0), QStringLiteral("black"));
            dlg.onCmdokClicked();
        }
        QCOMPARE(t.state().backcolor, backcolor);
        QCOMPARE(t.state().forecolor, forecolor);
        QCOMPARE(t.state().language, qint16(language));

        // A pick by the user replaces them.
        FrmSet dlg(*t.app);
        dlg.cbobackcolor->setCurrentIndex(3);
        dlg.onCbobackcolorActivated(3);
        dlg.cboforecolor->setCurrentIndex(12);
        dlg.onCboforecolorActivated(12);
        dlg.cbolang->setCurrentIndex(0);
        dlg.onCbolangActivated(0);
        QCOMPARE(t.state().backcolor, QStringLiteral("3"));
        QCOMPARE(t.state().forecolor, QStringLiteral("12"));
        QCOMPARE(t.state().language, qint16(0));
    }

    void openingWritesColoursBackAsNumbers() {
        TestApp t;
        defaults(t.state());
        t.state().backcolor = QStringLiteral(" 9");
        t.state().forecolor = QStringLiteral("4");
        FrmSet dlg(*t.app);
        QCOMPARE(dlg.cbobackcolor->currentIndex(), 9);
        QCOMPARE(t.state().backcolor, QStringLiteral("9"));
        QCOMPARE(t.state().forecolor, QStringLiteral("4"));
    }

    void colourSelectionRecoloursLiveNotesOnly() {
        TestApp t;
        defaults(t.state());
        Paplet* a = newNote(t, QStringLiteral("first"));
        Paplet* gone = newNote(t, QStringLiteral("deleted"));
        Paplet* b = newNote(t, QString());
        QVERIFY(a && gone && b);
        deleteNote(t, gone);
        QVERIFY(gone->deletedflag);
        const QColor goneBack = textBack(gone);
        const QColor goneFore = textFore(gone);

        FrmSet dlg(*t.app);
        dlg.cbobackcolor->setCurrentIndex(9);
        dlg.onCbobackcolorActivated(9);
        dlg.cboforecolor->setCurrentIndex(15);
        dlg.onCboforecolorActivated(15);
        for (Paplet* p : {a, b}) {
            QCOMPARE(textBack(p), QColor(0, 0, 255));
            QCOMPARE(textFore(p), QColor(255, 255, 255));
        }
        QCOMPARE(textBack(gone), goneBack);
        QCOMPARE(textFore(gone), goneFore);
        QCOMPARE(t.state().backcolor, QStringLiteral("9"));
        QCOMPARE(t.state().forecolor, QStringLiteral("15"));

        // Cancel undoes nothing.
        dlg.onCmdcancelClicked();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(textBack(a), QColor(0, 0, 255));
        QCOMPARE(t.state().backcolor, QStringLiteral("9"));
    }

    void languageSwitchThenCancelKeepsTrayMenu() {
        TestApp t;
        defaults(t.state());
        FrmMain& fm = t.app->frmmain();
        QVERIFY(fm.papletsettings);
        QCOMPARE(fm.papletsettings->text(), QStringLiteral("settings..."));

        FrmSet dlg(*t.app);
        dlg.cbolang->setCurrentIndex(1);
        dlg.onCbolangActivated(1);
        QCOMPARE(t.state().language, qint16(1));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Einstellungen"));
        QCOMPARE(dlg.chkconfirm->text(), QString::fromUtf8("löschen bestätigen"));
        QCOMPARE(dlg.cbobackcolor->itemText(14), QStringLiteral("light yellow")); // names stay until reopened
        QCOMPARE(t.state().ontoptext, QStringLiteral("immer im Vordergrund"));
        dlg.onCmdcancelClicked();

        QCOMPARE(t.state().language, qint16(1));
        QCOMPARE(fm.papletsettings->text(), QStringLiteral("settings..."));
        QCOMPARE(fm.addpaplet->text(), QStringLiteral("new"));
        QCOMPARE(fm.hideall->text(), QStringLiteral("hide all"));
    }

    void languageSwitchThenOkRelabelsMenuAndEmptyNotes_data() {
        QTest::addColumn<bool>("allHidden");
        QTest::addColumn<QString>("hideallText");
        QTest::newRow("some note shown") << false << "alle verstecken";
        QTest::newRow("all notes hidden") << true << "alle anzeigen";
    }
    void languageSwitchThenOkRelabelsMenuAndEmptyNotes() {
        QFETCH(bool, allHidden);
        TestApp t;
        defaults(t.state());
        FrmMain& fm = t.app->frmmain();
        Paplet* empty = newNote(t, QString());
        Paplet* text = newNote(t, QStringLiteral("shopping"));
        Paplet* goneEmpty = newNote(t, QString());
        QVERIFY(empty && text && goneEmpty);
        deleteNote(t, goneEmpty);
        QCOMPARE(empty->captstr, QStringLiteral("untitled"));
        t.state().allhiddenflag = allHidden;
        if (allHidden)
            fm.hideall->setText(QStringLiteral("show all"));

        FrmSet dlg(*t.app);
        dlg.cbolang->setCurrentIndex(1);
        dlg.onCbolangActivated(1);
        dlg.onCmdokClicked();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        QCOMPARE(fm.papletsettings->text(), QStringLiteral("Einstellungen..."));
        QCOMPARE(fm.papletabout->text(), QString::fromUtf8("über Zovuzor..."));
        QCOMPARE(fm.savepaplets->text(), QStringLiteral("alles speichern"));
        QCOMPARE(fm.exitpaplets->text(), QStringLiteral("&Beenden"));
        QTEST(fm.hideall->text(), "hideallText");
        QCOMPARE(t.state().untitledtext, QStringLiteral("unbenannt"));
        QCOMPARE(empty->captstr, QStringLiteral("unbenannt"));
        QCOMPARE(fm.listpaplets.value(1)->text(), QStringLiteral("unbenannt"));
        QCOMPARE(text->captstr, QStringLiteral("shopping"));
        QCOMPARE(fm.listpaplets.value(2)->text(), QStringLiteral("shopping"));
        QCOMPARE(goneEmpty->captstr, QStringLiteral("untitled"));
    }

    void closingLeavesTheBandAndRestoresOnTopNotes() {
        TestApp t;
        defaults(t.state());
        Paplet* p = newNote(t, QStringLiteral("on top"));
        QVERIFY(p);
        p->show();
        p->topme = true;
        settopmost(p);
        FrmSet dlg(*t.app);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        settopmost(&dlg);
        setnottopmost(p); // as a window manager may do while the dialog is in front
        dlg.onCmdcancelClicked();
        QVERIFY(!dlg.isVisible());
        QVERIFY(!isTopmost(&dlg));
        QVERIFY(isTopmost(p));
    }
};

ZOVUZOR_TEST_MAIN(TestPrefsSettings)
#include "tst_prefs_settings.moc"
