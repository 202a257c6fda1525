#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// The running-copy test: the first copy holds a lock tied to its collection
// (the real path of the application folder's db.mdb) for as long as it
// runs, whatever settings file each copy uses.
class SingleInstance {
public:
    enum class Issue {
        Pris,       // this copy holds the lock
        Occupe,     // a running copy holds it
        Impossible  // the lock cannot be made here; no running copy is known
    };
    explicit SingleInstance(const QString& lockPath);
    Issue Prendre();
    // False when the lock could not be taken, for whatever reason.
    bool TryAcquire() { return Prendre() == Issue::Pris; }
    void Release();
    // The lock of the application folder's collection, in the user's
    // runtime folder.
    static QString DefaultLockPath();
    // The collection the lock stands for: db.mdb of the application folder,
    // links resolved.
    static QString CheminCollection();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
