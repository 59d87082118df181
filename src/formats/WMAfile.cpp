#include "WMAfile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string_view>

#include "Ansi.h"
#include "FileSource.h"

namespace {

using GuidBytes = std::array<std::uint8_t, 16>;

constexpr std::uint8_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  return static_cast<std::uint8_t>(c - 'a' + 10);
}

// A GUID as the file stores it: the first three groups little-endian, the last
// eight bytes in the order written.
consteval GuidBytes StoredGuid(std::string_view text) {
  std::array<std::uint8_t, 16> hex{};
  std::size_t n = 0;
  for (std::size_t i = 0; i + 1 < text.size() && n < hex.size();) {
    if (text[i] == '-') {
      ++i;
      continue;
    }
    hex[n++] = static_cast<std::uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1]));
    i += 2;
  }
  return {hex[3], hex[2],  hex[1],  hex[0],  hex[5],  hex[4],  hex[7],  hex[6],
          hex[8], hex[9], hex[10], hex[11], hex[12], hex[13], hex[14], hex[15]};
}

constexpr GuidBytes kHeaderObject = StoredGuid("75B22630-668E-11CF-A6D9-00AA0062CE6C");
constexpr GuidBytes kFilePropertiesObject = StoredGuid("8CABDCA1-A947-11CF-8EE4-00C00C205365");
constexpr GuidBytes kStreamPropertiesObject = StoredGuid("B7DC0791-A9B7-11CF-8EE6-00C00C205365");
constexpr GuidBytes kContentDescriptionObject = StoredGuid("75B22633-668E-11CF-A6D9-00AA0062CE6C");
constexpr GuidBytes kExtendedContentObject = StoredGuid("D2D0A440-E307-11D2-97F0-00A0C95EA850");

static_assert(kHeaderObject[0] == 0x30 && kHeaderObject[3] == 0x75 && kHeaderObject[15] == 0x6C);

// Every object starts with its GUID and a 64-bit size.
constexpr std::uint32_t kObjectHeaderSize = 24;
// A text field keeps at most this many UTF-16 units; the rest is skipped.
constexpr std::uint16_t kMaxFieldUnits = 250;

// Text slots, numbered as WMAFieldNames names them (slot 0 unused).
enum Slot : std::size_t { kTitle = 1, kArtist, kAlbum, kTrack, kYear, kGenre, kComment, kSlotCount };

constexpr std::array<std::string_view, 8> WMAFieldNames = {
    "", "WM/TITLE", "WM/AUTHOR", "WM/ALBUMTITLE", "WM/TRACK", "WM/YEAR", "WM/GENRE", "WM/DESCRIPTION"};

struct WMAHeaderData {
  std::int64_t FileSize = 0;
  std::uint32_t MaxBitRate = 0;
  std::uint16_t Channels = 0;
  std::uint32_t SampleRate = 0;
  std::uint32_t ByteRate = 0;
  std::array<std::u16string, kSlotCount> Text{};
};

// Sequential reads at an explicit position. A read either delivers all its
// bytes or fails; a skip only moves the position, so a skip past the end shows
// up as a failure of the next read.
class Cursor {
 public:
  Cursor(FileSource& src, std::int64_t pos) : src_(src), pos_(pos) {}

  std::int64_t Pos() const { return pos_; }
  void Seek(std::int64_t pos) { pos_ = pos; }
  // A skip is at most 65535 bytes and a handful of them at most lie between
  // two reads that must succeed, so the position never runs far past the end
  // of the file.
  void Skip(std::uint16_t n) { pos_ += n; }

  bool Read(std::span<std::uint8_t> out) {
    if (!src_.ReadExact(pos_, out)) return false;
    pos_ += static_cast<std::int64_t>(out.size());
    return true;
  }
  bool U16(std::uint16_t& v) {
    std::array<std::uint8_t, 2> b{};
    if (!Read(b)) return false;
    v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
  }
  bool U32(std::uint32_t& v) {
    std::array<std::uint8_t, 4> b{};
    if (!Read(b)) return false;
    v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
  }

