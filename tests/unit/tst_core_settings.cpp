#include "testsupport.h"

#include "core/appstate.h"
#include "core/palette.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "core/twips.h"
#include "core/values.h"

#include <QFontInfo>
#include <QScreen>

namespace {
struct Store {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("paplt32.ini")); }
    std::unique_ptr<SettingsStore> open(const QByteArray& ini = {}) {
        if (!ini.isNull()) {
            QFile f(path());
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return nullptr;
            f.write(ini);
        }
        return std::make_unique<SettingsStore>(path());
    }
};
} // namespace

class TestCoreSettings : public QObject {
    Q_OBJECT
private slots:
    void flags_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 1 true, 0 false, -1 not a flag
        QTest::newRow("True") << "True" << 1;
        QTest::newRow("TRUE") << "TRUE" << 1;
        QTest::newRow("false") << "false" << 0;
        QTest::newRow("-1") << "-1" << 1;
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("2.5") << "2.5" << 1;
        QTest::newRow("blanks") << " True " << 1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("yes") << "yes" << -1;
    }
    void flags() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto v = values::flag(text);
        QCOMPARE(v.has_value() ? int(*v) : -1, expected);
    }

    void numbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "1290" << true << 1290.0;
        QTest::newRow("negative fraction") << "-120.5" << true << -120.5;
        QTest::newRow("blanks") << " 14 " << true << 14.0;
        QTest::newRow("decimal comma") << "10,5" << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("word") << "ten" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
    }
    void numbers() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        const auto v = values::number(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void int16RoundsHalfToEven_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no value
        QTest::newRow("0.5") << "0.5" << 0;
        QTest::newRow("1.5") << "1.5" << 2;
        QTest::newRow("2.5") << "2.5" << 2;
        QTest::newRow("2.51") << "2.51" << 3;
        QTest::newRow("-2.5") << "-2.5" << -2;
        QTest::newRow("-3.5") << "-3.5" << -4;
        QTest::newRow("max") << "32767.4" << 32767;
        QTest::newRow("over max") << "32767.5" << 99999;
        QTest::newRow("min") << "-32768.5" << -32768;
        QTest::newRow("under min") << "-32769" << 99999;
        QTest::newRow("word") << "x" << 99999;
    }
    void int16RoundsHalfToEven() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto v = values::int16(text);
        QCOMPARE(v.has_value() ? int(*v) : 99999, expected);
    }

    void numberTexts() {
        QCOMPARE(values::numberText(1290), QStringLiteral("1290"));
        QCOMPARE(values::numberText(-15), QStringLiteral("-15"));
        QCOMPARE(values::numberText(2010.5), QStringLiteral("2010.5"));
        QCOMPARE(values::numberText(0.1), QStringLiteral("0.1"));
        QCOMPARE(values::numberText(-0.0), QStringLiteral("0"));
        QCOMPARE(values::numberText(1e20), QStringLiteral("100000000000000000000"));
        QCOMPARE(values::number(values::numberText(1.0 / 3)).value(), 1.0 / 3);
        QCOMPARE(values::flagText(true), QStringLiteral("True"));
        QCOMPARE(values::flagText(false), QStringLiteral("False"));
    }

    void paletteHasTheSixteenColours() {
        const QList<QRgb> expected{
            qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
            qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
            qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
        for (int i = 0; i < palette::count; ++i)
            QCOMPARE(palette::color(i).rgb(), expected[i]);
        QCOMPARE(palette::color(-3).rgb(), expected[0]);
        QCOMPARE(palette::color(16).rgb(), expected[15]);
        QCOMPARE(palette::indexFromText(" 14", 0), 14);
        QCOMPARE(palette::indexFromText("99", 0), 15);
        QCOMPARE(palette::indexFromText("-1", 7), 0);
        QCOMPARE(palette::indexFromText("yellow", 7), 7);
        QCOMPARE(palette::indexFromText("3.5", 7), 7);
    }

    void textHeldFieldsWhereApplied() {
        AppState s;
        s.backcolor = "abc";
        s.forecolor = " 12";
        QCOMPARE(s.backColor(), QColor(255, 255, 0)); // unusable: the default light yellow
        QCOMPARE(s.foreColor(), QColor(255, 0, 0));
        s.confirmdelete = "maybe";
        QVERIFY(s.confirmdeleteOn());
        s.confirmdelete = "FALSE";
        QVERIFY(!s.confirmdeleteOn());
        s.fontbold = "-1";
        QVERIFY(s.fontboldOn());
        s.defwidth = "2040.5";
        QCOMPARE(s.defwidthTwips(), 2040.5);
        s.defwidth = "wide";
        QCOMPARE(s.defwidthTwips(), 0.0);
    }

    void noteFontKeepsSizeWhenUnusable_data() {
        QTest::addColumn<QString>("fontsize");
        QTest::addColumn<double>("expected");
        QTest::newRow("12") << "12" << 12.0;
        QTest::newRow("8.5") << " 8.5" << 8.5;
        QTest::newRow("comma") << "10,5" << 17.0;
        QTest::newRow("word") << "big" << 17.0;
        QTest::newRow("zero") << "0" << 17.0;
        QTest::newRow("negative") << "-4" << 17.0;
        QTest::newRow("huge") << "1000000" << 17.0;
        QTest::newRow("empty") << "" << 17.0;
    }
    void noteFontKeepsSizeWhenUnusable() {
        QFETCH(QString, fontsize);
        QFETCH(double, expected);
        AppState s;
        s.font = "Courier";
        s.fontsize = fontsize;
        s.fontbold = "True";
        s.fontitalic = 1;
        QFont current;
        current.setPointSizeF(17);
        const QFont f = s.noteFont(current);
        QCOMPARE(f.pointSizeF(), expected);
        QCOMPARE(f.family(), QStringLiteral("Courier"));
        QVERIFY(f.bold());
        QVERIFY(f.italic());
    }

    void textPicksTheLanguage() {
        AppState s;
        QCOMPARE(s.text(36, 46), QStringLiteral("set on top"));
        s.language = 1;
        QCOMPARE(s.text(36, 46), QStringLiteral("immer im Vordergrund"));
        s.language = 2;
        QCOMPARE(s.text(36, 46), QStringLiteral("set on top"));
    }

    void noSettingsGivesDefaults() {
        Store st;
        auto store = st.open();
        AppState s;
        loadsettings(s, *store);
        QCOMPARE(s.notecount, 0);
        QCOMPARE(s.loadedcount, 0);
        QCOMPARE(s.font, QStringLiteral("Arial"));
        QCOMPARE(s.fontsize, QStringLiteral("10"));
        QVERIFY(!s.fontboldOn());
        QCOMPARE(s.fontbold, QStringLiteral("0"));
        QCOMPARE(s.fontitalic, qint16(0));
        QCOMPARE(s.backcolor, QStringLiteral("14"));
        QCOMPARE(s.forecolor, QStringLiteral("0"));
        QCOMPARE(s.confirmdelete, QStringLiteral("True"));
        QCOMPARE(s.language, qint16(0));
        QCOMPARE(s.wave, QStringLiteral("none"));
        QVERIFY(!s.repeatwave);
        QCOMPARE(s.defwidth, QStringLiteral("0"));
        QCOMPARE(s.defheight, qint16(0));
    }

    // Each row: the [Settings] lines, then the fields that must result.
    void loadsettingsEdgeCases_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("fontitalic");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("repeatwave");
        QTest::addColumn<int>("defheight");
        QTest::addColumn<QString>("backcolor");
        QTest::addColumn<int>("notecount");
        QTest::newRow("italic not a number") << QByteArray("fontitalic=slanted\nbackcolor=3\nlanguage=1\n")
                                             << 0 << 1 << false << 0 << "3" << 0;
        QTest::newRow("language 2") << QByteArray("language=2\n") << 0 << 2 << false << 0 << "14" << 0;
        QTest::newRow("repeat True") << QByteArray("repeatwave=True\n") << 0 << 0 << true << 0 << "14" << 0;
        QTest::newRow("repeat -1") << QByteArray("repeatwave=-1\n") << 0 << 0 << true << 0 << "14" << 0;
        QTest::newRow("repeat False")
            << QByteArray("repeatwave=False\n") << 0 << 0 << false << 0 << "14" << 0;
        QTest::newRow("repeat 0") << QByteArray("repeatwave=0\n") << 0 << 0 << false << 0 << "14" << 0;
        QTest::newRow("repeat unusable")
            << QByteArray("repeatwave=often\ndefheight=1290\n") << 0 << 0 << false << 1290 << "14" << 0;
        QTest::newRow("empty values")
            << QByteArray("backcolor=\nlanguage=\nfontitalic=\n") << 0 << 0 << false << 0 << "" << 0;
        QTest::newRow("rounded") << QByteArray("fontitalic=0.5\ndefheight=1290.5\nlanguage=0.6\n") << 0 << 1
                                 << false << 1290 << "14" << 0;
        QTest::newRow("defheight too big")
            << QByteArray("defheight=40000\n") << 0 << 0 << false << 0 << "14" << 0;
        QTest::newRow("Total") << QByteArray("Total=3\n") << 0 << 0 << false << 0 << "14" << 3;
    }
    void loadsettingsEdgeCases() {
        QFETCH(QByteArray, ini);
        Store st;
        auto store = st.open("[Settings]\n" + ini);
        AppState s;
        loadsettings(s, *store);
        QTEST(int(s.fontitalic), "fontitalic");
        QTEST(int(s.language), "language");
        QTEST(s.repeatwave, "repeatwave");
        QTEST(int(s.defheight), "defheight");
        QTEST(s.backcolor, "backcolor");
        QTEST(s.notecount, "notecount");
        QCOMPARE(s.loadedcount, s.notecount);
    }

    // A step that cannot convert leaves the field as it was before the step.
    void failedConversionKeepsThePreviousValue() {
        Store st;
        auto store = st.open("[Settings]\nlanguage=deutsch\nrepeatwave=x\ndefheight=x\nfontitalic=x\n");
        AppState s;
        s.language = 1;
        s.repeatwave = true;
        s.defheight = 900;
        s.fontitalic = 1;
        loadsettings(s, *store);
        QCOMPARE(s.language, qint16(1));
        QVERIFY(s.repeatwave);
        QCOMPARE(s.defheight, qint16(900));
        QCOMPARE(s.fontitalic, qint16(1));
    }

    // A damaged "Total" must not cost the notes that are there.
    void totalThatIsNoCountCountsTheNotes() {
        Store st;
        auto store = st.open("[Settings]\nTotal=two\n[Paplet%201]\ntext=a\n[Paplet%202]\ntext=b\n");
        AppState s;
        loadsettings(s, *store);
        QCOMPARE(s.notecount, 2);
        QCOMPARE(s.loadedcount, 2);
    }

    void saveRightAfterLoadWritesTheSameTexts() {
        Store st;
        const QByteArray ini = "[Settings]\nTotal=2\nfont=Comic Sans MS\nfontsize=10,5\nfontbold=true\n"
                               "fontitalic=1\nbackcolor=\" 14\"\nforecolor=015\nconfirmdelete=TRUE\n"
                               "language=1\nwave=\"C:\\\\sounds\\\\a, b;c.wav\"\nrepeatwave=-1\n"
                               "defwidth=2040.0\ndefheight=1290\npath=/old/place\n"
                               "[Paplet%201]\ntext=a\n[Paplet%202]\ntext=b\n";
        {
            auto store = st.open(ini);
            AppState s;
            loadsettings(s, *store);
            savesettings(s, *store, QStringLiteral("/opt/zovuzor"));
            QVERIFY(store->sync());
        }
        SettingsStore back(st.path());
        auto v = [&](const char* key) {
            return back.read("Settings", QString::fromLatin1(key), "<missing>");
        };
        QCOMPARE(v("path"), QStringLiteral("/opt/zovuzor"));
        QCOMPARE(v("Total"), QStringLiteral("2"));
        QCOMPARE(v("font"), QStringLiteral("Comic Sans MS"));
        QCOMPARE(v("fontsize"), QStringLiteral("10,5"));
        QCOMPARE(v("fontbold"), QStringLiteral("true"));
        QCOMPARE(v("fontitalic"), QStringLiteral("1"));
        QCOMPARE(v("backcolor"), QStringLiteral(" 14"));
        QCOMPARE(v("forecolor"), QStringLiteral("015"));
        QCOMPARE(v("confirmdelete"), QStringLiteral("TRUE"));
        QCOMPARE(v("language"), QStringLiteral("1"));
        QCOMPARE(v("wave"), QStringLiteral("C:\\sounds\\a, b;c.wav"));
        QCOMPARE(v("repeatwave"), QStringLiteral("True"));
        QCOMPARE(v("defwidth"), QStringLiteral("2040.0"));
        QCOMPARE(v("defheight"), QStringLiteral("1290"));
    }

    void saveWritesChangedFieldsAndLiveCount() {
        Store st;
        auto store = st.open("[Settings]\nTotal=3\nrepeatwave=True\n");
        AppState s;
        loadsettings(s, *store);
        s.confirmdelete = values::flagText(false); // the settings dialog turned confirmation off
        s.fontbold = values::numberText(1);        // the font picker set bold
        s.backcolor = values::numberText(9);
        s.repeatwave = false;
        s.notecount = 5;    // two created ...
        s.deletedcount = 1; // ... one deleted
        savesettings(s, *store, programFolder());
        QCOMPARE(store->read("Settings", "confirmdelete", ""), QStringLiteral("False"));
        QCOMPARE(store->read("Settings", "fontbold", ""), QStringLiteral("1"));
        QCOMPARE(store->read("Settings", "backcolor", ""), QStringLiteral("9"));
        QCOMPARE(store->read("Settings", "repeatwave", ""), QStringLiteral("False"));
        QCOMPARE(store->read("Settings", "Total", ""), QStringLiteral("4"));
        QCOMPARE(store->read("Settings", "path", ""),
                 QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        QCOMPARE(s.loadedcount, 3); // saving does not change it
    }

    void twipsFollowTheScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(twips::perPixelX(), 1440.0 / screen->logicalDotsPerInchX());
        QCOMPARE(twips::perPixelY(), 1440.0 / screen->logicalDotsPerInchY());
        if (qFuzzyCompare(screen->logicalDotsPerInchX(), 96.0)) {
            QCOMPARE(twips::perPixelX(), 15.0);
            QCOMPARE(twips::toPixelsX(2040), 136);
            QCOMPARE(twips::fromPixelsY(86), 1290.0);
        }
        for (int px : {-300, -1, 0, 1, 137, 1921})
            QCOMPARE(twips::toPixelsX(twips::fromPixelsX(px)), px);
    }
};

ZOVUZOR_TEST_MAIN(TestCoreSettings)
#include "tst_core_settings.moc"
