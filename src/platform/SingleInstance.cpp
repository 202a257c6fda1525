#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "platform/AppFolder.h"

namespace platform {

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

SingleInstance::~SingleInstance() {
    Release();
}

SingleInstance::Issue SingleInstance::Prendre() {
    if (fd_ >= 0) return Issue::Pris;
    const QByteArray path = QFile::encodeName(path_);
    // The file stays once made: taking the lock never races with its
    // removal. In a folder where it cannot be made, or made by another
    // user, it is opened for reading, which is enough to lock it.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return Issue::Impossible;
    struct stat st {};
    // Anything else in its place (a folder, a device) cannot be a copy.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Issue::Impossible;
    }
    // Every user of the collection must be able to open it.
    if (st.st_uid == ::geteuid() && (st.st_mode & 0444) != 0444)
        ::fchmod(fd, (st.st_mode & 07777) | 0444);
    // The lock belongs to this open file: it goes when the copy ends, even
    // killed, and no process started by the program inherits it.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return Issue::Pris;
    }
    const int why = errno;
    ::close(fd);
    return why == EWOULDBLOCK ? Issue::Occupe : Issue::Impossible;
}

void SingleInstance::Release() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
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
    return CheminCollection() + QStringLiteral(".verrou");
}

}  // namespace platform