 private:
  FileSource& src_;
  std::int64_t pos_;
};

// A UTF-16 field of byteLength bytes: the first (at most 250) units are kept,
// a terminating zero included; the bytes beyond them are skipped.
bool ReadUnicodeField(Cursor& in, std::uint16_t byteLength, std::u16string& text) {
  const std::uint16_t units = std::min<std::uint16_t>(byteLength / 2, kMaxFieldUnits);
  std::array<std::uint8_t, 2 * kMaxFieldUnits> raw{};
  const auto bytes = std::span(raw).first(2u * units);
  if (!in.Read(bytes)) return false;
  text.clear();
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i)
    text += static_cast<char16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
  in.Skip(static_cast<std::uint16_t>(byteLength - 2u * units));
  return true;
}

// Characters up to and including the space go at both ends, as the Windows
// trim does on 8-bit text.
std::string_view TrimAnsi(std::string_view s) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// A whole number as the tag writers' tools read one: an optional sign, then
// decimal digits, or hexadecimal after "$" or "0x". Anything else, or a value
// outside 32 bits, gives the default.
std::int32_t StrToIntDef(std::string_view s, std::int32_t def) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  unsigned base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return def;
  // Hexadecimal may spell the full 32 bits (so $FFFFFFFF is -1); decimal stays
  // within the signed range, one more for the negative side.
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull
                              : negative ? 0x80000000ull
                                         : 0x7FFFFFFFull;
  std::uint64_t value = 0;
  for (char c : s) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    else return def;
    value = value * base + digit;
    if (value > limit) return def;
  }
  auto bits = static_cast<std::uint32_t>(value);
  if (negative) bits = ~bits + 1u;
  return static_cast<std::int32_t>(bits);
}

bool ReadContentDescription(Cursor& in, WMAHeaderData& data) {
  in.Skip(4);  // high half of the object size
  std::array<std::uint16_t, 5> lengths{};
  for (auto& len : lengths)
    if (!in.U16(len)) return false;
  // Title, author, copyright, description, rating; copyright and rating are
  // read past and dropped.
  constexpr std::array<std::size_t, 5> kTargets = {kTitle, kArtist, 0, kComment, 0};
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (lengths[i] == 0) continue;
    std::u16string text;
    if (!ReadUnicodeField(in, lengths[i], text)) return false;
    if (kTargets[i] != 0) data.Text[kTargets[i]] = std::move(text);
  }
  return true;
}

bool ReadExtendedContent(Cursor& in, WMAHeaderData& data) {
  std::uint16_t nameLength = 0, valueType = 0, valueLength = 0;
  std::u16string name, value;
  if (!in.U16(nameLength) || !ReadUnicodeField(in, nameLength, name)) return false;
  if (!in.U16(valueType) || !in.U16(valueLength)) return false;
  const bool isText = valueType == 0;
  if (isText) {
    if (!ReadUnicodeField(in, valueLength, value)) return false;
  } else {
    in.Skip(valueLength);
  }
  const std::string key = UpperAscii(TrimAnsi(Ansi::FromUtf16(name)));
  for (std::size_t slot = kTitle; slot < kSlotCount; ++slot) {
    if (key == WMAFieldNames[slot]) {
      // A number or binary value under a known name leaves the text alone.
      if (isText) data.Text[slot] = std::move(value);
      break;
    }
  }
  return true;
}

bool ReadExtendedContentDescription(Cursor& in, WMAHeaderData& data) {
  in.Skip(4);  // high half of the object size
  std::uint16_t count = 0;
  if (!in.U16(count)) return false;
  // Every descriptor reads at least six bytes, so the loop advances and ends.
  for (std::uint32_t i = 0; i < count; ++i)
    if (!ReadExtendedContent(in, data)) return false;
  return true;
}

