#pragma once
// The read-only attribute of a file, which on Linux is the owner's write
// permission bit. Other users' bits, the execute bits and the set-id and
// sticky bits are never touched.
#include <QString>

class FileAttributes {
 public:
  // True when the owner's write bit is missing. A file that cannot be
  // examined (gone, no access) is not read-only: there is nothing to ask
  // about, and whatever the caller does next fails on its own.
  static bool isReadOnly(const QString& path);
  // Sets the owner's write bit, keeping all other bits; false when the
  // permissions could not be read or changed (read-only medium, not the owner).
  static bool clearReadOnly(const QString& path);
};
