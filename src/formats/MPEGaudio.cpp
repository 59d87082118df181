#include "MPEGaudio.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "FileSource.h"

namespace MPEG {
namespace {

// [version code][layer code][bit-rate index], kbit/s. Row order of the layer
// codes: reserved, Layer III, Layer II, Layer I.
constexpr std::uint16_t kMpeg1[4][16] = {
    {},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}};
constexpr std::uint16_t kMpeg2[4][16] = {
    {},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}};
constexpr std::uint32_t kRates[4][4] = {
    {11025, 12000, 8000, 0}, {0, 0, 0, 0}, {22050, 24000, 16000, 0}, {44100, 48000, 32000, 0}};

std::uint32_t BigEndian32(Window w, std::size_t at) {
  if (at > w.size() || 4 > w.size() - at) return 0;
  return (std::uint32_t{w[at]} << 24) | (std::uint32_t{w[at + 1]} << 16) | (std::uint32_t{w[at + 2]} << 8) |
         std::uint32_t{w[at + 3]};
}

bool HasText(Window w, std::size_t at, const char* text, std::size_t len) {
  return at <= w.size() && len <= w.size() - at && std::memcmp(w.data() + at, text, len) == 0;
}

std::string Chars(Window w, std::size_t at, std::size_t len) {
  if (at > w.size() || len > w.size() - at) return {};
  return std::string(reinterpret_cast<const char*>(w.data() + at), len);
}

void ReadVBRHeader(Window w, std::size_t x, VBRInfo& vbr) {
  vbr = VBRInfo{};
  if (HasText(w, x, "Xing", 4) && x + 128 <= w.size()) {
    vbr.Found = true;
    vbr.Marker = "Xing";
    vbr.FrameCount = BigEndian32(w, x + 8);
    vbr.ByteCount = BigEndian32(w, x + 12);
    vbr.Quality = w[x + 119];
    vbr.EncoderText = Chars(w, x + 120, 8);
  } else if (HasText(w, x, "VBRI", 4) && x + 18 <= w.size()) {
    vbr.Found = true;
    vbr.Marker = "VBRI";
    vbr.Quality = w[x + 9];
    vbr.ByteCount = BigEndian32(w, x + 10);
    vbr.FrameCount = BigEndian32(w, x + 14);
  }
}

}  // namespace

FrameInfo ClearedFrame() {
  FrameInfo f{};
  // Codes that stand for "unknown".
  f.VersionCode = Reserved;
  f.SampleRateIndex = 3;
  f.ModeCode = 4;
  f.ModeExtension = 4;
  f.EmphasisCode = 2;
  return f;
}

std::uint16_t TableBitRate(std::uint8_t version, std::uint8_t layer, std::uint16_t index) {
  if (version > 3 || layer > 3 || index > 15 || version == Reserved) return 0;
  return version == MPEG1 ? kMpeg1[layer][index] : kMpeg2[layer][index];
}

std::uint32_t TableSampleRate(std::uint8_t version, std::uint16_t index) {
  if (version > 3 || index > 3) return 0;
  return kRates[version][index];
}

bool IsValidHeader(std::span<const std::uint8_t, 4> h) {
  return h[0] == 0xFF && (h[1] & 0xE0) == 0xE0 && ((h[1] >> 3) & 3) != Reserved && ((h[1] >> 1) & 3) != LayerReserved &&
         (h[2] >> 4) != 15 && (h[2] >> 4) != 0 && ((h[2] >> 2) & 3) != 3 && (h[3] & 3) != 2;
}

FrameInfo ParseHeader(std::span<const std::uint8_t, 4> h) {
  FrameInfo f{};
  std::copy(h.begin(), h.end(), f.HeaderBytes.begin());
  f.VersionCode = (h[1] >> 3) & 3;
  f.LayerCode = (h[1] >> 1) & 3;
  f.Protected = (h[1] & 1) == 0;
  f.BitRateIndex = h[2] >> 4;
  f.SampleRateIndex = (h[2] >> 2) & 3;
  f.Padded = (h[2] & 2) != 0;
  f.PrivateBit = (h[2] & 1) != 0;
  f.ModeCode = h[3] >> 6;
  f.ModeExtension = (h[3] >> 4) & 3;
  f.CopyrightBit = (h[3] & 8) != 0;
  f.OriginalBit = (h[3] & 4) != 0;
  f.EmphasisCode = h[3] & 3;
  return f;
}

