#include "TagSave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <string>

#include "Ansi.h"
#include "ID3v1Writer.h"
#include "UniqueFd.h"

namespace {

constexpr int kTextWidth = 30;
constexpr int kYearWidth = 4;

bool ReadAt(int fd, char* into, std::size_t count, off_t pos) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd, into + done, count - done, pos + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool IsTagMarker(const char* b) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
  return upper(b[0]) == 'T' && upper(b[1]) == 'A' && upper(b[2]) == 'G';
}

std::string Cp1252(const QString& text) {
  return Ansi::FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<std::size_t>(text.size())));
}

// The first `count` characters; a character outside the 16-bit range counts
// once, as it becomes one byte ('?') in Windows-1252.
QString FirstCharacters(const QString& text, int count) {
  qsizetype end = 0;
  for (int n = 0; end < text.size() && n < count; ++n) {
    const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
    end += pair ? 2 : 1;
  }
  return text.left(end);
}

std::string FieldBytes(const QString& text) { return Cp1252(SpaceFix(FirstCharacters(text, kTextWidth))); }

}  // namespace

int HamtaId3Status(const QString& FileName) {
  const QByteArray name = QFile::encodeName(FileName);
  struct stat st {};
  if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  const UniqueFd fd(::open(name.constData(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return 0;
  int status = 0;
  char head[3] = {};
  if (ReadAt(fd.get(), head, sizeof head, 0) && head[0] == 'I' && head[1] == 'D' && head[2] == '3') status = 2;
  char block[kID3v1BlockSize] = {};
  const auto blockSize = static_cast<off_t>(kID3v1BlockSize);
  if (st.st_size >= blockSize && ReadAt(fd.get(), block, sizeof block, st.st_size - blockSize) &&
      IsTagMarker(block))
    status = 1;
  return status;
}

QString SpaceFix(const QString& S) {
  if (S.isEmpty()) return S;
  qsizetype end = S.size();
  while (end > 0 && S[end - 1] == u' ') --end;
  return end == 0 ? QStringLiteral(" ") : S.left(end);
}

TrackText ReadTrackText(const QString& text) {
  if (text.isEmpty()) return {};
  bool whole = false;
  const int number = text.toInt(&whole, 10);
  if (!whole || number < 0) return {TrackText::Invalid, 0};
  return {TrackText::Number, number};
}

std::optional<std::uint8_t> TrackByte(int number) {
  if (number <= 0) return std::nullopt;
  if (number > 255) return std::uint8_t{254};
  return static_cast<std::uint8_t>(number);
}

QString NotAnIntegerText(const QString& text) { return QStringLiteral("'%1' is not a valid integer value").arg(text); }

std::array<std::uint8_t, kID3v1BlockSize> BuildSaveBlock(const TagTexts& texts, std::optional<std::uint8_t> track) {
  ID3v1Fields fields;
  fields.Title = FieldBytes(texts.Titel);
  fields.Artist = FieldBytes(texts.Artist);
  fields.Album = FieldBytes(texts.Album);
  fields.Year = Cp1252(FirstCharacters(texts.Ar, kYearWidth));
  // The comment keeps all its 30 bytes: the track overwrites byte 126 only,
  // so a comment of 29 characters keeps its last one at 125.
  fields.Comment = FieldBytes(texts.Kommentar);
  fields.GenreName = texts.Genre.toLatin1().toStdString();
  std::array<std::uint8_t, kID3v1BlockSize> block = BuildID3v1Block(fields);
  if (track) block[126] = *track;
  return block;
}

bool CanOpenForWriting(const QString& FileName) {
  const QByteArray name = QFile::encodeName(FileName);
  struct stat st {};
  if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const UniqueFd fd(::open(name.constData(), O_RDWR | O_CLOEXEC));
  if (fd.get() < 0) return false;
  return ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
}
