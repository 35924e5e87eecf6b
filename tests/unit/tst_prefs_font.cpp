// The font picker: what it shows at opening, what OK writes and applies to the notes, what Cancel leaves.
#include "testsupport.h"

#include "note/paplet.h"
#include "prefs/frmfont.h"
#include "prefs/frmset.h"
#include "tray/frmmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

void defaults(AppState& s) {
    s.font = QStringLiteral("DejaVu Sans");
    s.fontsize = QStringLiteral("10");
    s.fontbold = QStringLiteral("0");
    s.fontitalic = 0;
    s.backcolor = QStringLiteral("14");
    s.forecolor = QStringLiteral("0");
    s.confirmdelete = QStringLiteral("False");
    s.wave = QStringLiteral("none");
    s.wavedevs = 1;
}

Paplet* newNote(TestApp& t, const QString& text) {
    Paplet* p = t.app->frmmain().onAddpapletTriggered();
    if (p)
        p->setText(text);
    return p;
}

QStringList items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Two live notes and a deleted one between them.
struct Notes {
    Paplet* a = nullptr;
    Paplet* gone = nullptr;
    Paplet* b = nullptr;
    explicit Notes(TestApp& t) {
        a = newNote(t, QStringLiteral("one"));
        gone = newNote(t, QStringLiteral("two"));
        b = newNote(t, QString());
        if (gone)
            gone->unloadpaplet(); // confirmdelete is off
    }
    bool ok() const { return a && gone && b && gone->deletedflag; }
};

} // namespace

