#pragma once
// Makes sure only one copy of the program runs per user: the first start takes
// a lock file named after "Morv" in the user's runtime folder and holds it
// until it ends. A start that finds the lock held by a running copy is the
// second instance. A first instance that crashed leaves a lock file behind but
// not a held lock: its process is gone (and the kernel dropped its file lock),
// so the next start clears the leftover file and takes over.
#include <QString>
#include <memory>

class QLockFile;

class SingleInstance {
 public:
  enum class Result {
    First,           // this process now holds the lock
    AlreadyRunning,  // another running process holds it
    Unavailable,     // the lock file could not be made (no folder, no right): treat as first
  };

  explicit SingleInstance(const QString& lockPath = defaultLockPath());
  ~SingleInstance();  // releases the lock if held
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // <runtime folder>/Morv.lock; the temporary folder when there is no runtime folder.
  static QString defaultLockPath();

  // Non-blocking. Calling it again while holding the lock returns First.
  Result tryAcquire();
  bool holds() const;
  void release();
  QString lockPath() const { return path_; }

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};
