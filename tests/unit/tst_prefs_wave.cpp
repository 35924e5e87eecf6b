// The wave-file picker: the path OK composes, when OK can be pressed, which files are listed, and the
// lists' behaviour on folders that cannot be read.
#include "testsupport.h"

#include "prefs/frmset.h"
#include "prefs/frmwave.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeView>

namespace {

void defaults(AppState& s) {
    s.font = QStringLiteral("Arial");
    s.fontsize = QStringLiteral("10");
    s.fontbold = QStringLiteral("0");
    s.backcolor = QStringLiteral("14");
    s.forecolor = QStringLiteral("0");
    s.confirmdelete = QStringLiteral("True");
    s.wave = QStringLiteral("none");
    s.wavedevs = 1;
}

// A folder with two wave files (one named in capitals), a text file and a subfolder with one more wave.
struct SoundFolder {
    QTemporaryDir dir;
    SoundFolder() {
        for (const char* name : {"a.wav", "B.WAV", "c.txt", "sub/inner.Wav"}) {
            const QString path = dir.filePath(QLatin1String(name));
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write("RIFF");
        }
    }
    QString path() const { return dir.path(); }
};

QStringList listedFiles(const FrmWave& dlg) {
    QStringList names;
    const QAbstractItemModel* m = dlg.File1->model();
    if (!m)
        return names;
    const QModelIndex root = dlg.File1->rootIndex();
    for (int r = 0; r < m->rowCount(root); ++r)
        names << m->index(r, 0, root).data().toString();
    names.sort();
    return names;
}

void clickFile(FrmWave& dlg, const QString& name) {
    const QModelIndex root = dlg.File1->rootIndex();
    const QAbstractItemModel* m = dlg.File1->model();
    QVERIFY(m);
    for (int r = 0; r < m->rowCount(root); ++r) {
        const QModelIndex i = m->index(r, 0, root);
        if (i.data().toString() == name) {
            dlg.File1->scrollTo(i);
            QTest::mouseClick(dlg.File1->viewport(), Qt::LeftButton, {}, dlg.File1->visualRect(i).center());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("not listed: ") + name));
}

// Shows the picker on `folder` and waits until its wave files are listed.
void showOn(FrmWave& dlg, const QString& folder, int expected) {
    dlg.setDirectory(folder);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTRY_COMPARE_WITH_TIMEOUT(listedFiles(dlg).size(), expected, 5000);
}

} // namespace