std::uint32_t SizeFactor(const FrameInfo& f) {
  // Layers I and II hold 384 and 1152 samples a frame in every version; only
  // Layer III halves its frame (576 samples) for MPEG-2 and 2.5.
  switch (f.LayerCode) {
    case Layer1: return 48;
    case Layer2: return 144;
    case Layer3: return f.VersionCode == MPEG1 ? 144 : 72;
    default: return 0;
  }
}

std::uint32_t PaddingSize(const FrameInfo& f) {
  if (!f.Padded) return 0;
  return f.LayerCode == Layer1 ? 4 : 1;
}

std::uint32_t FrameLength(const FrameInfo& f) {
  const std::uint64_t rate = TableSampleRate(f.VersionCode, f.SampleRateIndex);
  if (rate == 0) return 0;
  const std::uint64_t bits = std::uint64_t{SizeFactor(f)} * TableBitRate(f.VersionCode, f.LayerCode, f.BitRateIndex) * 1000;
  return static_cast<std::uint32_t>(bits / rate) + PaddingSize(f);
}

std::uint32_t VBRHeaderOffset(const FrameInfo& f) {
  const bool mono = f.ModeCode == Mono;
  if (f.VersionCode == MPEG1) return mono ? 21 : 36;
  return mono ? 13 : 21;
}

void LocateFirstFrame(Window w, FrameInfo& frame, VBRInfo& vbr) {
  frame = ClearedFrame();
  for (std::size_t p = 0; p <= kLastStart; ++p) {
    const auto head = w.subspan(p).first<4>();
    if (!IsValidHeader(head)) continue;
    FrameInfo candidate = ParseHeader(head);
    const std::size_t length = FrameLength(candidate);
    // The next header must lie wholly inside the window; past it there is nothing.
    if (length > w.size() - p || 4 > w.size() - p - length) continue;
    if (!IsValidHeader(w.subspan(p + length).first<4>())) continue;
    candidate.Found = true;
    candidate.Position = static_cast<std::uint32_t>(p);
    candidate.Size = static_cast<std::uint16_t>(length);
    const auto after = w.subspan(p + 4, 6);
    candidate.StartsEmpty = std::all_of(after.begin(), after.end(), [](std::uint8_t b) { return b == 0; });
    frame = candidate;
    ReadVBRHeader(w, p + VBRHeaderOffset(frame), vbr);
    return;
  }
}

std::string FindEncoderTag(Window w, std::int64_t span) {
  constexpr std::int64_t kLast = kWindowSize - 8;  // 3450: the last place "LAME" + 4 fits
  if (span < 0 || span > kLast) span = kLast;
  const auto lo = static_cast<std::size_t>(kLast - span);
  // The nearest occurrence to the end wins. memrchr finds the candidates'
  // first letters quickly in the mostly non-matching audio bytes.
  auto lastMatch = [&](const char* marker) -> std::ptrdiff_t {
    std::size_t end = kLast + 1;  // candidates start in [lo, end)
    while (end > lo) {
      const void* hit = ::memrchr(w.data() + lo, marker[0], end - lo);
      if (!hit) return -1;
      const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - w.data());
      if (HasText(w, at, marker, 4)) return static_cast<std::ptrdiff_t>(at);
      end = at;
    }
    return -1;
  };
  const std::ptrdiff_t lame = lastMatch("LAME");
  const std::ptrdiff_t gogo = lastMatch("GOGO");
  if (lame < 0 && gogo < 0) return {};
  if (lame > gogo) return Chars(w, static_cast<std::size_t>(lame), 8);
  return "GOGO";
}

}  // namespace MPEG

