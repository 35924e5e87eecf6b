#include "testsupport.h"

#include "tray/frmmain.h"

class TestSkeleton : public QObject {
    Q_OBJECT
private slots:
    void appCreatesMainWindowOnFirstUse() {
        TestApp t;
        QVERIFY(!t.app->frmmainLoaded());
        t.app->frmmain();
        QVERIFY(t.app->frmmainLoaded());
    }
};

ZOVUZOR_TEST_MAIN(TestSkeleton)
#include "tst_skeleton.moc"
