#pragma once
// The places the folder tree can start from, in the role drive letters had:
// the root folder first, then every mounted volume that holds the user's
// files (removable media, network shares, other disks). Kernel and memory
// file systems (proc, sysfs, cgroup, tmpfs, ...), system mounts under /proc,
// /sys, /dev, /run (except removable media in /run/media) and /snap, and the
// boot partitions are left out.
#include <QString>
#include <vector>

struct Drive {
  QString name;  // shown to the user: "/" for the root, else the mount folder's own name
  QString path;  // absolute mount folder

  bool operator==(const Drive&) const = default;
};

class Drives {
 public:
  // The volumes of this machine, from /proc/self/mounts; only folders that exist.
  static std::vector<Drive> list();
  // The same from the text of a mount table (fstab-style lines: device,
  // folder, type, options, ...). Order: "/" (always present), then
  // removable media (/media, /run/media), then /mnt, then the rest; by path
  // within each group. A folder mounted twice is listed once.
  static std::vector<Drive> fromMountTable(const QString& table);
  // True when the volume's folder can be opened and read (a medium is in).
  static bool isReady(const QString& path);
};
