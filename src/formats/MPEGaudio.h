#pragma once
// Analysis of one MP3 file: its ID3v2 and ID3v1 tags, the first MPEG audio
// frame after the ID3v2 tag, a Xing or VBRI header, and from those the bit rate
// (the average for VBR), the play time and whether there is a usable stream.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "ID3v1.h"
#include "ID3v2.h"

class FileSource;

struct FrameInfo {
  bool Found;
  std::uint32_t Position;  // offset of the header within the search window
  std::uint16_t Size;      // frame length by the frame-length rule
  bool StartsEmpty;        // the six bytes after the header are all zero
  std::array<std::uint8_t, 4> HeaderBytes;
  std::uint8_t VersionCode;
  std::uint8_t LayerCode;
  bool Protected;
  std::uint16_t BitRateIndex;
  std::uint16_t SampleRateIndex;
  bool Padded;
  bool PrivateBit;
  std::uint8_t ModeCode;
  std::uint8_t ModeExtension;
  bool CopyrightBit;
  bool OriginalBit;
  std::uint8_t EmphasisCode;
};

struct VBRInfo {
  bool Found;
  std::string Marker;  // "Xing" or "VBRI"
  std::uint32_t FrameCount;
  std::uint32_t ByteCount;
  std::uint8_t Quality;
  std::string EncoderText;  // 8 characters after a Xing header
};

namespace MPEG {

inline constexpr std::size_t kWindowSize = 3458;   // twice the longest frame
inline constexpr std::size_t kLastStart = 1729;    // last position tried for a header
using Window = std::span<const std::uint8_t, kWindowSize>;

enum VersionCodes : std::uint8_t { MPEG25 = 0, Reserved = 1, MPEG2 = 2, MPEG1 = 3 };
enum LayerCodes : std::uint8_t { LayerReserved = 0, Layer3 = 1, Layer2 = 2, Layer1 = 3 };
enum ModeCodes : std::uint8_t { Stereo = 0, JointStereo = 1, DualChannel = 2, Mono = 3 };

// kbit/s by version code, layer code and bit-rate index; 0 where undefined.
std::uint16_t TableBitRate(std::uint8_t version, std::uint8_t layer, std::uint16_t index);
// Hz by version code and sample-rate index; 0 where undefined.
std::uint32_t TableSampleRate(std::uint8_t version, std::uint16_t index);

// A frame record with every field zero or "unknown".
FrameInfo ClearedFrame();
bool IsValidHeader(std::span<const std::uint8_t, 4> header);
FrameInfo ParseHeader(std::span<const std::uint8_t, 4> header);
// 48 for Layer I, 144 for Layers II and III of MPEG-1, 72 for Layer III of
// MPEG-2 and 2.5; samples per frame are 8 times this.
std::uint32_t SizeFactor(const FrameInfo& frame);
std::uint32_t PaddingSize(const FrameInfo& frame);
std::uint32_t FrameLength(const FrameInfo& frame);
std::uint32_t VBRHeaderOffset(const FrameInfo& frame);

// Clears both records, finds the first accepted frame in the window and reads
// a VBR header at its offset. The VBR record is touched only when a frame is found.
void LocateFirstFrame(Window window, FrameInfo& frame, VBRInfo& vbr);
// Backward search for "LAME" + four characters or "GOGO" in the last span bytes.
std::string FindEncoderTag(Window window, std::int64_t span);

}  // namespace MPEG

class TMPEGaudio {
 public:
  TMPEGaudio() { Clear(); }
  void Clear();
  // True when the file could be read to the end of the analysis; it does not
  // mean a stream was found (IsValid does).
  bool ReadFromFile(const std::string& FileName);
  bool ReadFrom(FileSource& src);

  std::int64_t FileSize() const { return FileSize_; }
  const std::string& EncoderTag() const { return EncoderTag_; }
  const VBRInfo& VBR() const { return VBR_; }
  const FrameInfo& Frame() const { return Frame_; }
  const TID3v1& ID3v1() const { return ID3v1_; }
  const TID3v2& ID3v2() const { return ID3v2_; }

  std::uint16_t BitRate() const;  // kbit/s, the average for VBR
  double Duration() const;        // seconds
  bool IsValid() const;

 private:
  bool Analyse(FileSource& src);

  std::int64_t FileSize_;
  std::string EncoderTag_;
  VBRInfo VBR_;
  FrameInfo Frame_;
  TID3v1 ID3v1_;
  TID3v2 ID3v2_;
};
