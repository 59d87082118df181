#pragma once
// The two file-system operations that RenameNoReplace is built from, inside one
// folder. The real ones are system calls; tests put in a file system that
// ignores case or fails on purpose, to check that the case-only rename never
// leaves the file under its temporary name.
#include "RenameNoReplace.h"

class RenameSteps {
 public:
  virtual ~RenameSteps() = default;
  // Renames `from` to `to` unless `to` exists: 0, or the errno value
  // (EEXIST when `to` exists).
  virtual int renameNoReplace(const QString& from, const QString& to) = 0;
  // True when both names lead to the same file: same device and inode, or,
  // where a file system gives each spelling of a name its own inode number,
  // when the folder lists no entry spelled exactly like `b`.
  virtual bool sameFile(const QString& a, const QString& b) = 0;
};

// RenameNoReplace over any steps; the names are checked here. They are taken
// by value: the steps may change whatever the caller's strings refer to.
RenameResult renameNoReplaceWith(RenameSteps& steps, QString oldName, QString newName);
