#include "support/PetitDisque.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace {
QString Erreur(const char* quoi) {
    return QStringLiteral("%1 : %2").arg(QString::fromLatin1(quoi),
                                         QString::fromLocal8Bit(std::strerror(errno)));
}
// Once per process: the main thread gets mounts of its own, which
// propagate nowhere. Empty when it has them, else why not.
QString EspacePropre() {
    static const QString espace = [] {
        if (::unshare(CLONE_NEWNS) != 0) return Erreur("unshare");
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return Erreur("mount --make-rprivate");
        return QString();
    }();
    return espace;
}
}  // namespace

PetitDisque::PetitDisque(qint64 octets) {
    const QString espace = EspacePropre();
    if (!espace.isEmpty()) {
        pourquoi_ = espace;
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(octets) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(point_.path()).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        pourquoi_ = Erreur("mount tmpfs");
        return;
    }
    pret_ = true;
}

PetitDisque::~PetitDisque() {
    if (pret_) ::umount2(QFile::encodeName(point_.path()).constData(), MNT_DETACH);
}

bool PetitDisque::Remplir() {
    QFile f(Dir() + QStringLiteral("/.plein"));
    if (!f.open(QIODevice::WriteOnly)) return false;
    const QByteArray bloc(4096, 'x');
    while (f.write(bloc) == bloc.size() && f.flush()) {
    }
    // The last partial block too, down to the last byte.
    const QByteArray octet(1, 'x');
    while (f.write(octet) == 1 && f.flush()) {
    }
    return true;
}

bool PetitDisque::LectureSeule() {
    return ::mount(nullptr, QFile::encodeName(Dir()).constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
}

Liaison::Liaison(const QString& fichier, const QString& autreNom) : cible_(autreNom) {
    pourquoi_ = EspacePropre();
    if (!pourquoi_.isEmpty()) return;
    // The mount point must exist as a file.
    QFile point(autreNom);
    if (!point.exists() && !point.open(QIODevice::WriteOnly)) {
        pourquoi_ = QStringLiteral("%1 ne peut pas être créé").arg(autreNom);
        return;
    }
    point.close();
    if (::mount(QFile::encodeName(fichier).constData(), QFile::encodeName(autreNom).constData(),
                nullptr, MS_BIND, nullptr) != 0) {
        pourquoi_ = Erreur("mount --bind");
        return;
    }
    pret_ = true;
}

Liaison::~Liaison() {
    if (pret_) ::umount2(QFile::encodeName(cible_).constData(), MNT_DETACH);
}
