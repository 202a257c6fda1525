#include "platform/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include "platform/AppFolder.h"

namespace platform {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // a lock left by a dead copy is taken over
}

SingleInstance::Issue SingleInstance::Prendre() {
    QDir().mkpath(QFileInfo(lock_->fileName()).absolutePath());
    if (lock_->tryLock(0)) return Issue::Pris;
    // Held only when a lock file of a live copy stands there; anything else
    // in its place (a folder, a file that is no lock) cannot be a copy.
    qint64 pid = 0;
    QString host, app;
    if (lock_->error() == QLockFile::LockFailedError && lock_->getLockInfo(&pid, &host, &app))
        return Issue::Occupe;
    return Issue::Impossible;
}

void SingleInstance::Release() {
    lock_->unlock();
}

QString SingleInstance::CheminCollection() {
    const QString real = QFileInfo(AppFile(QStringLiteral("db.mdb"))).canonicalFilePath();
    if (!real.isEmpty()) return real;
    // No collection yet: the folder's real path stands for it.
    const QFileInfo dir(AppPath());
    const QString folder = dir.canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(dir.absoluteFilePath()) : folder) +
           QStringLiteral("/db.mdb");
}

QString SingleInstance::DefaultLockPath() {
    // The user's runtime folder, else a folder of the user's own under /tmp.
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QDir::tempPath() + QStringLiteral("/brivanta-") + QString::number(::getuid());
    const QByteArray key =
        QCryptographicHash::hash(CheminCollection().toUtf8(), QCryptographicHash::Sha1).toHex();
    return base + QStringLiteral("/brivanta-") + QString::fromLatin1(key.left(20)) +
           QStringLiteral(".lock");
}

}  // namespace platform
