#include "testsupport.h"

#include "core/regional.h"

#include <QProcess>

class TestCoreRegional : public QObject {
    Q_OBJECT
private slots:
    void christmasInUsAndGermany_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("en_US") << "en_US"
                               << "12/24/2026"
                               << "2:30:00 PM";
        QTest::newRow("de_DE") << "de_DE"
                               << "24.12.2026"
                               << "14:30:00";
    }
    void christmasInUsAndGermany() {
        QFETCH(QString, locale);
        const QLocale l(locale);
        const QDate d(2026, 12, 24);
        const QTime t(14, 30);
        QTEST(regional::storedDate(d, l), "date");
        QTEST(regional::storedTime(t, l), "time");
        bool ok = false;
        QCOMPARE(regional::parseDate(regional::storedDate(d, l), &ok, l), d);
        QVERIFY(ok);
        QCOMPARE(regional::parseTime(regional::storedTime(t, l), &ok, l), t);
        QVERIFY(ok);
    }

    // Every text written reads back to the same value, whatever the user's formats look like.
    void roundTripInManyLocales_data() {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"en_US", "de_DE", "en_GB", "fr_FR", "ja_JP", "ko_KR", "zh_CN", "fa_IR",
                                 "bg_BG", "fi_FI", "da_DK", "hu_HU", "es_ES", "ar_EG", "th_TH", "hi_IN", "C"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void roundTripInManyLocales() {
        QFETCH(QString, locale);
        const QLocale l(locale);
        for (const QDate d :
             {QDate(2026, 12, 24), QDate(1999, 1, 2), QDate(2030, 7, 31), QDate(2001, 10, 9)}) {
            bool ok = false;
            const QString text = regional::storedDate(d, l);
            QCOMPARE(regional::parseDate(text, &ok, l), d);
            QVERIFY2(ok, qPrintable(text));
        }
        for (const QTime t :
             {QTime(14, 30), QTime(0, 0, 1), QTime(9, 5, 7), QTime(23, 59, 59), QTime(12, 0)}) {
            bool ok = false;
            const QString text = regional::storedTime(t, l);
            QCOMPARE(regional::parseTime(text, &ok, l), t);
            QVERIFY2(ok, qPrintable(text));
        }
    }

    void zeroValue() {
        for (const QLocale& l : {QLocale("en_US"), QLocale("de_DE")}) {
            QCOMPARE(regional::storedDate(QDate(), l), QStringLiteral("00:00:00"));
            QCOMPARE(regional::storedTime(QTime(0, 0), l), QStringLiteral("00:00:00"));
            QCOMPARE(regional::storedTime(QTime(), l), QStringLiteral("00:00:00"));
            bool ok = false;
            QVERIFY(regional::parseDate("00:00:00", &ok, l).isNull());
            QVERIFY(ok);
            ok = false;
            QCOMPARE(regional::parseTime("00:00:00", &ok, l), QTime(0, 0));
            QVERIFY(ok);
        }
    }

    void typedTimes_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("expected");
        for (const char* name : {"en_US", "de_DE"}) {
            const QString l = QString::fromLatin1(name);
            QTest::addRow("%s 14:30", name) << l << "14:30" << QTime(14, 30);
            QTest::addRow("%s 9:05", name) << l << "9:05" << QTime(9, 5);
            QTest::addRow("%s 14:30:00", name) << l << "14:30:00" << QTime(14, 30);
            QTest::addRow("%s 09:05:30", name) << l << " 09:05:30 " << QTime(9, 5, 30);
            QTest::addRow("%s 2:30 PM", name) << l << "2:30 PM" << QTime(14, 30);
        }
    }
    void typedTimes() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        bool ok = false;
        QTEST(regional::parseTime(text, &ok, QLocale(locale)), "expected");
        QVERIFY(ok);
    }

    void notADateOrTime() {
        for (const QLocale& l : {QLocale("en_US"), QLocale("de_DE")}) {
            for (const QString& text : {QString(), QStringLiteral("x"), QStringLiteral("13/45/2026"),
                                        QStringLiteral("31.02.2026"), QStringLiteral("25:99")}) {
                bool ok = true;
                QVERIFY(!regional::parseDate(text, &ok, l).isValid());
                QVERIFY(!ok);
                ok = true;
                QVERIFY(!regional::parseTime(text, &ok, l).isValid());
                QVERIFY(!ok);
            }
        }
    }

    // Texts in the locale's own short forms, as an earlier program wrote them: two-digit years land in
    // 1930..2029, one-digit days and months are fine.
    void shortFormsFromEarlierFiles() {
        const QLocale de("de_DE");
        QCOMPARE(regional::parseDate("24.12.96", nullptr, de), QDate(1996, 12, 24));
        QCOMPARE(regional::parseDate("24.12.26", nullptr, de), QDate(2026, 12, 24));
        QCOMPARE(regional::parseDate("1.2.2026", nullptr, de), QDate(2026, 2, 1));
        const QLocale us("en_US");
        QCOMPARE(regional::parseDate("12/24/96", nullptr, us), QDate(1996, 12, 24));
        QCOMPARE(regional::parseDate("1/2/2026", nullptr, us), QDate(2026, 1, 2));
    }

    // The user's formats come from the environment the program starts in (LC_TIME may differ from LANG).
    void systemLocaleFollowsTheEnvironment_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("lcTime");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("expected");
        QTest::newRow("LANG en_US") << "en_US.UTF-8"
                                    << ""
                                    << ""
                                    << "12/24/2026|2:30:00 PM";
        QTest::newRow("LANG de_DE") << "de_DE.UTF-8"
                                    << ""
                                    << ""
                                    << "24.12.2026|14:30:00";
        QTest::newRow("LC_TIME de_DE") << "en_US.UTF-8"
                                       << "de_DE.UTF-8"
                                       << ""
                                       << "24.12.2026|14:30:00";
        QTest::newRow("LC_ALL en_US") << "de_DE.UTF-8"
                                      << ""
                                      << "en_US.UTF-8"
                                      << "12/24/2026|2:30:00 PM";
    }
    void systemLocaleFollowsTheEnvironment() {
        QFETCH(QString, lang);
        QFETCH(QString, lcTime);
        QFETCH(QString, lcAll);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZOVUZOR_CHILD_REGIONAL", "1");
        env.insert("LANG", lang);
        env.remove("LC_TIME");
        env.remove("LC_ALL");
        if (!lcTime.isEmpty())
            env.insert("LC_TIME", lcTime);
        if (!lcAll.isEmpty())
            env.insert("LC_ALL", lcAll);
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("childPrintsSystemFormats")});
        QVERIFY(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        QCOMPARE(child.exitCode(), 0);
        QVERIFY2(out.contains("RESULT<" + expected + ">"), qPrintable(out));
    }

    void childPrintsSystemFormats() {
        if (qEnvironmentVariableIsEmpty("ZOVUZOR_CHILD_REGIONAL"))
            QSKIP("runs as the second process of systemLocaleFollowsTheEnvironment");
        const QDate d(2026, 12, 24);
        const QTime t(14, 30);
        QCOMPARE(regional::parseDate(regional::storedDate(d)), d);
        QCOMPARE(regional::parseTime(regional::storedTime(t)), t);
        QTextStream(stdout) << "RESULT<" << regional::storedDate(d) << '|' << regional::storedTime(t)
                            << ">\n";
    }
};

ZOVUZOR_TEST_MAIN(TestCoreRegional)
#include "tst_core_regional.moc"
