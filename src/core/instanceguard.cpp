#include "instanceguard.h"

#include "settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

InstanceGuard::InstanceGuard(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Only a running process holds the lock; a lock whose process is gone is taken over at once,
    // however young it is.
    m_lock->setStaleLockTime(0);
}

InstanceGuard::~InstanceGuard() = default;

bool InstanceGuard::acquire() {
    if (m_lock->isLocked())
        return true;
    const QString folder = QFileInfo(m_lock->fileName()).absolutePath();
    if (!QDir(folder).exists() && QDir().mkpath(folder))
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (m_lock->tryLock(0))
        return true;
    // Only a lock held by another live process means another instance. A folder where no lock can be
    // made says nothing about other instances and must not keep the program from starting.
    return m_lock->error() != QLockFile::LockFailedError;
}

QString InstanceGuard::defaultLockPath() {
    return QFileInfo(SettingsStore::defaultPath()).absoluteDir().filePath(QStringLiteral("zovuzor.lock"));
}