class TestPrefsFont : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredFont_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("fontbold");
        QTest::addColumn<int>("fontitalic");
        QTest::addColumn<QStringList>("texts"); // title, Label1, Label2, bold, italic, OK, Cancel
        const QStringList english{"select font", "Font:", "Size", "bold", "italic", "OK", "Cancel"};
        const QStringList german{"Fontauswahl", "Font:",  QString::fromUtf8("Größe"), "fett", "kursiv",
                                 "OK",          "Abbruch"};
        QTest::newRow("English, plain") << 0 << "0" << 0 << english;
        QTest::newRow("English, bold as text") << 0 << "True" << 0 << english;
        QTest::newRow("German, italic") << 1 << "0" << 1 << german;
        QTest::newRow("German, both") << 1 << "1" << 1 << german;
    }
    void opensWithTheStoredFont() {
        QFETCH(int, language);
        QFETCH(QString, fontbold);
        QFETCH(int, fontitalic);
        QFETCH(QStringList, texts);
        TestApp t;
        defaults(t.state());
        t.state().language = qint16(language);
        t.state().fontbold = fontbold;
        t.state().fontitalic = qint16(fontitalic);
        t.state().fontsize = QStringLiteral("9");
        FrmFont dlg(*t.app);
        QCOMPARE(dlg.objectName(), QStringLiteral("frmfont"));
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
        const QStringList shown{dlg.windowTitle(),    dlg.Label1->text(),    dlg.Label2->text(),
                                dlg.chkbold->text(),  dlg.chkitalic->text(), dlg.cmdok->text(),
                                dlg.cmdcancel->text()};
        QCOMPARE(shown, texts);
        QCOMPARE(items(dlg.cboftsize), (QStringList{"6", "8", "10", "12", "14"}));
        QVERIFY(dlg.cboftsize->isEditable());
        QVERIFY(!dlg.cbofonts->isEditable());

        dlg.fillLists();
        QCOMPARE(dlg.cbofonts->currentText(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(dlg.cboftsize->currentText(), QStringLiteral("9"));
        QCOMPARE(dlg.chkbold->isChecked(), fontbold != "0");
        QCOMPARE(dlg.chkitalic->isChecked(), fontitalic != 0);
    }

    void listsTheScreenFontsSortedOnceDrawn() {
        TestApp t;
        defaults(t.state());
        FrmFont dlg(*t.app);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        QVERIFY(!dlg.cmdok->isEnabled());
        dlg.show();
        QTRY_VERIFY(dlg.listsFilled());
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(dlg.cmdok->isEnabled());
        const QStringList listed = items(dlg.cbofonts);
        for (const QString& family : QFontDatabase::families())
            QVERIFY2(listed.contains(family) != QFontDatabase::isPrivateFamily(family), qPrintable(family));
        QVERIFY(std::is_sorted(listed.cbegin(), listed.cend(), [](const QString& x, const QString& y) {
            return QString::compare(x, y, Qt::CaseInsensitive) < 0;
        }));
        dlg.onCmdcancelClicked();
    }

    void aFaceTheScreenLacksStaysSelected() {
        TestApp t;
        defaults(t.state());
        t.state().font = QStringLiteral("Arial Imaginary");
        FrmFont dlg(*t.app);
        dlg.fillLists();
        QCOMPARE(dlg.cbofonts->currentText(), QStringLiteral("Arial Imaginary"));
        const QStringList listed = items(dlg.cbofonts);
        QCOMPARE(listed.count(QStringLiteral("Arial Imaginary")), 1);
        dlg.onCmdokClicked();
        QCOMPARE(t.state().font, QStringLiteral("Arial Imaginary"));
    }

    void okWritesTheFontAndAppliesItToLiveNotes_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("description");
        QTest::newRow("plain at 10") << 0 << "DejaVu Serif"
                                     << "10" << false << false << "DejaVu Serif 10 pt";
        QTest::newRow("typed size 9, bold") << 0 << "DejaVu Sans"
                                            << "9" << true << false << "DejaVu Sans bold 9 pt";
        QTest::newRow("bold italic") << 0 << "DejaVu Sans Mono"
                                     << "14" << true << true << "DejaVu Sans Mono bold italic 14 pt";
        QTest::newRow("German words") << 1 << "DejaVu Sans"
                                      << "12" << true << true << "DejaVu Sans fett kursiv 12 pt";
    }
    void okWritesTheFontAndAppliesItToLiveNotes() {
        QFETCH(int, language);
        QFETCH(QString, face);
        QFETCH(QString, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        TestApp t;
        defaults(t.state());
        t.state().language = qint16(language);
        t.state().fontbold = QStringLiteral("1");
        t.state().fontitalic = 1;
        Notes notes(t);
        QVERIFY(notes.ok());
        const QFont goneFont = notes.gone->txtpaplet->font();

        FrmSet owner(*t.app);
        FrmFont dlg(*t.app, &owner);
        dlg.fillLists();
        const int at = dlg.cbofonts->findText(face);
        QVERIFY2(at >= 0, qPrintable(face));
        dlg.cbofonts->setCurrentIndex(at);
        dlg.cboftsize->setEditText(size);
        dlg.chkbold->setChecked(bold);
        dlg.chkitalic->setChecked(italic);
        dlg.onCmdokClicked();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));

        QCOMPARE(t.state().font, face);
        QCOMPARE(t.state().fontsize, size);
        QCOMPARE(t.state().fontbold, bold ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(t.state().fontitalic, qint16(italic ? 1 : 0));
        QTEST(owner.lblfont->text(), "description");
        for (Paplet* p : {notes.a, notes.b}) {
            const QFont f = p->txtpaplet->font();
            QCOMPARE(f.family(), face);
            QCOMPARE(f.pointSizeF(), size.toDouble());
            QCOMPARE(f.bold(), bold);
            QCOMPARE(f.italic(), italic);
        }
        QCOMPARE(notes.gone->txtpaplet->font(), goneFont);
    }

    // A size text the notes cannot take would leave them at a default size and be stored for the next
    // start: the picker keeps the size in force instead.
    void unusableSizeKeepsTheCurrentSize_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("word") << "big";
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-8";
        QTest::newRow("absurd") << "100000";
    }
    void unusableSizeKeepsTheCurrentSize() {
        QFETCH(QString, typed);
        TestApp t;
        defaults(t.state());
        t.state().fontsize = QStringLiteral("12");
        Notes notes(t);
        QVERIFY(notes.ok());
        for (Paplet* p : {notes.a, notes.b})
            p->applyNoteFont(t.state());

        FrmSet owner(*t.app);
        FrmFont dlg(*t.app, &owner);
        dlg.fillLists();
        dlg.chkbold->setChecked(true);
        dlg.cboftsize->setEditText(typed);
        dlg.onCmdokClicked();

        QCOMPARE(t.state().fontsize, QStringLiteral("12"));
        QCOMPARE(t.state().fontbold, QStringLiteral("1"));
        QCOMPARE(owner.lblfont->text(), QStringLiteral("DejaVu Sans bold 12 pt"));
        for (Paplet* p : {notes.a, notes.b}) {
            QCOMPARE(p->txtpaplet->font().pointSizeF(), 12.0);
            QVERIFY(p->txtpaplet->font().bold());
        }
    }

    void cancelChangesNothing() {
        TestApp t;
        defaults(t.state());
        Notes notes(t);
        QVERIFY(notes.ok());
        for (Paplet* p : {notes.a, notes.b})
            p->applyNoteFont(t.state());
        const QFont before = notes.a->txtpaplet->font();

        FrmSet owner(*t.app);
        const QString description = owner.lblfont->text();
        FrmFont dlg(*t.app, &owner);
        dlg.fillLists();
        dlg.cbofonts->setCurrentIndex(dlg.cbofonts->findText(QStringLiteral("DejaVu Serif")));
        dlg.cboftsize->setEditText(QStringLiteral("14"));
        dlg.chkbold->setChecked(true);
        dlg.chkitalic->setChecked(true);
        dlg.onCmdcancelClicked();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));

        QCOMPARE(t.state().font, QStringLiteral("DejaVu Sans"));
        QCOMPARE(t.state().fontsize, QStringLiteral("10"));
        QCOMPARE(t.state().fontbold, QStringLiteral("0"));
        QCOMPARE(t.state().fontitalic, qint16(0));
        QCOMPARE(owner.lblfont->text(), description);
        QCOMPARE(notes.a->txtpaplet->font(), before);
        QCOMPARE(notes.b->txtpaplet->font(), before);
    }
};

ZOVUZOR_TEST_MAIN(TestPrefsFont)
#include "tst_prefs_font.moc"