class TestPrefsWave : public QObject {
    Q_OBJECT
private slots:
    void composePath_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("path");
        QTest::newRow("root of a drive") << "C:\\"
                                         << "ding.wav"
                                         << "C:\\ding.wav";
        QTest::newRow("folder on a drive") << "C:\\SOUNDS"
                                           << "ding.wav"
                                           << "C:\\SOUNDS\\ding.wav";
        QTest::newRow("deeper folder") << "D:\\media\\alarm"
                                       << "Bell.WAV"
                                       << "D:\\media\\alarm\\Bell.WAV";
        QTest::newRow("unix root") << "/"
                                   << "ding.wav" << QDir::toNativeSeparators("/ding.wav");
        QTest::newRow("unix folder") << "/usr/share/sounds"
                                     << "ding.wav" << QDir::toNativeSeparators("/usr/share/sounds/ding.wav");
        QTest::newRow("blank in names")
            << "/home/me/my sounds"
            << "a b.wav" << QDir::toNativeSeparators("/home/me/my sounds/a b.wav");
    }
    void composePath() {
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QTEST(FrmWave::composePath(dir, file), "path");
    }

    void textsByLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts"); // title, Label1, Label2, Label3, OK, Cancel
        QTest::newRow("English") << 0 << QStringList{"select wave file", "Files:", "Directories:",
                                                     "Drives:",          "OK",     "Cancel"};
        QTest::newRow("German") << 1 << QStringList{QString::fromUtf8("Wave-Datei auswählen"),
                                                    "Dateien:",
                                                    "Verzeichnisse:",
                                                    "Laufwerke:",
                                                    "OK",
                                                    "Abbruch"};
    }
    void textsByLanguage() {
        QFETCH(int, language);
        TestApp t;
        defaults(t.state());
        t.state().language = qint16(language);
        FrmWave dlg(*t.app);
        QCOMPARE(dlg.objectName(), QStringLiteral("frmwave"));
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
        const QStringList shown{dlg.windowTitle(),  dlg.Label1->text(), dlg.Label2->text(),
                                dlg.Label3->text(), dlg.cmdok->text(),  dlg.cmdcancel->text()};
        QTEST(shown, "texts");
    }

    void opensOnTheCurrentFolder() {
        SoundFolder folder;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        TestApp t;
        defaults(t.state());
        FrmWave dlg(*t.app);
        QDir::setCurrent(before);
        QCOMPARE(dlg.filePath(), QDir::toNativeSeparators(QDir(folder.path()).canonicalPath()));
        QVERIFY(dlg.Drive1->count() >= 1);
        // A system without a mount table (a bare chroot) has no volume to select.
        if (const QStorageInfo volume(folder.path()); volume.isValid())
            QCOMPARE(dlg.Drive1->currentText(), QDir::toNativeSeparators(volume.rootPath()));
        QCOMPARE(dlg.Dir1->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                 QDir(folder.path()).canonicalPath());
        QVERIFY(!dlg.cmdok->isEnabled());
    }

    void listsWaveFilesWhateverTheirCase() {
        SoundFolder folder;
        TestApp t;
        defaults(t.state());
        FrmWave dlg(*t.app);
        showOn(dlg, folder.path(), 2);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(listedFiles(dlg), (QStringList{"B.WAV", "a.wav"}));
        // Opening the subfolder in the tree lists its files.
        dlg.Dir1->setCurrentIndex(dlg.dirModel->index(folder.dir.filePath(QStringLiteral("sub"))));
        QTRY_COMPARE(listedFiles(dlg), QStringList{"inner.Wav"});
    }

    void okWaitsForAFileAndWritesItsPath() {
        SoundFolder folder;
        TestApp t;
        defaults(t.state());
        FrmSet owner(*t.app);
        FrmWave dlg(*t.app, &owner);
        showOn(dlg, folder.path(), 2);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!dlg.cmdok->isEnabled());
        dlg.onCmdokClicked(); // nothing chosen yet: nothing happens
        QCOMPARE(t.state().wave, QStringLiteral("none"));
        QVERIFY(dlg.isVisible());

        clickFile(dlg, QStringLiteral("B.WAV"));
        QVERIFY(dlg.cmdok->isEnabled());
        QCOMPARE(dlg.selectedFileName(), QStringLiteral("B.WAV"));
        QTest::mouseClick(dlg.cmdok, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        const QString expected = QDir::toNativeSeparators(QDir(folder.path()).canonicalPath() + "/B.WAV");
        QCOMPARE(t.state().wave, expected);
        QCOMPARE(owner.lblwave->text(), expected);
    }

    void anotherFolderTakesTheChoiceAway() {
        SoundFolder folder;
        TestApp t;
        defaults(t.state());
        FrmWave dlg(*t.app);
        showOn(dlg, folder.path(), 2);
        if (QTest::currentTestFailed())
            return;
        clickFile(dlg, QStringLiteral("a.wav"));
        QVERIFY(dlg.cmdok->isEnabled());
        dlg.setDirectory(folder.dir.filePath(QStringLiteral("sub")));
        QVERIFY(!dlg.cmdok->isEnabled());
        QCOMPARE(dlg.selectedFileName(), QString());
        QTRY_COMPARE(listedFiles(dlg), QStringList{"inner.Wav"});
        clickFile(dlg, QStringLiteral("inner.Wav"));
        QVERIFY(dlg.cmdok->isEnabled());
    }

    void cancelChangesNothing() {
        SoundFolder folder;
        TestApp t;
        defaults(t.state());
        t.state().wave = QStringLiteral("/old/bell.wav");
        FrmSet owner(*t.app);
        FrmWave dlg(*t.app, &owner);
        showOn(dlg, folder.path(), 2);
        if (QTest::currentTestFailed())
            return;
        clickFile(dlg, QStringLiteral("a.wav"));
        QTest::mouseClick(dlg.cmdcancel, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(t.state().wave, QStringLiteral("/old/bell.wav"));
        QCOMPARE(owner.lblwave->text(), QStringLiteral("/old/bell.wav"));
    }

    void aFolderThatCannotBeReadShowsNoFiles() {
        TestApp t;
        defaults(t.state());
        // Made before the dialog opens: a folder that appears beside the current one while the tree is
        // reading their parent may be listed late.
        SoundFolder folder;
        FrmWave dlg(*t.app);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QString missing = QDir::tempPath() + QStringLiteral("/zovuzor-no-such-folder/deeper");
        dlg.setDirectory(missing);
        QCOMPARE(dlg.filePath(), QDir::toNativeSeparators(missing));
        QCOMPARE(listedFiles(dlg), QStringList());
        QVERIFY(!dlg.cmdok->isEnabled());
        dlg.onCmdokClicked();
        QCOMPARE(t.state().wave, QStringLiteral("none"));
        // A readable folder afterwards lists again.
        dlg.setDirectory(folder.path());
        QTRY_COMPARE(listedFiles(dlg).size(), 2);
    }
};

ZOVUZOR_TEST_MAIN(TestPrefsWave)
#include "tst_prefs_wave.moc"
