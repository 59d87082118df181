#include "TestFolder.h"

#include <sys/stat.h>

#include <QFile>
#include <algorithm>

namespace {

const Fx::Mp kMp3;  // MPEG-1 Layer III, 128 kbit/s, 44100 Hz
std::size_t audioCount = 0;

}  // namespace

Fx::Bytes UniqueAudio() {
  // A different number of frames per call; the first call has ten.
  ++audioCount;
  return Fx::Frames(kMp3, 9 + audioCount);
}

Fx::Bytes Version2Tag() { return Fx::ID3v2(3, {{"TIT2", Fx::TextContent("Titel")}}); }

Fx::Bytes Appended(const Fx::Bytes& before, const Fx::Bytes& block) { return Fx::Cat({before, block}); }

Fx::Bytes Overwritten(const Fx::Bytes& before, const Fx::Bytes& block) {
  Fx::Bytes after(before.begin(), before.end() - 128);
  return Fx::Cat({after, block});
}

Fx::Bytes Payload(const Fx::Bytes& file) {
  const std::size_t n = file.size();
  if (n >= 128 && file[n - 128] == 'T' && file[n - 127] == 'A' && file[n - 126] == 'G')
    return Fx::Bytes(file.begin(), file.end() - 128);
  return file;
}

TestFolder::TestFolder(const QString& path) : dir_(path) { dir_.mkpath(QStringLiteral(".")); }

void TestFolder::Add(const QString& name, const Fx::Bytes& bytes, bool readOnly) {
  const QString path = dir_.filePath(name);
  Fx::WriteFile(QFile::encodeName(path).toStdString(), bytes);
  if (readOnly) ::chmod(QFile::encodeName(path).constData(), 0444);
}

Fx::Bytes TestFolder::Read(const QString& name) const {
  return Fx::ReadFile(QFile::encodeName(dir_.filePath(name)).toStdString());
}

bool TestFolder::IsReadOnly(const QString& name) const {
  struct stat st {};
  return ::stat(QFile::encodeName(dir_.filePath(name)).constData(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

QStringList TestFolder::Names() const {
  QStringList names = dir_.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  std::sort(names.begin(), names.end());
  return names;
}

std::multiset<Fx::Bytes> TestFolder::Payloads() const {
  std::multiset<Fx::Bytes> payloads;
  for (const QString& name : dir_.entryList(QDir::Files | QDir::Hidden | QDir::System))
    payloads.insert(Payload(Read(name)));
  return payloads;
}

std::set<unsigned long long> TestFolder::Inodes() const {
  std::set<unsigned long long> inodes;
  for (const QString& name : dir_.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    struct stat st {};
    if (::stat(QFile::encodeName(dir_.filePath(name)).constData(), &st) == 0) inodes.insert(st.st_ino);
  }
  return inodes;
}

