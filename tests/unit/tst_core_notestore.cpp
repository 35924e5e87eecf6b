#include "testsupport.h"

#include "core/notestore.h"
#include "core/regional.h"
#include "core/settingsstore.h"

namespace {
constexpr double defH = 1800;
constexpr double defW = 2160;

struct Store {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    explicit Store(const QByteArray& ini = {}) {
        const QString path = dir.filePath(QStringLiteral("paplt32.ini"));
        if (!ini.isEmpty()) {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write(ini);
        }
        store = std::make_unique<SettingsStore>(path);
    }
    SettingsStore& operator*() { return *store; }
};
} // namespace

class TestCoreNotestore : public QObject {
    Q_OBJECT
private slots:
    void missingSectionGivesDefaults() {
        Store s;
        const StoredNote n = notestore::read(*s, 1, defH, defW);
        QCOMPARE(n.text, QStringLiteral("empty"));
        QCOMPARE(n.left, 0.0);
        QCOMPARE(n.top, 0.0);
        QCOMPARE(n.height, defH);
        QCOMPARE(n.oldheight, qint16(defH));
        QCOMPARE(n.width, defW);
        QVERIFY(!n.hasrung);
        QCOMPARE(n.ringearly, qint16(5));
        QVERIFY(n.date.isNull());
        QCOMPARE(n.time, QTime(0, 0));
        QVERIFY(!n.ontop);
        QVERIFY(n.visible);
        QCOMPARE(notestore::section(12), QStringLiteral("Paplet 12"));
    }

    void emptyTextIsKept() {
        Store s("[Paplet%201]\ntext=\n");
        QCOMPARE(notestore::read(*s, 1, defH, defW).text, QString(""));
    }

