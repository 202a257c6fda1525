#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder on a small file system of its own, to fill a disk or make it
// read-only for real: a tmpfs mounted in a mount namespace of the test's
// main thread, so that nothing is left mounted when the test ends however
// it ends. Only a process allowed to mount can make one; elsewhere Pret()
// is false and Pourquoi() says why, for the test to skip.
class PetitDisque {
public:
    explicit PetitDisque(qint64 octets);
    ~PetitDisque();
    PetitDisque(const PetitDisque&) = delete;
    PetitDisque& operator=(const PetitDisque&) = delete;

    bool Pret() const { return pret_; }
    QString Pourquoi() const { return pourquoi_; }
    QString Dir() const { return point_.path(); }

    // Takes every free byte with a file of its own.
    bool Remplir();
    // The file system becomes read-only.
    bool LectureSeule();

private:
    QTemporaryDir point_;
    bool pret_ = false;
    QString pourquoi_;
};

// One file seen under a second name through a bind mount, in the same
// mount namespace of the test's own as PetitDisque's (processes the test
// starts see it too); undone when it goes. Where the test may not mount,
// Pret() is false and Pourquoi() says why.
class Liaison {
public:
    Liaison(const QString& fichier, const QString& autreNom);
    ~Liaison();
    Liaison(const Liaison&) = delete;
    Liaison& operator=(const Liaison&) = delete;

    bool Pret() const { return pret_; }
    QString Pourquoi() const { return pourquoi_; }

private:
    QString cible_;
    bool pret_ = false;
    QString pourquoi_;
};
