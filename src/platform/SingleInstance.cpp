#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/AppFolder.h"

namespace platform {

namespace {

const QString kSuffixe = QStringLiteral(".verrou");

// The byte of the collection file that the running copy locks. SQLite
// locks the 512 bytes from 1 GiB on; this one lies 1 MiB past them. The
// lock is an open-file-description lock: SQLite's own locks on other bytes
// never meet it, closing SQLite's handles does not drop it, and a second
// opening in the same process conflicts with it as another process does.
// (flock would be simpler, but on NFS it is a lock of the whole file, which
// SQLite's byte locks would then run into.)
constexpr off_t kOctet = 0x40000000 + 0x100000;

QByteArray Natif(const QString& path) {
    return QFile::encodeName(path);
}

// Locks the file open as fd for this copy.
SingleInstance::Issue Verrouiller(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = kOctet;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &fl) == 0) return SingleInstance::Issue::Pris;
    return errno == EAGAIN || errno == EACCES ? SingleInstance::Issue::Occupe
                                              : SingleInstance::Issue::Impossible;
}

// Opens and locks the collection file; *fd holds it when taken. A
// collection that is missing, not a plain file or not writable here gives
// Impossible: the lock file alone stands for it.
SingleInstance::Issue VerrouillerCollection(const QString& chemin, int* fd) {
    const int f = ::open(Natif(chemin).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (f < 0) return SingleInstance::Issue::Impossible;
    struct stat st {};
    if (::fstat(f, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(f);
        return SingleInstance::Issue::Impossible;
    }
    const SingleInstance::Issue issue = Verrouiller(f);
    if (issue == SingleInstance::Issue::Pris)
        *fd = f;
    else
        ::close(f);
    return issue;
}

void Fermer(int* fd) {
    if (*fd < 0) return;
    ::close(*fd);
    *fd = -1;
}

// Why a file cannot be made in its folder, after "ne peut pas être créé".
QString Pourquoi(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return QStringLiteral("son dossier est protégé en écriture");
        case EROFS:
            return QStringLiteral("son disque est en lecture seule");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("son disque est plein");
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("son dossier n'existe pas");
        default:
            return QString::fromLocal8Bit(std::strerror(err));
    }
}

// Puts a new empty lock file in place of an entry that is not a plain file
// (a link, dangling or not, a pipe, a socket), never writing through it.
// Copies that find the same entry at once take turns on the folder, so
// that one of them only replaces it: the one that comes second finds the
// first one's file. Returns 0, or the errno of what failed.
int Remplacer(const QString& path) {
    const QString dossier = QFileInfo(path).absolutePath();
    const int d = ::open(Natif(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool tour = false;
    // Another copy holds the folder only while it replaces the entry.
    for (int essai = 0; d >= 0 && essai < 100 && !tour; ++essai) {
        tour = ::flock(d, LOCK_EX | LOCK_NB) == 0;
        if (!tour) QThread::msleep(10);
    }
    int err = 0;
    struct stat st {};
    if (::lstat(Natif(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) &&
        !S_ISDIR(st.st_mode)) {
        // Named as the replacement copies are, so that one left by a copy
        // killed on the way is cleaned with them.
        QByteArray modele = Natif(path + QStringLiteral(".copie-brivanta-XXXXXX"));
        const int f = ::mkostemp(modele.data(), O_CLOEXEC);
        if (f < 0) {
            err = errno;
        } else {
            ::flock(f, LOCK_EX);
            ::fchmod(f, 0644);
            if (::rename(modele.constData(), Natif(path).constData()) != 0) {
                err = errno;
                ::unlink(modele.constData());
            }
            ::close(f);
        }
    }
    if (d >= 0) ::close(d);
    return err;
}

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath)
    : path_(lockPath),
      collection_(lockPath.endsWith(kSuffixe) ? lockPath.chopped(kSuffixe.size()) : QString()) {}

SingleInstance::~SingleInstance() {
    Release();
}

SingleInstance::Issue SingleInstance::Prendre() {
    if (fd_ >= 0 || fichier_ >= 0) return Issue::Pris;
    raison_.clear();
    const Issue verrou = PrendreFichierVerrou();
    if (verrou == Issue::Occupe) return Issue::Occupe;
    const Issue fichier =
        collection_.isEmpty() ? Issue::Impossible : VerrouillerCollection(collection_, &fichier_);
    if (fichier == Issue::Occupe) {
        Fermer(&fd_);
        return Issue::Occupe;
    }
    if (verrou == Issue::Pris || fichier == Issue::Pris) {
        raison_.clear();
        return Issue::Pris;
    }
    return Issue::Impossible;
}

SingleInstance::Issue SingleInstance::PrendreFichierVerrou() {
    const QByteArray path = Natif(path_);
    // Once replaced, an entry that was not a plain file is tried again; a
    // third time means something keeps putting one there.
    for (int essai = 0; essai < 3; ++essai) {
        struct stat st {};
        if (::lstat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            if (S_ISDIR(st.st_mode)) {
                raison_ = QStringLiteral("est un dossier et non un fichier");
                return Issue::Impossible;
            }
            const int err = Remplacer(path_);
            if (err != 0) {
                raison_ = (S_ISLNK(st.st_mode)
                               ? QStringLiteral("est un lien symbolique, qui ne peut pas être "
                                                "remplacé par un fichier : ")
                               : QStringLiteral("n'est pas un fichier ordinaire, et ne peut pas "
                                                "être remplacé par un fichier : ")) +
                          Pourquoi(err);
                return Issue::Impossible;
            }
            continue;
        }
        // The file stays once made: taking the lock never races with its
        // removal. In a folder where it cannot be made, or made by another
        // user, it is opened for reading, which is enough to lock it.
        int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        const int errCreation = errno;
        if (fd < 0 && errCreation == ELOOP) continue;  // a link came in between
        if (fd < 0) fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ELOOP) continue;
            raison_ = QStringLiteral("ne peut pas être créé : ") + Pourquoi(errCreation);
            return Issue::Impossible;
        }
        // Anything else in its place (a folder, a pipe) cannot be a copy.
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            continue;
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
        if (why == EWOULDBLOCK) return Issue::Occupe;
        raison_ = QStringLiteral("ne peut pas être verrouillé : ") + Pourquoi(why);
        return Issue::Impossible;
    }
    raison_ = QStringLiteral("est sans cesse remplacé par autre chose qu'un fichier");
    return Issue::Impossible;
}

void SingleInstance::Release() {
    Fermer(&fd_);
    Fermer(&fichier_);
    Fermer(&suivant_);
}

void SingleInstance::Preparer(const QString& nouveau) {
    Fermer(&suivant_);
    if (VerrouillerCollection(nouveau, &suivant_) != Issue::Pris) Fermer(&suivant_);
}

void SingleInstance::Conclure(bool remplace) {
    if (!remplace) {
        Fermer(&suivant_);
        return;
    }
    // The file that was the collection is one no longer.
    Fermer(&fichier_);
    fichier_ = suivant_;
    suivant_ = -1;
    // A new file that could not be locked before its rename is locked now.
    if (fichier_ < 0 && !collection_.isEmpty()) VerrouillerCollection(collection_, &fichier_);
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
    return CheminCollection() + kSuffixe;
}

}  // namespace platform
