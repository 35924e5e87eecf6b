// Pictures of the settings dialog, the font and wave-file pickers and the about box for the documentation.
// Runs only when ZOVUZOR_SCREENSHOTS names the folder to write them to, e.g.
//   ZOVUZOR_SCREENSHOTS=docs QT_QPA_PLATFORM=offscreen build/tests/tst_prefs_screenshots
#include "testsupport.h"

#include "about/frmabout.h"
#include "prefs/frmfont.h"
#include "prefs/frmset.h"
#include "prefs/frmwave.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>

namespace {

void defaults(AppState& s) {
    s.font = QStringLiteral("DejaVu Sans");
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

// The dialog as the desktop shows it: its client area under a plain caption with its title.
QImage framed(QWidget& w) {
    const QPixmap body = w.grab();
    const qreal dpr = body.devicePixelRatio();
    const QSize bodySize = body.deviceIndependentSize().toSize();
    QFont titleFont = w.font();
    titleFont.setBold(true);
    const int caption = QFontMetrics(titleFont).height() + 10;
    const int border = 1;
    QImage out(QSize(bodySize.width() + 2 * border, bodySize.height() + caption + border) * dpr,
               QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(dpr);
    out.fill(QColor(60, 60, 60));
    QPainter p(&out);
    const QRectF title(border, border, bodySize.width(), caption - border);
    p.fillRect(title, QColor(48, 74, 120));
    p.setPen(Qt::white);
    p.setFont(titleFont);
    p.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, w.windowTitle());
    p.drawPixmap(QPointF(border, caption), body);
    p.end();
    return out;
}

void save(QWidget& w, const QString& name) {
    const QString path = QDir(qEnvironmentVariable("ZOVUZOR_SCREENSHOTS")).filePath(name);
    QVERIFY2(framed(w).save(path), qPrintable(path));
}

} // namespace

class TestPrefsScreenshots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("ZOVUZOR_SCREENSHOTS"))
            QSKIP("set ZOVUZOR_SCREENSHOTS to the folder for the pictures");
        QVERIFY(QDir().mkpath(qEnvironmentVariable("ZOVUZOR_SCREENSHOTS")));
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    }

    void settings() {
        TestApp t;
        defaults(t.state());
        FrmSet dlg(*t.app);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        save(dlg, QStringLiteral("settings.png"));
    }

    void font() {
        TestApp t;
        defaults(t.state());
        FrmFont dlg(*t.app);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTRY_VERIFY(dlg.listsFilled());
        dlg.cboftsize->setEditText(QStringLiteral("10"));
        save(dlg, QStringLiteral("font.png"));
    }

    void wave() {
        // A home folder of plain names, so the picture shows no random temporary names.
        QDir base(QDir::tempPath() + QStringLiteral("/zovuzor-docs"));
        base.removeRecursively();
        const QString user = base.filePath(QStringLiteral("home/user"));
        const QString sounds = user + QStringLiteral("/Music/Alarms");
        for (const char* folder : {"Desktop", "Documents", "Downloads", "Music/Alarms/Chimes",
                                   "Music/Podcasts", "Pictures", "Public", "Templates", "Videos", "Work"})
            QVERIFY(QDir().mkpath(user + u'/' + QLatin1String(folder)));
        for (const char* name : {"alarm.wav", "bell.WAV", "chime.wav", "gong.wav", "readme.txt"}) {
            QFile f(sounds + u'/' + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString before = QDir::currentPath();
        QDir::setCurrent(sounds);
        TestApp t;
        defaults(t.state());
        FrmWave dlg(*t.app);
        QDir::setCurrent(before);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTRY_COMPARE(dlg.fileModel->rowCount(dlg.File1->rootIndex()), 4);
        // Wait until every folder on the way to the sounds is read, so the tree shows all of them.
        for (QModelIndex i = dlg.dirModel->index(sounds); i.isValid(); i = i.parent()) {
            const QString path = dlg.dirModel->filePath(i);
            const int folders = int(QDir(path).entryList(QDir::AllDirs | QDir::NoDotAndDotDot).size());
            QTRY_VERIFY2(dlg.dirModel->rowCount(i) >= folders, qPrintable(path));
        }
        // The model sorts a moment after reading.
        const QModelIndex userIndex = dlg.dirModel->index(user);
        auto childNames = [&] {
            QStringList names;
            for (int r = 0; r < dlg.dirModel->rowCount(userIndex); ++r)
                names << dlg.dirModel->index(r, 0, userIndex).data().toString();
            return names;
        };
        QTRY_COMPARE(childNames(), (QStringList{"Desktop", "Documents", "Downloads", "Music", "Pictures",
                                                "Public", "Templates", "Videos", "Work"}));
        dlg.Dir1->scrollTo(dlg.dirModel->index(base.filePath(QStringLiteral("home"))),
                           QAbstractItemView::PositionAtTop);
        const QModelIndex bell = dlg.fileModel->index(sounds + QStringLiteral("/bell.WAV"));
        QTest::mouseClick(dlg.File1->viewport(), Qt::LeftButton, {}, dlg.File1->visualRect(bell).center());
        QVERIFY(dlg.cmdok->isEnabled());
        save(dlg, QStringLiteral("wave.png"));
        base.removeRecursively();
    }

    void about() {
        TestApp t;
        FrmAbout box(*t.app);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        save(box, QStringLiteral("about.png"));
    }
};

ZOVUZOR_TEST_MAIN(TestPrefsScreenshots)
#include "tst_prefs_screenshots.moc"
