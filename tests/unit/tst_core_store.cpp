#include "testsupport.h"

#include "core/settingsstore.h"

#include <QProcess>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Texts that trip up INI files: each must come back exactly, also in another process.
QList<QPair<QString, QString>> awkwardTexts() {
    return {
        {QStringLiteral("lines"), QStringLiteral("first\nsecond\r\nthird\n")},
        {QStringLiteral("comma"), QStringLiteral("10,5")},
        {QStringLiteral("commas"), QStringLiteral("a, b ,c")},
        {QStringLiteral("semicolon"), QStringLiteral("a;b ; c")},
        {QStringLiteral("at"), QStringLiteral("@leading")},
        {QStringLiteral("atvariant"), QStringLiteral("@Variant(abc)")},
        {QStringLiteral("quotes"), QStringLiteral("\"quoted\" and 'single' \"")},
        {QStringLiteral("blanks"), QStringLiteral("  around  ")},
        {QStringLiteral("empty"), QString(u""_qs)},
        {QStringLiteral("umlauts"), QStringLiteral("Größe über Ärger € ✓")},
        {QStringLiteral("backslash"), QStringLiteral("C:\\notes\\a.wav \\n")},
        {QStringLiteral("equals"), QStringLiteral("=a=b=")},
        {QStringLiteral("hash"), QStringLiteral("#not a comment")},
        {QStringLiteral("brackets"), QStringLiteral("[Settings]\n[Paplet 1]")},
        {QStringLiteral("tab"), QStringLiteral("\tx\t")},
        {QStringLiteral("percent"), QStringLiteral("100% %20")},
        {QStringLiteral("long"), QString(100000, u'x') + QStringLiteral("\nend")},
    };
}
} // namespace

class TestCoreStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name = QStringLiteral("paplt32.ini")) const { return m_dir.filePath(name); }

