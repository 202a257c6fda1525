#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// The running-copy test: the first copy holds a lock file beside the
// settings store for as long as it runs.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath);
    // False when another live copy holds the lock.
    bool TryAcquire();
    void Release();
    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
