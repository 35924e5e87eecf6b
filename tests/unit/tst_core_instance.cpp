#include "testsupport.h"

#include "core/instanceguard.h"
#include "core/settingsstore.h"

#include <QProcess>
#include <sys/stat.h>

namespace {
// Starts this test program as another instance that takes the lock and holds it until killed.
bool startHolder(QProcess& child, const QString& lockPath) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOVUZOR_CHILD_LOCK", lockPath);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("childHoldsLock")});
    if (!child.waitForStarted(30000))
        return false;
    QByteArray out;
    QDeadlineTimer deadline(30000);
    while (!out.contains("HOLDING") && !deadline.hasExpired()) {
        if (child.state() != QProcess::Running)
            return false;
        child.waitForReadyRead(200);
        out += child.readAllStandardOutput();
    }
    return out.contains("HOLDING");
}
} // namespace

class TestCoreInstance : public QObject {
    Q_OBJECT
private slots:
    void lockLivesBesideTheStore() {
        QCOMPARE(InstanceGuard::defaultLockPath(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/paplt32/zovuzor.lock"));
        QVERIFY(!QFileInfo::exists(QFileInfo(InstanceGuard::defaultLockPath()).path()));
        InstanceGuard guard;
        QVERIFY(guard.acquire());
        struct stat st {};
        QCOMPARE(
            ::stat(QFile::encodeName(QFileInfo(InstanceGuard::defaultLockPath()).path()).constData(), &st),
            0);
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
    }

    void secondInstanceIsRefusedAndCrashedOneTakenOver() {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("zovuzor.lock"));
        QProcess holder;
        QVERIFY(startHolder(holder, lock));
        {
            InstanceGuard second(lock);
            QVERIFY(!second.acquire());
        }
        // The first instance dies without cleaning up: its lock file stays behind with a dead PID.
        holder.kill();
        QVERIFY(holder.waitForFinished(30000));
        QVERIFY(QFileInfo::exists(lock));
        InstanceGuard next(lock);
        QVERIFY(next.acquire());
        // and while this one holds it, yet another is refused
        QVERIFY(!InstanceGuard(lock).acquire());
    }

    void childHoldsLock() {
        const QString lock = qEnvironmentVariable("ZOVUZOR_CHILD_LOCK");
        if (lock.isEmpty())
            QSKIP("runs as the other instance of secondInstanceIsRefusedAndCrashedOneTakenOver");
        InstanceGuard guard(lock);
        QVERIFY(guard.acquire());
        QTextStream(stdout) << "HOLDING" << Qt::endl;
        QThread::sleep(120); // until the parent kills this process
    }
};

ZOVUZOR_TEST_MAIN(TestCoreInstance)
#include "tst_core_instance.moc"
