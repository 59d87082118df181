#pragma once
// Renaming a file inside its folder without ever replacing another file.
//
// The names are single names, not paths: a name built from tag or typed text
// that holds a "/" would put the file in another folder, so it is refused like
// any name the file system cannot hold. "." and ".." are refused too. (A "\"
// is an ordinary character in a Linux file name.)
//
// A rename that only changes letter case succeeds also on file systems that
// ignore case (FAT, exFAT): there the system reports the new name as taken by
// the file itself, and the rename goes through a temporary name in the same
// folder. On failure the file keeps its old name.
#include <QString>

enum class RenameError {
  None,
  Exists,  // another file (or folder) already has the new name; both are left as they were
  Other,   // anything else: missing file, bad name, no permission, ...
};

struct RenameResult {
  RenameError error = RenameError::None;
  int systemError = 0;  // errno of the step that failed (EINVAL for a refused name)

  explicit operator bool() const { return error == RenameError::None; }
};

// Renames folder/oldName to folder/newName. An empty folder means the
// process's current directory.
RenameResult RenameNoReplace(const QString& folder, const QString& oldName, const QString& newName);

// True for a name that stays inside its folder: not empty, not "." or "..",
// no "/" and no NUL.
bool isSingleFileName(const QString& name);
