#include "testsupport.h"

#include "core/strings.h"

class TestCoreStrings : public QObject {
    Q_OBJECT
private slots:
    void everyEntry_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("10") << 10 << QStringLiteral("über Zovuzor...");
        QTest::newRow("11") << 11 << QStringLiteral("von");
        QTest::newRow("12") << 12 << QStringLiteral("about Zovuzor...");
        QTest::newRow("13") << 13 << QStringLiteral("by");
        QTest::newRow("30") << 30 << QStringLiteral("keine Zovuzor");
        QTest::newRow("31") << 31 << QStringLiteral("neu");
        QTest::newRow("32") << 32 << QStringLiteral("alle verstecken");
        QTest::newRow("33") << 33 << QStringLiteral("Einstellungen...");
        QTest::newRow("34") << 34 << QStringLiteral("alles speichern");
        QTest::newRow("35") << 35 << QStringLiteral("&Beenden");
        QTest::newRow("36") << 36 << QStringLiteral("immer im Vordergrund");
        QTest::newRow("37") << 37 << QStringLiteral("nicht im Vordergrund");
        QTest::newRow("38") << 38 << QStringLiteral("Alarm...");
        QTest::newRow("39") << 39 << QStringLiteral("unbenannt");
        QTest::newRow("40") << 40 << QStringLiteral("no Zovuzor");
        QTest::newRow("41") << 41 << QStringLiteral("new");
        QTest::newRow("42") << 42 << QStringLiteral("hide all");
        QTest::newRow("43") << 43 << QStringLiteral("settings...");
        QTest::newRow("44") << 44 << QStringLiteral("save all");
        QTest::newRow("45") << 45 << QStringLiteral("E&xit");
        QTest::newRow("46") << 46 << QStringLiteral("set on top");
        QTest::newRow("47") << 47 << QStringLiteral("not on top");
        QTest::newRow("48") << 48 << QStringLiteral("alarm...");
        QTest::newRow("49") << 49 << QStringLiteral("untitled");
        QTest::newRow("60") << 60 << QStringLiteral("Datum:");
        QTest::newRow("61") << 61 << QStringLiteral("Zeit:");
        QTest::newRow("62") << 62 << QStringLiteral("Minuten früher");
        QTest::newRow("63") << 63 << QStringLiteral("Löschen");
        QTest::newRow("64") << 64 << QStringLiteral("Abbruch");
        QTest::newRow("65") << 65 << QStringLiteral("maximaler Wert ist 59 !");
        QTest::newRow("66") << 66 << QStringLiteral("maximum value is 59 !");
        QTest::newRow("70") << 70 << QStringLiteral("momentan: ");
        QTest::newRow("71") << 71 << QStringLiteral("current: ");
        QTest::newRow("80") << 80 << QStringLiteral("Einstellungen");
        QTest::newRow("81") << 81 << QStringLiteral("Farben && Fonts");
        QTest::newRow("82") << 82 << QStringLiteral("Verschiedenes");
        QTest::newRow("83") << 83 << QStringLiteral("Hintergrund");
        QTest::newRow("84") << 84 << QStringLiteral("Vordergrund");
        QTest::newRow("85") << 85 << QStringLiteral("Sprache");
        QTest::newRow("86") << 86 << QStringLiteral("löschen bestätigen");
        QTest::newRow("87") << 87 << QStringLiteral("Abbruch");
        QTest::newRow("88") << 88 << QStringLiteral(" kursiv");
        QTest::newRow("89") << 89 << QStringLiteral(" fett");
        QTest::newRow("90") << 90 << QStringLiteral("Settings");
        QTest::newRow("91") << 91 << QStringLiteral("Colors && Fonts");
        QTest::newRow("92") << 92 << QStringLiteral("Misc");
        QTest::newRow("93") << 93 << QStringLiteral("Background");
        QTest::newRow("94") << 94 << QStringLiteral("Foreground");
        QTest::newRow("95") << 95 << QStringLiteral("Language");
        QTest::newRow("96") << 96 << QStringLiteral("confirm delete");
        QTest::newRow("97") << 97 << QStringLiteral("Cancel");
        QTest::newRow("100") << 100 << QStringLiteral(" italic");
        QTest::newRow("101") << 101 << QStringLiteral(" bold");
        QTest::newRow("102") << 102 << QStringLiteral("Wave wiederholen");
        QTest::newRow("103") << 103 << QStringLiteral("repeat wave");
        QTest::newRow("140") << 140 << QStringLiteral("Date:");
        QTest::newRow("141") << 141 << QStringLiteral("Time:");
        QTest::newRow("142") << 142 << QStringLiteral("minutes earlier");
        QTest::newRow("143") << 143 << QStringLiteral("Clear");
        QTest::newRow("144") << 144 << QStringLiteral("Cancel");
        QTest::newRow("150") << 150 << QStringLiteral("Größe als Standard setzen");
        QTest::newRow("151") << 151 << QStringLiteral("set size as default");
        QTest::newRow("154") << 154 << QStringLiteral("aktiver Paplet");
        QTest::newRow("155") << 155 << QStringLiteral("active Paplet");
        QTest::newRow("156") << 156 << QStringLiteral("über Zovuzor...");
        QTest::newRow("157") << 157 << QStringLiteral("about Zovuzor...");
        QTest::newRow("160") << 160 << QStringLiteral("Fontauswahl");
        QTest::newRow("161") << 161 << QStringLiteral("Größe");
        QTest::newRow("162") << 162 << QStringLiteral("fett");
        QTest::newRow("163") << 163 << QStringLiteral("kursiv");
        QTest::newRow("164") << 164 << QStringLiteral("Abbruch");
        QTest::newRow("200") << 200 << QStringLiteral("Löschen ");
        QTest::newRow("201") << 201 << QStringLiteral("Delete ");
        QTest::newRow("210") << 210 << QStringLiteral("alle anzeigen");
        QTest::newRow("220") << 220 << QStringLiteral("show all");
        QTest::newRow("230") << 230 << QStringLiteral("Wave-Datei auswählen");
        QTest::newRow("231") << 231 << QStringLiteral("Dateien:");
        QTest::newRow("232") << 232 << QStringLiteral("Verzeichnisse:");
        QTest::newRow("233") << 233 << QStringLiteral("Laufwerke:");
        QTest::newRow("234") << 234 << QStringLiteral("Abbruch");
    }
    void everyEntry() {
        QFETCH(int, id);
        QVERIFY(hasresstring(id));
        QTEST(getresstring(id), "text");
    }

    // Nothing beyond the table: 80 entries, every other identifier is absent.
    void nothingElse() {
        int found = 0;
        for (int id = -10; id < 1000; ++id) {
            if (hasresstring(id))
                ++found;
            else
                QCOMPARE(getresstring(id), QString());
        }
        QCOMPARE(found, 80);
    }
};

ZOVUZOR_TEST_MAIN(TestCoreStrings)
#include "tst_core_strings.moc"
