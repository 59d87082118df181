#include "ID3v2.h"

#include <algorithm>
#include <limits>
#include <span>

#include "Ansi.h"
#include "FileSource.h"

namespace {

constexpr std::size_t kHeaderSize = 10;
constexpr std::uint8_t kFooterFlag = 0x10;

// A slot's 500 bytes: the content, then zero bytes. `used` counts the content
// bytes so that the texts are worked out from them and a few zero bytes after
// them (enough for a language code and a two-byte separator), which gives what
// the whole 500 bytes would give without walking the padding of sixteen slots
// for every file.
constexpr std::size_t kSlack = 8;
struct Slot {
  std::array<std::uint8_t, TID3v2::kSlotSize> bytes;
  std::size_t used;
};
using Slots = std::array<Slot, TID3v2::kSlotCount>;

// The frames kept, in slot order: the id for versions 3 and 4, the id for
// version 2. The last four are fallbacks for year, artist, title and album.
struct SlotIds {
  const char* v3;
  const char* v2;
};
constexpr std::array<SlotIds, TID3v2::kSlotCount> kSlotIds = {{
    {"TIT2", "TT2"},  // 0  Title
    {"TPE1", "TP1"},  // 1  Artist
    {"TALB", "TAL"},  // 2  Album
    {"TRCK", "TRK"},  // 3  Track
    {"TYER", "TYE"},  // 4  Year
    {"TCON", "TCO"},  // 5  Genre
    {"COMM", "COM"},  // 6  Comment
    {"TCOM", "TCM"},  // 7  Composer
    {"TENC", "TEN"},  // 8  EncodedBy
    {"TCOP", "TCR"},  // 9  Copyright
    {"TLAN", "TLA"},  // 10 Language
    {"WXXX", "WXX"},  // 11 Link
    {"TDRC", "TOR"},  // 12 Year, when 4 is empty
    {"TOPE", "TOA"},  // 13 Artist, when 1 is empty
    {"TIT1", "TT1"},  // 14 Title, when 0 is empty
    {"TOAL", "TOT"},  // 15 Album, when 2 is empty
}};
enum SlotIndex : std::size_t {
  kTitle, kArtist, kAlbum, kTrack, kYear, kGenre, kComment, kComposer,
  kEncodedBy, kCopyright, kLanguage, kLink, kYearAlt, kArtistAlt, kTitleAlt, kAlbumAlt
};

bool IdEquals(std::span<const std::uint8_t> id, const char* want) {
  for (std::size_t i = 0; i < id.size(); ++i)
    if (want[i] == '\0' || id[i] != static_cast<std::uint8_t>(want[i])) return false;
  return want[id.size()] == '\0';
}

// The last frame of a kind wins; only text in ISO-8859-1 (0) or UTF-16 (1) is kept.
void StoreFrame(Slots& slots, std::span<const std::uint8_t> id, const Slot& content, bool longIds) {
  if (content.bytes[0] > 1) return;
  for (std::size_t i = 0; i < kSlotIds.size(); ++i)
    if (IdEquals(id, longIds ? kSlotIds[i].v3 : kSlotIds[i].v2)) slots[i] = content;
}

// Walks the frames from directly after the header, as a reader moving through
// the file would: a read that cannot be completed ends the walk quietly and
// keeps what was found so far.
void ReadFrames(FileSource& src, std::int32_t tagSize, bool longIds, Slots& slots) {
  const std::size_t headerLen = longIds ? 10 : 6;
  const std::size_t idLen = longIds ? 4 : 3;
  std::array<std::uint8_t, 10> header{};
  Slot content{};
  std::int64_t pos = static_cast<std::int64_t>(kHeaderSize);
  // Every turn moves pos forward by at least the frame header, and pos stays
  // below tagSize plus one frame (< 2^32), so the walk ends and never overflows.
  while (pos < tagSize && pos < src.Size()) {
    const auto hdr = std::span(header).first(headerLen);
    if (!src.ReadExact(pos, hdr)) break;
    if (hdr[0] < 'A' || hdr[0] > 'Z') break;
    const std::int64_t contentPos = pos + static_cast<std::int64_t>(headerLen);
    // Version 4 sizes are read like version 3 ones, as plain big-endian numbers.
    std::uint32_t size = 0;
    for (std::size_t i = idLen; i < idLen + (longIds ? 4 : 3); ++i) size = (size << 8) | hdr[i];
    if (size > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) break;
    content.bytes.fill(0);
    const std::size_t take = std::min<std::size_t>(size, TID3v2::kSlotSize);
    if (!src.ReadExact(contentPos, std::span(content.bytes).first(take))) break;
    content.used = take;
    StoreFrame(slots, hdr.first(idLen), content, longIds);
    pos = contentPos + static_cast<std::int64_t>(size);
  }
}

bool IsBlank(char c) { return static_cast<std::uint8_t>(c) <= 0x20; }

std::string Trimmed(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::string(s.substr(b, e - b));
}

std::string_view AsText(const Slot& slot) {
  return {reinterpret_cast<const char*>(slot.bytes.data()), std::min(slot.bytes.size(), slot.used + kSlack)};
}

std::string FirstText(const Slot& main, const Slot& fallback) {
  std::string text = TID3v2::DecodeText(AsText(main));
  if (text.empty()) text = TID3v2::DecodeText(AsText(fallback));
  return text;
}

// Integer text the way the program has always read it: leading spaces, one
// sign, decimal or hexadecimal after "$" or "0x", nothing after the digits.
// Anything else, or a number outside 32 bits, is 0.
std::int32_t ParseInt(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return 0;
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    else return 0;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) return 0;
  }
  if (base == 10) {
    // Decimal text must fit a signed 32-bit number (its minimum included).
    if (value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
  }
  // Hexadecimal text fills all 32 bits, so $FFFFFFFF is -1.
  const auto bits = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::uint16_t TrackNumberOf(const Slot& slot) {
  const std::string text = TID3v2::DecodeText(AsText(slot));
  const std::string_view number = std::string_view(text).substr(0, text.find('/'));
  return static_cast<std::uint16_t>(ParseInt(number));
}

std::string YearOf(const Slot& year, const Slot& recorded) {
  std::string text = TID3v2::DecodeText(AsText(year));
  if (text.empty()) text = TID3v2::DecodeText(AsText(recorded)).substr(0, 4);
  return text;
}

// "(17)" names a genre by number and gives nothing; "(17)Rock" gives "Rock".
std::string GenreOf(const Slot& slot) {
  std::string text = TID3v2::DecodeText(AsText(slot));
  const std::size_t close = text.rfind(')');
  if (close != std::string::npos) text.erase(0, close + 1);
  return text;
}

// COMM and WXXX: encoding byte, (language,) description, separator, text.
std::string TextAfterDescription(const Slot& slot, bool hasLanguage) {
  const std::uint8_t encoding = slot.bytes[0];
  std::string_view rest = AsText(slot).substr(hasLanguage ? 4 : 1);
  const std::string_view separator = encoding == 1 ? std::string_view("\0\0", 2) : std::string_view("\0", 1);
  const std::size_t at = rest.find(separator);
  if (at != std::string_view::npos) rest.remove_prefix(at + separator.size());
  else if (encoding == 1) rest.remove_prefix(1);
  std::array<char, TID3v2::kSlotSize> text{};
  text[0] = static_cast<char>(encoding);
  std::copy(rest.begin(), rest.end(), text.begin() + 1);
  return TID3v2::DecodeText(std::string_view(text.data(), rest.size() + 1));
}

}  // namespace

