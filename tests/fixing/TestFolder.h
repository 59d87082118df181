#pragma once
// A folder of audio fixtures for the fixing tests, and what the tests check
// afterwards: each file's bytes, the names, and that nothing was lost.
#include <QDir>
#include <QString>
#include <QStringList>
#include <set>

#include "Fixtures.h"

// Frames of audio that no other call returns, so that every file of a
// folder carries a payload of its own.
Fx::Bytes UniqueAudio();
// A short ID3v2 tag in front of audio.
Fx::Bytes Version2Tag();

// The file after a tag was appended, or its last 128 bytes replaced.
Fx::Bytes Appended(const Fx::Bytes& before, const Fx::Bytes& block);
Fx::Bytes Overwritten(const Fx::Bytes& before, const Fx::Bytes& block);
// The bytes without a final ID3v1 block: what no fixing may change.
Fx::Bytes Payload(const Fx::Bytes& file);

class TestFolder {
 public:
  explicit TestFolder(const QString& path);

  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }
  void Add(const QString& name, const Fx::Bytes& bytes, bool readOnly = false);
  Fx::Bytes Read(const QString& name) const;
  bool IsReadOnly(const QString& name) const;
  // Every entry of the folder (files and subfolders), sorted by code point.
  QStringList Names() const;
  // The payloads of all files and their inode numbers: equal sets before and
  // after a batch mean no file was lost, replaced or cut.
  std::multiset<Fx::Bytes> Payloads() const;
  std::set<unsigned long long> Inodes() const;

 private:
  QDir dir_;
};