// Positioned just after the object's GUID and the low half of its size.
bool ReadHeaderObject(Cursor& in, const GuidBytes& guid, WMAHeaderData& data) {
  if (guid == kFilePropertiesObject) {
    in.Skip(80);
    return in.U32(data.MaxBitRate);
  }
  if (guid == kStreamPropertiesObject) {
    // Into the audio format data; the stream type is not looked at, so with
    // several streams the last one read wins.
    in.Skip(60);
    return in.U16(data.Channels) && in.U32(data.SampleRate) && in.U32(data.ByteRate);
  }
  if (guid == kContentDescriptionObject) return ReadContentDescription(in, data);
  if (guid == kExtendedContentObject) return ReadExtendedContentDescription(in, data);
  return true;
}

// False when a read could not be completed or an object's size makes no
// sense; a file that is no ASF file at all reads fine and yields nothing.
bool ReadHeaderObjects(FileSource& src, WMAHeaderData& data) {
  data.FileSize = src.Size();
  Cursor in(src, 0);
  GuidBytes guid{};
  if (!in.Read(guid)) return false;
  if (guid != kHeaderObject) return true;
  in.Skip(8);
  std::uint32_t count = 0;
  if (!in.U32(count)) return false;
  in.Skip(2);  // reserved
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::int64_t start = in.Pos();
    std::uint32_t size = 0;
    if (!in.Read(guid) || !in.U32(size)) return false;
    // Only the low half of the size counts. An object smaller than its own
    // header would never move the walk on (a count near four billion then
    // spins on the same bytes), and one reaching past the end cannot be whole.
    if (size < kObjectHeaderSize || size > data.FileSize - start) return false;
    if (!ReadHeaderObject(in, guid, data)) return false;
    in.Seek(start + size);
  }
  return true;
}

bool Plausible(const WMAHeaderData& d) {
  return d.MaxBitRate >= 1 && d.MaxBitRate < 320000 && (d.Channels == 1 || d.Channels == 2) &&
         d.SampleRate >= 8000 && d.SampleRate < 96001 && d.ByteRate >= 1 && d.ByteRate < 40000;
}

}  // namespace

void TWMAfile::Clear() {
  HeaderValid_ = false;
  FileSize_ = 0;
  ChannelCount_ = 0;
  SampleRate_ = 0;
  Duration_ = 0;
  BitRate_ = 0;
  Title_.clear();
  Artist_.clear();
  Album_.clear();
  Track_ = 0;
  Year_.clear();
  Genre_.clear();
  Comment_.clear();
}

bool TWMAfile::ReadFromFile(const std::string& FileName) {
  FileSource src(FileName);
  if (!src.IsOpen()) {
    Clear();
    return false;
  }
  return ReadFrom(src);
}

bool TWMAfile::ReadFrom(FileSource& src) {
  Clear();
  if (!src.IsOpen()) return false;
  // The header objects of a normal file lie within the first few kilobytes:
  // one read brings them all in.
  src.CacheHead();
  WMAHeaderData data;
  if (!ReadHeaderObjects(src, data)) return false;
  if (!Plausible(data)) return true;

  HeaderValid_ = true;
  FileSize_ = data.FileSize;
  ChannelCount_ = static_cast<std::uint8_t>(data.Channels);
  SampleRate_ = static_cast<std::int32_t>(data.SampleRate);
  Duration_ = static_cast<double>(data.FileSize) * 8.0 / data.MaxBitRate;
  BitRate_ = static_cast<std::int32_t>(data.ByteRate * 8 / 1000);

  const auto clean = [&](std::size_t slot) { return std::string(TrimAnsi(Ansi::FromUtf16(data.Text[slot]))); };
  Title_ = Ansi::ToUtf16(clean(kTitle));
  Artist_ = Ansi::ToUtf16(clean(kArtist));
  Album_ = Ansi::ToUtf16(clean(kAlbum));
  Track_ = StrToIntDef(clean(kTrack), 0);
  Year_ = Ansi::ToUtf16(clean(kYear));
  Genre_ = Ansi::ToUtf16(clean(kGenre));
  Comment_ = Ansi::ToUtf16(clean(kComment));
  return true;
}

std::string TWMAfile::ChannelModeName() const {
  switch (ChannelCount_) {
    case 1:
      return "Mono";
    case 2:
      return "Stereo";
    default:
      return "Unknown";
  }
}
