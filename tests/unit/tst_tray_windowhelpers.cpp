#include "testsupport.h"

#include "tray/windowhelpers.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

class TestTrayWindowHelpers : public QObject {
    Q_OBJECT
private slots:
    // The band changes on the native window, which is kept (a re-created window would be re-mapped and
    // activated), and position, size and visibility stay as they were.
    void topmostKeepsWindowPlaceAndNativeWindow() {
        QWidget w;
        w.setGeometry(120, 80, 200, 150);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const WId id = w.winId();
        const QRect geometry = w.geometry();
        const Qt::WindowFlags widgetFlags = w.windowFlags();

        settopmost(&w);
        QVERIFY(isTopmost(&w));
        QCOMPARE(w.winId(), id);
        QCOMPARE(w.geometry(), geometry);
        QVERIFY(w.isVisible());

        // hidden and shown again, it stays in the band
        w.hide();
        w.show();
        QVERIFY(isTopmost(&w));

        setnottopmost(&w);
        QVERIFY(!isTopmost(&w));
        QCOMPARE(w.winId(), id);
        QCOMPARE(w.geometry(), geometry);
        QCOMPARE(w.windowFlags(), widgetFlags);
    }

    // (Whether the window manager leaves the focus alone is seen on a real desktop; the offscreen platform
    // activates every window it shows.)
    void topmostShowsHiddenWindow() {
        QWidget w;
        w.resize(100, 60);
        QVERIFY(!isTopmost(&w));
        settopmost(&w);
        QVERIFY(w.isVisible());
        QVERIFY(isTopmost(&w));
        QVERIFY(!w.testAttribute(Qt::WA_ShowWithoutActivating)); // restored after the show
    }

    void nullWindowIsIgnored() {
        settopmost(nullptr);
        setnottopmost(nullptr);
        keepOutOfTaskbar(nullptr);
        centreOnScreen(nullptr);
        QVERIFY(!isTopmost(nullptr));
    }

    void centresOuterFrameOnAvailableArea() {
        QWidget w;
        w.resize(300, 200);
        centreOnScreen(&w);
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = w.frameGeometry();
        QVERIFY(qAbs(frame.center().x() - avail.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - avail.center().y()) <= 1);
    }

    // Off X11 nothing is written, but the window still shows normally and is not turned into a tool window
    // (which X11 window managers neither keep out of the taskbar nor place reliably).
    void keepOutOfTaskbarKeepsAnOrdinaryWindow() {
        QWidget w;
        keepOutOfTaskbar(&w);
        keepOutOfTaskbar(&w); // twice is harmless
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
#ifndef Q_OS_WIN
        QCOMPARE(w.windowType(), Qt::Window);
#endif
    }
};

ZOVUZOR_TEST_MAIN(TestTrayWindowHelpers)
#include "tst_tray_windowhelpers.moc"