    // Each row: one key's stored text and the value it must read as.
    void valuesAsRead_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("left negative fraction") << "left"
                                                << "-120.5" << QVariant(-120.5);
        QTest::newRow("top blanks") << "top"
                                    << " 300 " << QVariant(300.0);
        QTest::newRow("left word") << "left"
                                   << "far" << QVariant(0.0);
        QTest::newRow("height word") << "height"
                                     << "tall" << QVariant(defH);
        QTest::newRow("width comma") << "width"
                                     << "2040,5" << QVariant(defW);
        QTest::newRow("oldheight rounds") << "oldheight"
                                          << "1290.5" << QVariant(1290);
        QTest::newRow("oldheight too big") << "oldheight"
                                           << "99999" << QVariant(int(defH));
        QTest::newRow("ringearly word") << "ringearly"
                                        << "five" << QVariant(5);
        QTest::newRow("ringearly 0") << "ringearly"
                                     << "0" << QVariant(0);
        QTest::newRow("hasrung TRUE") << "hasrung"
                                      << "TRUE" << QVariant(true);
        QTest::newRow("hasrung word") << "hasrung"
                                      << "maybe" << QVariant(false);
        QTest::newRow("ontop -1") << "ontop"
                                  << "-1" << QVariant(true);
        QTest::newRow("ontop word") << "ontop"
                                    << "yes" << QVariant(false);
        QTest::newRow("visible 0") << "visible"
                                   << "0" << QVariant(false);
        QTest::newRow("visible word") << "visible"
                                      << "nope" << QVariant(true);
        QTest::newRow("date zero") << "date"
                                   << "00:00:00" << QVariant(QDate());
        QTest::newRow("date word") << "date"
                                   << "christmas" << QVariant(QDate());
        QTest::newRow("date 31 February") << "date"
                                          << "2026-02-31" << QVariant(QDate());
        QTest::newRow("date ISO") << "date"
                                  << "2026-12-24" << QVariant(QDate(2026, 12, 24));
        QTest::newRow("time word") << "time"
                                   << "noon" << QVariant(QTime(0, 0));
        QTest::newRow("time 25:99") << "time"
                                    << "25:99" << QVariant(QTime(0, 0));
        QTest::newRow("time 14:30:00") << "time"
                                       << "14:30:00" << QVariant(QTime(14, 30));
    }
    void valuesAsRead() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QVariant, expected);
        Store s;
        (*s).write("Paplet 1", "text", "kept");
        (*s).write("Paplet 1", key, text);
        const StoredNote n = notestore::read(*s, 1, defH, defW);
        const QVariantMap got{{"left", n.left},       {"top", n.top},
                              {"height", n.height},   {"oldheight", int(n.oldheight)},
                              {"width", n.width},     {"ringearly", int(n.ringearly)},
                              {"hasrung", n.hasrung}, {"ontop", n.ontop},
                              {"visible", n.visible}, {"date", n.date},
                              {"time", n.time}};
        QCOMPARE(got.value(key), expected);
        QCOMPARE(n.text, QStringLiteral("kept"));
    }

    void writtenForms() {
        Store s;
        StoredNote n;
        n.text = "line one\nline two, with \"quotes\"";
        n.left = -15;
        n.top = 2010.5;
        n.height = 1290;
        n.oldheight = 1800;
        n.width = 2160;
        n.hasrung = true;
        n.ringearly = 10;
        n.date = QDate(2026, 12, 24);
        n.time = QTime(14, 30);
        n.ontop = true;
        n.visible = false;
        notestore::write(*s, 3, n);
        auto v = [&](const char* key) {
            return (*s).read("Paplet 3", QString::fromLatin1(key), "<missing>");
        };
        QCOMPARE(v("text"), n.text);
        QCOMPARE(v("left"), QStringLiteral("-15"));
        QCOMPARE(v("top"), QStringLiteral("2010.5"));
        QCOMPARE(v("height"), QStringLiteral("1290"));
        QCOMPARE(v("oldheight"), QStringLiteral("1800"));
        QCOMPARE(v("width"), QStringLiteral("2160"));
        QCOMPARE(v("hasrung"), QStringLiteral("True"));
        QCOMPARE(v("ringearly"), QStringLiteral("10"));
        QCOMPARE(v("date"), regional::storedDate(n.date));
        QCOMPARE(v("time"), regional::storedTime(n.time));
        if (QLocale::system().name() == "en_US") {
            QCOMPARE(v("date"), QStringLiteral("12/24/2026"));
            QCOMPARE(v("time"), QStringLiteral("2:30:00 PM"));
        }
        QCOMPARE(v("ontop"), QStringLiteral("True"));
        QCOMPARE(v("visible"), QStringLiteral("False"));
        QVERIFY((*s).sync());

        SettingsStore back(s.store->path());
        const StoredNote r = notestore::read(back, 3, defH, defW);
        QCOMPARE(r.text, n.text);
        QCOMPARE(r.left, n.left);
        QCOMPARE(r.top, n.top);
        QCOMPARE(r.height, n.height);
        QCOMPARE(r.oldheight, n.oldheight);
        QCOMPARE(r.width, n.width);
        QCOMPARE(r.hasrung, n.hasrung);
        QCOMPARE(r.ringearly, n.ringearly);
        QCOMPARE(r.date, n.date);
        QCOMPARE(r.time, n.time);
        QCOMPARE(r.ontop, n.ontop);
        QCOMPARE(r.visible, n.visible);
    }

    void noAlarmIsWrittenAsZero() {
        Store s;
        notestore::write(*s, 1, StoredNote{});
        QCOMPARE((*s).read("Paplet 1", "date", ""), QStringLiteral("00:00:00"));
        QCOMPARE((*s).read("Paplet 1", "time", ""), QStringLiteral("00:00:00"));
        QCOMPARE((*s).read("Paplet 1", "text", ""), QStringLiteral("empty"));
        const StoredNote r = notestore::read(*s, 1, defH, defW);
        QVERIFY(r.date.isNull());
        QCOMPARE(r.time, QTime(0, 0));
    }

    void removeSectionsRemovesOnlyThoseCounted() {
        Store s("[Paplet%201]\ntext=a\n[Paplet%202]\ntext=b\n[Paplet%203]\ntext=c\n");
        notestore::removeSections(*s, 2);
        QVERIFY(!(*s).hasSection("Paplet 1"));
        QVERIFY(!(*s).hasSection("Paplet 2"));
        QVERIFY((*s).hasSection("Paplet 3"));
    }

    void storedCount_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("expected");
        const QByteArray notes = "[Paplet%201]\ntext=a\n[Paplet%202]\ntext=b\n[Paplet%204]\ntext=d\n";
        QTest::newRow("Total 2") << "[Settings]\nTotal=2\n" + notes << 2;
        QTest::newRow("Total 1 of 2") << "[Settings]\nTotal=1\n" + notes << 1;
        QTest::newRow("Total beyond sections") << "[Settings]\nTotal=5\n" + notes << 5;
        QTest::newRow("Total blanks") << "[Settings]\nTotal= 2 \n" + notes << 2;
        QTest::newRow("Total 0") << "[Settings]\nTotal=0\n" + notes << 0;
        QTest::newRow("Total word") << "[Settings]\nTotal=two\n" + notes << 2;
        QTest::newRow("Total negative") << "[Settings]\nTotal=-1\n" + notes << 2;
        QTest::newRow("Total fraction") << "[Settings]\nTotal=2.5\n" + notes << 2;
        QTest::newRow("Total empty") << "[Settings]\nTotal=\n" + notes << 2;
        QTest::newRow("Total too big") << "[Settings]\nTotal=99999\n" + notes << 2;
        QTest::newRow("no Total") << "[Settings]\nfont=Arial\n" + notes << 2;
        QTest::newRow("nothing") << QByteArray("[Settings]\nfont=Arial\n") << 0;
    }
    void storedCount() {
        QFETCH(QByteArray, ini);
        Store s(ini);
        QTEST(notestore::storedCount(*s), "expected");
    }
};

ZOVUZOR_TEST_MAIN(TestCoreNotestore)
#include "tst_core_notestore.moc"
