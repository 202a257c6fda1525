#pragma once

#include <QString>

namespace platform {

// The running-copy test. The first copy on a collection holds two locks for
// as long as it runs:
// - one on the collection file itself (one byte of db.mdb that the database
//   engine never locks), which every name of that file meets: a link, a hard
//   link, a bind mount, another folder;
// - one on a lock file beside the collection's real path (db.mdb.verrou),
//   which stands for the collection when db.mdb is not there yet or cannot
//   be opened for writing, and which the program's earlier copies lock.
// Either held by another copy refuses this one; either taken is enough to
// run alone. The locks go with the copy that held them, however it ends.
class SingleInstance {
public:
    enum class Issue {
        Pris,       // this copy holds the lock
        Occupe,     // a running copy holds it
        Impossible  // the lock cannot be made here; no running copy is known
    };
    // The lock file of a collection: its path followed by ".verrou".
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Issue Prendre();
    // False when the lock could not be taken, for whatever reason.
    bool TryAcquire() { return Prendre() == Issue::Pris; }
    void Release();
    QString LockPath() const { return path_; }
    // After Impossible: what keeps the lock file from being made, in words
    // that follow "le fichier de verrou « … »".
    QString Raison() const { return raison_; }

    // A restore puts a new file in place of the collection. The new file is
    // locked before it takes the collection's name (Preparer, given the
    // file as it is written), so that no copy comes in between; Conclure
    // says whether the rename was made, and the lock of the file that is no
    // longer the collection goes, or the one of the new file that never
    // became it.
    void Preparer(const QString& nouveau);
    void Conclure(bool remplace);

    // The lock of the application folder's collection, beside it.
    static QString DefaultLockPath();
    // The collection the lock stands for: db.mdb of the application folder,
    // links resolved.
    static QString CheminCollection();

private:
    Issue PrendreFichierVerrou();

    QString path_;
    QString collection_;
    int fd_ = -1;       // the lock file
    int fichier_ = -1;  // the collection file
    int suivant_ = -1;  // the file a restore is putting in its place
    QString raison_;
};

}  // namespace platform