void TMPEGaudio::Clear() {
  FileSize_ = 0;
  EncoderTag_.clear();
  VBR_ = VBRInfo{};
  Frame_ = MPEG::ClearedFrame();
  ID3v1_.Clear();
  ID3v2_.Clear();
}

bool TMPEGaudio::ReadFromFile(const std::string& FileName) {
  FileSource src(FileName);
  return ReadFrom(src);
}

bool TMPEGaudio::ReadFrom(FileSource& src) {
  Clear();
  // The tags and the windows all come from the head and the tail of the file:
  // two reads cover what a typical file needs.
  src.CacheHead();
  src.CacheTail();
  const bool result = Analyse(src);
  if (!Frame_.Found) Clear();
  return result;
}

bool TMPEGaudio::Analyse(FileSource& src) {
  if (!ID3v2_.ReadFrom(src)) return false;
  if (!ID3v1_.ReadFrom(src)) return false;
  if (!src.IsOpen()) return false;
  FileSize_ = src.Size();

  std::array<std::uint8_t, MPEG::kWindowSize> window{};
  const std::int64_t audioStart = ID3v2_.TagSize();
  const std::size_t got = src.ReadAt(audioStart, window);
  MPEG::LocateFirstFrame(window, Frame_, VBR_);

  if (!Frame_.Found && got == window.size()) {
    window.fill(0);
    src.ReadAt((FileSize_ - audioStart) / 2, window);
    MPEG::LocateFirstFrame(window, Frame_, VBR_);
  }

  if (Frame_.Found && !VBR_.Found) {
    const std::int64_t tail = FileSize_ - static_cast<std::int64_t>(MPEG::kWindowSize) -
                              (ID3v1_.TagFound() ? static_cast<std::int64_t>(kID3v1BlockSize) : 0);
    if (tail < 0 || !src.ReadExact(tail, window)) return false;
    EncoderTag_ = MPEG::FindEncoderTag(window, 5 * std::int64_t{Frame_.Size});
  }
  return true;
}

std::uint16_t TMPEGaudio::BitRate() const {
  if (VBR_.Found && VBR_.FrameCount > 0) {
    const double factor = MPEG::SizeFactor(Frame_);
    const double rate = MPEG::TableSampleRate(Frame_.VersionCode, Frame_.SampleRateIndex);
    if (factor == 0 || rate == 0) return 0;
    const double kbps = (static_cast<double>(VBR_.ByteCount) / VBR_.FrameCount - MPEG::PaddingSize(Frame_)) * rate /
                        factor / 1000;
    // Ties go to the even neighbour (the default rounding mode). A rate beyond
    // the type's range is held at its edge rather than wrapped round into a
    // plausible-looking value.
    const double rounded = std::nearbyint(kbps);
    if (!(rounded > 0)) return 0;
    if (rounded >= 65535) return 65535;
    return static_cast<std::uint16_t>(rounded);
  }
  return MPEG::TableBitRate(Frame_.VersionCode, Frame_.LayerCode, Frame_.BitRateIndex);
}

double TMPEGaudio::Duration() const {
  if (!Frame_.Found) return 0;
  const double rate = MPEG::TableSampleRate(Frame_.VersionCode, Frame_.SampleRateIndex);
  if (VBR_.Found && VBR_.FrameCount > 0) {
    if (rate == 0) return 0;
    return 8.0 * MPEG::SizeFactor(Frame_) * VBR_.FrameCount / rate;
  }
  const double kbps = MPEG::TableBitRate(Frame_.VersionCode, Frame_.LayerCode, Frame_.BitRateIndex);
  if (kbps == 0) return 0;
  std::int64_t audio = FileSize_ - ID3v2_.TagSize();
  if (ID3v1_.TagFound()) audio -= static_cast<std::int64_t>(kID3v1BlockSize);
  return static_cast<double>(audio - std::int64_t{Frame_.Position}) * 8 / kbps / 1000;
}

bool TMPEGaudio::IsValid() const {
  const std::uint16_t rate = BitRate();
  return Frame_.Found && rate >= 8 && rate <= 448 && Duration() >= 0.1;
}
