#include "QuickProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <span>

#include "Ansi.h"
#include "ID3v1.h"
#include "UniqueFd.h"

namespace {

using Block = std::array<std::uint8_t, kID3v1BlockSize>;
using HeaderBytes = std::array<std::uint8_t, 4>;

// One read-only descriptor with positioned reads. Non-blocking so that a FIFO
// that happens to carry an .mp3 name cannot stall a folder listing; for
// regular files the flag changes nothing.
class ReadOnlyFd {
 public:
  explicit ReadOnlyFd(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)) {}

  bool IsOpen() const { return fd_.valid(); }

  // The size the directory entry reports; 0 when it cannot be had.
  std::int64_t Size() const {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0 || st.st_size < 0) return 0;
    return static_cast<std::int64_t>(st.st_size);
  }

  // Reads up to out.size() bytes at pos. A short read (end of file) or an
  // error leaves the rest of out as it was; neither is a failure here.
  void ReadAt(std::int64_t pos, std::span<std::uint8_t> out) const {
    std::size_t got = 0;
    while (got < out.size()) {
      const ssize_t n = ::pread(fd_.get(), out.data() + got, out.size() - got, static_cast<off_t>(pos) + static_cast<off_t>(got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
  }

 private:
  UniqueFd fd_;
};

constexpr std::uint8_t AsciiUpper(std::uint8_t b) {
  return (b >= 'a' && b <= 'z') ? static_cast<std::uint8_t>(b - ('a' - 'A')) : b;
}

std::string_view Field(const Block& block, std::size_t at, std::size_t len) {
  return {reinterpret_cast<const char*>(block.data()) + at, len};
}

std::string_view WithoutTrailingSpaces(std::string_view s) {
  const std::size_t last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

// Editor fields end at the first zero byte; trailing spaces stay.
QString EditorText(std::string_view bytes) { return QString::fromStdU16String(Ansi::ToUtf16(UpToZero(bytes))); }

void DecodeFrameHeader(const HeaderBytes& h, Morv::TID3Svar& Svar) {
  if (h[0] != 0xFF) return;
  static constexpr std::array<std::uint8_t, 4> kLayer = {0, 3, 2, 1};
  Svar.Layer = kLayer[(h[1] >> 1) & 3];
  Svar.ProtectionBit = h[1] & 1;

  static constexpr std::array<std::int32_t, 3> kMpeg1Rates = {44100, 48000, 32000};
  std::int32_t divisor = 0;
  switch ((h[1] >> 3) & 3) {
    case 0:
      Svar.VersionText = "MPEG 2.5";
      divisor = 4;
      break;
    case 2:
      Svar.VersionText = "MPEG 2.0";
      divisor = 2;
      break;
    case 3:
      Svar.VersionText = "MPEG 1.0";
      divisor = 1;
      break;
    default:
      break;
  }
  const unsigned rateIndex = (h[2] >> 2) & 3;
  if (divisor != 0 && rateIndex < kMpeg1Rates.size()) Svar.SampleRate = kMpeg1Rates[rateIndex] / divisor;

  static constexpr std::array<std::uint8_t, 4> kChannelMode = {3, 1, 2, 0};
  Svar.ChannelMode = kChannelMode[h[3] >> 6];
}

}  // namespace

std::string RTrim(std::string_view S) {
  return std::string(WithoutTrailingSpaces(S));
}

void TagProbe::HamtaId3Tag(const std::string& FileName, std::int32_t FrameOffset, Morv::TID3Svar& Svar) {
  ProbeTitle.clear();
  ProbeArtist.clear();
  ProbeAlbum.clear();
  ProbeYear.clear();
  ProbeComment.clear();
  Svar.TagKind = 0;
  Svar.Layer = 0;
  Svar.VersionText.clear();
  Svar.ProtectionBit = 0;
  Svar.SampleRate = 0;
  Svar.ChannelMode = 255;
  Svar.BitRate = 0;

  HeaderBytes header{};
  Block block{};
  {
    const ReadOnlyFd file(FileName.c_str());
    if (file.IsOpen()) {
      const std::int64_t size = file.Size();
      std::array<std::uint8_t, 3> head{};
      if (FrameOffset == 0) {
        // The listing and the tag-from-name fixing always ask at 0: then the
        // frame header is the file's first four bytes and one read serves both.
        file.ReadAt(0, header);
        std::memcpy(head.data(), header.data(), head.size());
      } else {
        file.ReadAt(0, head);
      }
      if (head == std::array<std::uint8_t, 3>{'I', 'D', '3'}) Svar.TagKind = 2;
      if (size >= static_cast<std::int64_t>(block.size())) {
        file.ReadAt(size - static_cast<std::int64_t>(block.size()), block);
      }
      // A position before the start of the file holds no header.
      if (FrameOffset > 0) file.ReadAt(FrameOffset, header);
    }
  }
  DecodeFrameHeader(header, Svar);

  if (AsciiUpper(block[0]) != 'T' || AsciiUpper(block[1]) != 'A' || AsciiUpper(block[2]) != 'G') return;

  ++Svar.TagKind;
  ITagEditorFields* const editor = ProbeQuiet ? nullptr : editor_;
  ProbeTitle.assign(Field(block, 3, 30));
  if (editor) editor->SetTitel(EditorText(ProbeTitle));
  ProbeArtist.assign(Field(block, 33, 30));
  if (editor) editor->SetArtist(EditorText(ProbeArtist));
  ProbeAlbum.assign(Field(block, 63, 30));
  if (editor) editor->SetAlbum(EditorText(ProbeAlbum));
  ProbeYear.assign(Field(block, 93, 4));
  if (editor) editor->SetAr(EditorText(ProbeYear));

  const std::string_view comment = Field(block, 97, 30);
  ProbeTrack = block[126];
  // The probe's own track rule: unlike the ID3v1 version rule, a full comment
  // shows its last character's code, and a space at 125 shows no track.
  if (editor && ProbeTrack > 0 && block[125] != ' ') editor->SetTrack(QString::number(ProbeTrack));
  // RTrim in place: assigning the trimmed view reuses the string's capacity.
  ProbeComment.assign(WithoutTrailingSpaces(comment));
  if (editor) editor->SetKommentar(EditorText(ProbeComment));

  if (!editor) return;
  const std::uint8_t genre = block[127];
  if (genre < GenreChoices.size()) {
    editor->SelectGenre(EditorText(GenreChoices[genre]));
  } else {
    editor->ClearGenreSelection();
  }
}
