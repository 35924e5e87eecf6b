#pragma once

#include <QString>
#include <memory>

class QLockFile;

// One running instance per user: a lock file in the user's config folder. A lock left behind by a crashed
// instance is taken over.
class InstanceGuard {
public:
    explicit InstanceGuard(const QString& lockPath = defaultLockPath());
    ~InstanceGuard();
    // True when this process now holds the lock; false when another instance of this user runs.
    bool acquire();
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
};