void TID3v2::Clear() {
  TagFound_ = false;
  Version_ = 0;
  TagSize_ = 0;
  Title_.clear();
  Artist_.clear();
  Album_.clear();
  Track_ = 0;
  Year_.clear();
  Genre_.clear();
  Comment_.clear();
  Composer_.clear();
  EncodedBy_.clear();
  Copyright_.clear();
  Language_.clear();
  Link_.clear();
}

std::string TID3v2::DecodeText(std::string_view content) {
  if (content.empty() || content[0] != 1) return Trimmed(content);
  // UTF-16 read low byte first whatever the byte-order mark says. Units whose
  // low byte is 0xFF are dropped; that removes the mark FF FE.
  const std::size_t maxUnits = (content.size() - 1) / 2;
  std::u16string units;
  units.reserve(maxUnits);
  for (std::size_t i = 0; i < maxUnits; ++i) {
    const auto lo = static_cast<std::uint8_t>(content[1 + 2 * i]);
    const auto hi = static_cast<std::uint8_t>(content[2 + 2 * i]);
    const auto unit = static_cast<char16_t>(lo | (hi << 8));
    if (unit == 0) break;
    if (lo == 0xFF) continue;
    units += unit;
  }
  // Converted as one sequence, so that a surrogate pair becomes one '?'.
  return Trimmed(Ansi::FromUtf16(units));
}

bool TID3v2::ReadFrom(FileSource& src) {
  Clear();
  std::array<std::uint8_t, kHeaderSize> header{};
  if (!src.IsOpen() || !src.ReadExact(0, header)) return false;
  if (header[0] != 'I' || header[1] != 'D' || header[2] != '3') return true;

  TagFound_ = true;
  Version_ = header[3];
  // The size bytes are taken whole, top bit included: at most 255 * (2^21 +
  // 2^14 + 2^7 + 1) + 20, well inside 32 bits.
  std::int64_t size = (std::int64_t{header[6]} << 21) + (std::int64_t{header[7]} << 14) +
                      (std::int64_t{header[8]} << 7) + header[9] + static_cast<std::int64_t>(kHeaderSize);
  if (header[5] & kFooterFlag) size += static_cast<std::int64_t>(kHeaderSize);
  TagSize_ = size > src.Size() ? 0 : static_cast<std::int32_t>(size);

  if (Version_ < 2 || Version_ > 4 || TagSize_ == 0) return true;

  Slots slots{};
  ReadFrames(src, TagSize_, Version_ > 2, slots);

  Title_ = FirstText(slots[kTitle], slots[kTitleAlt]);
  Artist_ = FirstText(slots[kArtist], slots[kArtistAlt]);
  Album_ = FirstText(slots[kAlbum], slots[kAlbumAlt]);
  Track_ = TrackNumberOf(slots[kTrack]);
  Year_ = YearOf(slots[kYear], slots[kYearAlt]);
  Genre_ = GenreOf(slots[kGenre]);
  Comment_ = TextAfterDescription(slots[kComment], true);
  Composer_ = DecodeText(AsText(slots[kComposer]));
  EncodedBy_ = DecodeText(AsText(slots[kEncodedBy]));
  Copyright_ = DecodeText(AsText(slots[kCopyright]));
  Language_ = DecodeText(AsText(slots[kLanguage]));
  Link_ = TextAfterDescription(slots[kLink], false);
  return true;
}

bool TID3v2::ReadFromFile(const std::string& FileName) {
  FileSource src(FileName);
  // The tag header and, usually, all its frames arrive in one read.
  src.CacheHead();
  return ReadFrom(src);
}
