#pragma once
// Records shared by the main window's operations.
#include <cstdint>
#include <string>

namespace Morv {

// Result of the quick probe and of the details panel for one file.
struct TID3Svar {
  std::uint8_t TagKind = 0;        // 0 none, 1 ID3v1 only, 2 ID3v2 only, 3 both
  std::uint8_t Layer = 0;          // 1, 2, 3; 0 unknown
  std::string VersionText;         // "MPEG 1.0", "MPEG 2.0", "MPEG 2.5" or empty
  std::uint8_t ProtectionBit = 0;  // as stored (1 = no CRC)
  std::int32_t SampleRate = 0;     // Hz; 0 unknown
  std::uint8_t ChannelMode = 255;  // 3 stereo, 1 joint, 2 dual, 0 mono, 255 unknown
  std::int32_t BitRate = 0;        // kbit/s, filled by the details panel
  std::string TimeText;            // "M:SS", filled by the details panel
  bool VbrFlag = false;            // filled by the details panel
};

}  // namespace Morv
