#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath), lock_(std::make_unique<QLockFile>(lockPath)) {}

SingleInstance::~SingleInstance() = default;  // QLockFile unlocks in its destructor

QString SingleInstance::defaultLockPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QDir(folder).filePath(QStringLiteral("Morv.lock"));
}

SingleInstance::Result SingleInstance::tryAcquire() {
  if (lock_->isLocked()) return Result::First;
  // QLockFile removes a lock file whose owner process no longer runs. A file
  // older than its stale time is only removed when no process still holds the
  // kernel lock on it, so a long-running first instance is never taken over.
  if (lock_->tryLock(0)) return Result::First;
  return lock_->error() == QLockFile::LockFailedError ? Result::AlreadyRunning : Result::Unavailable;
}

bool SingleInstance::holds() const { return lock_->isLocked(); }

void SingleInstance::release() { lock_->unlock(); }
