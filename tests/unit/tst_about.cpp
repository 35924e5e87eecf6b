// The about box: caption and label by language, the version from the program's version record, and the
// on-top notes put back on top when it closes.
#include "testsupport.h"

#include "about/frmabout.h"
#include "note/paplet.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QLabel>
#include <QPushButton>

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void versionComesFromTheVersionRecord() {
        QFile record(QStringLiteral(":/version.txt"));
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QStringList parts = QString::fromUtf8(record.readAll()).trimmed().split(u'.');
        QCOMPARE(parts.size(), 3);
        const auto v = FrmAbout::versionNumbers();
        QCOMPARE(v[0], parts[0].toInt());
        QCOMPARE(v[1], parts[1].toInt());
        QCOMPARE(v[2], parts[2].toInt());
        QCOMPARE(v, (std::array<int, 3>{1, 0, 0}));
    }

    void captionAndLabelByLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        const QString tail = QStringLiteral(" The Zovuzor developers\r\nzovuzor@example.org\r\n\r\n"
                                            "Version 1.0.0 / September '96");
        QTest::newRow("English") << 0 << "about Zovuzor..."
                                 << "\r\nby" + tail;
        QTest::newRow("German") << 1 << QString::fromUtf8("über Zovuzor...") << "\r\nvon" + tail;
        QTest::newRow("unknown language is English") << 7 << "about Zovuzor..."
                                                     << "\r\nby" + tail;
    }
    void captionAndLabelByLanguage() {
        QFETCH(int, language);
        QFETCH(QString, label);
        TestApp t;
        t.state().language = qint16(language);
        FrmAbout box(*t.app);
        QCOMPARE(box.objectName(), QStringLiteral("frmabout"));
        QTEST(box.windowTitle(), "caption");
        QCOMPARE(box.Label1->text(), label);
        QCOMPARE(box.Label1->objectName(), QStringLiteral("Label1"));
        QCOMPARE(box.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(box.Command1->objectName(), QStringLiteral("Command1"));
        const QStringList lines = label.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines.first().isEmpty());
        QVERIFY(lines.at(3).isEmpty());
        QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(box.windowFlags() & Qt::WindowCloseButtonHint));
    }

    void okClosesAndPutsOnTopNotesBack() {
        TestApp t;
        t.state().backcolor = QStringLiteral("14");
        t.state().forecolor = QStringLiteral("0");
        Paplet* shown = t.app->frmmain().onAddpapletTriggered();
        Paplet* hidden = t.app->frmmain().onAddpapletTriggered();
        QVERIFY(shown && hidden);
        hidden->hide();
        QCoreApplication::processEvents(); // activation events of the new notes are done
        shown->topme = true;
        hidden->topme = true;
        QVERIFY(!hidden->isVisible());

        FrmAbout box(*t.app);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(!hidden->isVisible());
        settopmost(&box);
        setnottopmost(shown);
        QTest::mouseClick(box.Command1, Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QVERIFY(!isTopmost(&box));
        QVERIFY(isTopmost(shown));
        QVERIFY(!hidden->isVisible());
    }
};

ZOVUZOR_TEST_MAIN(TestAbout)
#include "tst_about.moc"