private slots:
    void init() {
        for (const QString& e :
             QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            QFile::setPermissions(path(e),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QFileInfo(path(e)).isDir() ? (void)QDir(path(e)).removeRecursively()
                                       : (void)QFile::remove(path(e));
        }
    }

    void defaultPathFollowsConfigHome() {
        QCOMPARE(SettingsStore::defaultPath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/paplt32/paplt32.ini"));
    }

    void emptyValueIsNotMissing() {
        {
            SettingsStore s(path());
            QCOMPARE(s.read("Settings", "wave", "none"), QStringLiteral("none"));
            s.write("Settings", "wave", "");
            QCOMPARE(s.read("Settings", "wave", "none"), QString());
            QVERIFY(s.contains("Settings", "wave"));
            QVERIFY(s.sync());
        }
        SettingsStore s(path());
        QVERIFY(s.contains("Settings", "wave"));
        QCOMPARE(s.read("Settings", "wave", "none"), QString(""));
        QCOMPARE(s.read("Settings", "other", "dflt"), QStringLiteral("dflt"));
        QCOMPARE(s.read("Nowhere", "wave", "dflt"), QStringLiteral("dflt"));
        QVERIFY(!s.hasSection("Nowhere"));
    }

    void keysAreCaseSensitive() {
        SettingsStore s(path());
        s.write("Settings", "Total", "3");
        s.write("Settings", "total", "7");
        QVERIFY(s.sync());
        SettingsStore back(path());
        QCOMPARE(back.read("Settings", "Total", ""), QStringLiteral("3"));
        QCOMPARE(back.read("Settings", "total", ""), QStringLiteral("7"));
        QVERIFY(!back.contains("settings", "Total"));
    }

    void removeSectionDropsEveryKey() {
        {
            SettingsStore s(path());
            s.write("Paplet 1", "text", "one");
            s.write("Paplet 1", "left", "15");
            s.write("Paplet 2", "text", "two");
            QVERIFY(s.sync());
        }
        QVERIFY(fileBytes(path()).contains("[Paplet%201]"));
        SettingsStore s(path());
        QVERIFY(s.hasSection("Paplet 1"));
        s.removeSection("Paplet 1");
        s.removeSection("Paplet 9"); // not there: nothing happens
        QVERIFY(!s.hasSection("Paplet 1"));
        QVERIFY(!s.contains("Paplet 1", "left"));
        QVERIFY(s.sync());
        SettingsStore back(path());
        QVERIFY(!back.hasSection("Paplet 1"));
        QCOMPARE(back.read("Paplet 2", "text", ""), QStringLiteral("two"));
        QCOMPARE(back.read("Paplet 1", "text", "empty"), QStringLiteral("empty"));
    }

    // Written here, read back by a second process.
    void awkwardTextsRoundTripAcrossProcesses() {
        {
            SettingsStore s(path());
            for (const auto& [key, text] : awkwardTexts())
                s.write("Paplet 1", key, text);
            QVERIFY(s.sync());
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZOVUZOR_CHILD_STORE", path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("childReadsAwkwardTexts")});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 out.right(2000).constData());
        QVERIFY(out.contains("PASS   : TestCoreStore::childReadsAwkwardTexts()"));
    }

    void childReadsAwkwardTexts() {
        const QString file = qEnvironmentVariable("ZOVUZOR_CHILD_STORE");
        if (file.isEmpty())
            QSKIP("runs as the second process of awkwardTextsRoundTripAcrossProcesses");
        SettingsStore s(file);
        QVERIFY(!s.wasDamaged());
        for (const auto& [key, text] : awkwardTexts()) {
            QVERIFY2(s.contains("Paplet 1", key), qPrintable(key));
            QCOMPARE(s.read("Paplet 1", key, "missing"), text);
        }
    }

    // Values typed by hand that the INI parser would read as lists or typed values are the user's text.
    void handEditedValuesReadAsTyped() {
        writeBytes(path(), "[Settings]\nfontsize=10,5\nwave= C:\\\\a , b.wav \nfont=@Rect(1 2 3 4)\n"
                           "backcolor= 14\n[Paplet 1]\ntext=spaced header\n");
        SettingsStore s(path());
        QVERIFY(!s.wasDamaged());
        QCOMPARE(s.read("Settings", "fontsize", ""), QStringLiteral("10,5"));
        QCOMPARE(s.read("Settings", "wave", ""), QStringLiteral("C:\\a , b.wav"));
        QCOMPARE(s.read("Settings", "font", ""), QStringLiteral("@Rect(1 2 3 4)"));
        QCOMPARE(s.read("Settings", "backcolor", ""), QStringLiteral("14"));
        QCOMPARE(s.read("Paplet 1", "text", ""), QStringLiteral("spaced header"));
        // and they survive a save unchanged
        s.write("Settings", "Total", "1");
        QVERIFY(s.sync());
        SettingsStore back(path());
        QCOMPARE(back.read("Settings", "fontsize", ""), QStringLiteral("10,5"));
        QCOMPARE(back.read("Settings", "font", ""), QStringLiteral("@Rect(1 2 3 4)"));
    }

    void damagedFileIsCopiedBeforeAnyWrite_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("keptSection");
        QTest::addColumn<QString>("keptKey");
        QTest::addColumn<QString>("keptText");
        QTest::newRow("garbage bytes") << QByteArray("[Settings]\nfont=Arial\n\x01\x02\xff\xfe\x80 junk\n"
                                                     "[Paplet%201]\ntext=hi\n")
                                       << "Paplet 1"
                                       << "text"
                                       << "hi";
        QTest::newRow("binary head") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n[Settings]\nfont=Arial\n",
                                                   39)
                                     << "Settings"
                                     << "font"
                                     << "Arial";
        QTest::newRow("unclosed quote") << QByteArray("[Settings]\nfont=\"Arial\nfontsize=12\n[Paplet%201]\n"
                                                      "text=after the quote\n")
                                        << "Paplet 1"
                                        << "text"
                                        << "after the quote";
        QTest::newRow("unclosed quote, first key")
            << QByteArray("[Settings]\nfont=\"Ari\"al\"\nfontsize=12\n") << "Settings"
            << "font"
            << "Arial";
        QTest::newRow("unclosed quote, CRLF") << QByteArray("[Settings]\r\nfont=\"Arial\r\nfontsize=12\r\n"
                                                            "[Paplet%201]\r\ntext=after\r\n")
                                              << "Paplet 1"
                                              << "text"
                                              << "after";
        QTest::newRow("header without ]") << QByteArray("[Settings]\nfont=Arial\n[Paplet 1\ntext=one\n"
                                                        "[Paplet%202]\ntext=two\n")
                                          << "Paplet 2"
                                          << "text"
                                          << "two";
        QTest::newRow("line without =") << QByteArray("[Settings]\nfontsize\nfont=Arial\n") << "Settings"
                                        << "font"
                                        << "Arial";
        QTest::newRow("not UTF-8") << QByteArray("[Settings]\nfont=Arial\n[Paplet%201]\ntext=Gr\xf6\xdf"
                                                 "e\n")
                                   << "Settings"
                                   << "font"
                                   << "Arial";
    }
    void damagedFileIsCopiedBeforeAnyWrite() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, keptSection);
        QFETCH(QString, keptKey);
        QFETCH(QString, keptText);
        writeBytes(path(), bytes);
        {
            SettingsStore s(path());
            QVERIFY(s.wasDamaged());
            QCOMPARE(s.backupPath(), path("paplt32.ini.bad"));
            QCOMPARE(fileBytes(s.backupPath()), bytes);
            QCOMPARE(fileBytes(path()), bytes); // nothing written yet
            QCOMPARE(s.read(keptSection, keptKey, "lost"), keptText);
            QCOMPARE(QFileInfo(s.backupPath()).permissions() & 0x0077, QFileDevice::Permissions());
            // the first save writes what was read, cleanly
            QVERIFY(s.sync());
        }
        SettingsStore back(path());
        QVERIFY(!back.wasDamaged());
        QCOMPARE(back.read(keptSection, keptKey, "lost"), keptText);
        QCOMPARE(fileBytes(path("paplt32.ini.bad")), bytes);
    }

    void olderCopiesAreNeverOverwritten() {
        writeBytes(path("paplt32.ini.bad"), "an older copy");
        writeBytes(path(), "[Settings]\nfont=\"A\n");
        {
            SettingsStore s(path());
            QCOMPARE(s.backupPath(), path("paplt32.ini.bad.1"));
        }
        // the same damaged file met again (not saved in between) keeps its one copy
        SettingsStore again(path());
        QCOMPARE(again.backupPath(), path("paplt32.ini.bad.1"));
        QCOMPARE(fileBytes(path("paplt32.ini.bad")), QByteArray("an older copy"));
        QCOMPARE(fileBytes(path("paplt32.ini.bad.1")), QByteArray("[Settings]\nfont=\"A\n"));
        QVERIFY(!QFile::exists(path("paplt32.ini.bad.2")));
    }

    void damagedFileWithoutCopyIsNeverOverwritten() {
        QDir().mkpath(path("ro"));
        const QString ini = path("ro/paplt32.ini");
        writeBytes(ini, "[Settings]\nfont=\"A\n");
        QFile::setPermissions(path("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        SettingsStore s(ini);
        QVERIFY(s.wasDamaged());
        QVERIFY(s.backupPath().isEmpty());
        s.write("Settings", "Total", "0");
        QVERIFY(!s.sync());
        QFile::setPermissions(path("ro"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // once a copy can be made, the save goes through
        QVERIFY(s.sync());
        QCOMPARE(fileBytes(ini + ".bad"), QByteArray("[Settings]\nfont=\"A\n"));
    }

    void soundFileIsNotDamaged() {
        writeBytes(path(),
                   "; comment \"\n[Settings]\r\nfont=Arial ; trailing \"comment\r\nwave=\"a;b\"\r\n\r\n"
                   "text=\"one\\\r\ntwo\"\n");
        SettingsStore s(path());
        QVERIFY(!s.wasDamaged());
        QVERIFY(s.backupPath().isEmpty());
        QCOMPARE(s.read("Settings", "font", ""), QStringLiteral("Arial"));
        QCOMPARE(s.read("Settings", "wave", ""), QStringLiteral("a;b"));
        QCOMPARE(s.read("Settings", "text", ""), QStringLiteral("onetwo"));
        QVERIFY(!QFile::exists(path("paplt32.ini.bad")));
    }

    void unreadableStoreIsNeverReplaced() {
        QDir().mkpath(path()); // a folder where the file should be
        SettingsStore s(path());
        QVERIFY(s.wasDamaged());
        QCOMPARE(s.read("Settings", "font", "Arial"), QStringLiteral("Arial"));
        s.write("Settings", "font", "x");
        QVERIFY(!s.sync());
        QVERIFY(QFileInfo(path()).isDir());
    }

    void failedSyncReportsAndKeepsMemory_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only file") << "file";
        QTest::newRow("read-only folder") << "folder";
        QTest::newRow("folder is a file") << "blocked";
    }
    void failedSyncReportsAndKeepsMemory() {
        QFETCH(QString, how);
        QDir().mkpath(path("cfg"));
        QString ini = path("cfg/paplt32.ini");
        const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        writeBytes(ini, "[Settings]\nfont=Arial\n");
        if (how == "blocked") {
            writeBytes(path("plain"), "x");
            ini = path("plain/paplt32.ini");
        }
        SettingsStore s(ini);
        if (how == "file")
            QFile::setPermissions(ini, QFileDevice::ReadOwner);
        if (how == "folder")
            QFile::setPermissions(path("cfg"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        s.write("Settings", "font", "Verdana");
        QVERIFY(!s.sync());
        QCOMPARE(s.read("Settings", "font", ""), QStringLiteral("Verdana"));
        if (how == "blocked")
            return;
        QCOMPARE(fileBytes(ini), QByteArray("[Settings]\nfont=Arial\n"));
        QVERIFY(QDir(path("cfg")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size() ==
                1);
        QFile::setPermissions(path("cfg"), rw);
        QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(s.sync());
        QCOMPARE(SettingsStore(ini).read("Settings", "font", ""), QStringLiteral("Verdana"));
    }

    // A disk that fills up during a save (here: a file size limit) leaves the old file whole.
    void fullDiskKeepsTheOldFile() {
        writeBytes(path(), "[Settings]\nfont=Arial\n");
        SettingsStore s(path());
        s.write("Paplet 1", "text", QString(100000, u'x'));
        rlimit old{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool synced = s.sync();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!synced);
        QCOMPARE(fileBytes(path()), QByteArray("[Settings]\nfont=Arial\n"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"paplt32.ini"});
        QVERIFY(s.sync());
        QCOMPARE(SettingsStore(path()).read("Paplet 1", "text", "").size(), 100000);
    }

    void newStoreIsPrivateWhateverTheUmask() {
        const mode_t old = ::umask(0);
        const QString ini = path("a/b/paplt32.ini");
        {
            SettingsStore s(ini);
            s.write("Settings", "Total", "0");
            QVERIFY(s.sync());
        }
        ::umask(old);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(ini).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0600));
        QCOMPARE(::stat(QFile::encodeName(path("a/b")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
        QCOMPARE(::stat(QFile::encodeName(path("a")).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
        // nothing else left beside the file
        QCOMPARE(QDir(path("a/b")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"paplt32.ini"});
    }

    // A save replaces the file whole: a reader that holds the old file keeps seeing the old one.
    void saveReplacesTheFileWhole() {
        writeBytes(path(), "[Settings]\nfont=Arial\n");
        QVERIFY(::link(QFile::encodeName(path()).constData(),
                       QFile::encodeName(path("old.ini")).constData()) == 0);
        SettingsStore s(path());
        s.write("Settings", "font", "Verdana");
        QVERIFY(s.sync());
        QCOMPARE(fileBytes(path("old.ini")), QByteArray("[Settings]\nfont=Arial\n"));
        QCOMPARE(SettingsStore(path()).read("Settings", "font", ""), QStringLiteral("Verdana"));
    }

    void unchangedStoreIsNotRewritten() {
        writeBytes(path(), "[Settings]\nfont=Arial\n; my notes\n");
        SettingsStore s(path());
        s.write("Settings", "font", "Arial");
        QVERIFY(s.sync());
        QCOMPARE(fileBytes(path()), QByteArray("[Settings]\nfont=Arial\n; my notes\n"));
    }
};

ZOVUZOR_TEST_MAIN(TestCoreStore)
#include "tst_core_store.moc"
