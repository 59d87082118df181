#pragma once
// Moves one file to a full target path, in the role the shell's file
// operation had: within one file system by renaming, across file systems by
// copying and then deleting the source. It asks before it replaces an
// existing file ("No" leaves both files as they were) and reports its own
// failures in a message box, so callers show nothing of their own.
//
// The source is deleted only after the copy is complete, on disk and of the
// source's size; a failed copy leaves the source untouched and no part of
// the copy behind. The target's own folder is used for the copy in progress,
// under a temporary name, so an existing target is replaced in one step.
#include <QString>

class FileMover {
 public:
  // True when the file now is at target and no longer at source.
  static bool move(const QString& source, const QString& target);
};
