#pragma once

#include <QString>

namespace platform {

// The running-copy test: the first copy holds a lock on a file beside its
// collection (the real path of the application folder's db.mdb, with
// ".verrou") for as long as it runs. Every copy on that collection meets
// the same file, whatever its settings file, its session or its user; the
// lock goes with the copy that held it, however it ends.
class SingleInstance {
public:
    enum class Issue {
        Pris,       // this copy holds the lock
        Occupe,     // a running copy holds it
        Impossible  // the lock cannot be made here; no running copy is known
    };
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Issue Prendre();
    // False when the lock could not be taken, for whatever reason.
    bool TryAcquire() { return Prendre() == Issue::Pris; }
    void Release();
    QString LockPath() const { return path_; }
    // The lock of the application folder's collection, beside it.
    static QString DefaultLockPath();
    // The collection the lock stands for: db.mdb of the application folder,
    // links resolved.
    static QString CheminCollection();

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace platform
