#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

#include "platform/AppFolder.h"
#include "platform/Settings.h"

namespace platform {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // a lock left by a dead copy is taken over
}

bool SingleInstance::TryAcquire() {
    QDir().mkpath(QFileInfo(lock_->fileName()).absolutePath());
    return lock_->tryLock(0);
}

void SingleInstance::Release() {
    lock_->unlock();
}

QString SingleInstance::DefaultLockPath() {
    return QFileInfo(SettingsFile(AppTitle())).absolutePath() + QStringLiteral("/brivanta.lock");
}

}  // namespace platform
