#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A whole file put in place of another, or made anew: it is written beside
// its target under a name of ours (the target's name, ".copie-brivanta-"
// and six letters), held locked while written, and renamed over the target
// only once complete and on the disk. A failure leaves the target as it
// was; a copy killed on the way leaves only that file, unlocked, which
// Nettoyer removes at a later operation.
class Remplacement {
public:
    explicit Remplacement(const QString& cible);
    ~Remplacement();  // abandons what was not validated
    Remplacement(const Remplacement&) = delete;
    Remplacement& operator=(const Remplacement&) = delete;

    // Cleans the target's folder (Nettoyer) and opens the file to write.
    // False when the target cannot be replaced (a read-only file, a
    // folder) or nothing can be written beside it.
    bool Ouvrir();
    bool Ecrire(const QByteArray& octets);
    // Puts the written file in place of the target.
    bool Valider();
    void Abandonner();
    // The file being written (empty before Ouvrir).
    QString Temporaire() const { return temporaire_; }

    // Removes the files of ours left in the folder by a copy that ended
    // before renaming them; those still being written stay. Returns how
    // many went.
    static int Nettoyer(const QString& dossier);

private:
    QString cible_;
    QString temporaire_;
    int fd_ = -1;
};

}  // namespace platform
