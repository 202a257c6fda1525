#include "platform/Remplacement.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>

namespace platform {

namespace {

const QString kMarque = QStringLiteral(".copie-brivanta-");

QByteArray Natif(const QString& path) {
    return QFile::encodeName(path);
}

// True when the path still names the file open as fd.
bool Meme(const QString& path, int fd) {
    struct stat a {
    }, b{};
    return ::stat(Natif(path).constData(), &a) == 0 && ::fstat(fd, &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QString Lettres() {
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < 6; ++i)
        s += QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(62)]);
    return s;
}

// The target as the rename must reach it: through its links, so that a
// linked file is replaced where it lies and the link stays.
QString Fin(const QString& cible) {
    QFileInfo f(cible);
    for (int i = 0; i < 40 && f.isSymLink(); ++i) f.setFile(f.symLinkTarget());
    return f.absoluteFilePath();
}

void SyncDossier(const QString& dossier) {
    const int d = ::open(Natif(dossier).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0) return;
    ::fsync(d);
    ::close(d);
}

}  // namespace

Remplacement::Remplacement(const QString& cible) : cible_(Fin(cible)) {}

Remplacement::~Remplacement() {
    Abandonner();
}

bool Remplacement::Ouvrir() {
    Abandonner();
    // What a copy killed on the way left beside the target goes first.
    Nettoyer(QFileInfo(cible_).absolutePath());
    const QFileInfo existant(cible_);
    if (existant.isDir() || (existant.exists() && !existant.isWritable())) return false;
    for (int essai = 0; essai < 20; ++essai) {
        const QString nom = cible_ + kMarque + Lettres();
        const int fd = ::open(Natif(nom).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        // Locked from the start: a cleaning never takes a file being written.
        // Should one have come between the creation and the lock, the name
        // is gone and another is taken.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !Meme(nom, fd)) {
            ::close(fd);
            continue;
        }
        // The target's own mode goes on to the file that replaces it.
        struct stat st {};
        if (::stat(Natif(cible_).constData(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
        fd_ = fd;
        temporaire_ = nom;
        return true;
    }
    return false;
}

bool Remplacement::Ecrire(const QByteArray& octets) {
    if (fd_ < 0) return false;
    const char* p = octets.constData();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(reste));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        reste -= n;
    }
    return true;
}

bool Remplacement::Valider() {
    if (fd_ < 0) return false;
    if (::fsync(fd_) != 0 || !Meme(temporaire_, fd_) ||
        ::rename(Natif(temporaire_).constData(), Natif(cible_).constData()) != 0) {
        Abandonner();
        return false;
    }
    SyncDossier(QFileInfo(cible_).absolutePath());
    ::close(fd_);
    fd_ = -1;
    temporaire_.clear();
    return true;
}

void Remplacement::Abandonner() {
    if (fd_ < 0) return;
    if (Meme(temporaire_, fd_)) ::unlink(Natif(temporaire_).constData());
    ::close(fd_);
    fd_ = -1;
    temporaire_.clear();
}

int Remplacement::Nettoyer(const QString& dossier) {
    static const QRegularExpression nom(QStringLiteral(R"(^.+\.copie-brivanta-[A-Za-z0-9]{6}$)"));
    int partis = 0;
    const QDir d(dossier);
    for (const QString& n : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!nom.match(n).hasMatch()) continue;
        const QString chemin = d.filePath(n);
        const int fd = ::open(Natif(chemin).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        // Unlocked: no copy writes it any more.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            Meme(chemin, fd) && ::unlink(Natif(chemin).constData()) == 0)
            ++partis;
        ::close(fd);
    }
    return partis;
}

}  // namespace platform
