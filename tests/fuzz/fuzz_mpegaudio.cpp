// Feeds arbitrary bytes through the whole MP3 analysis, tags included, and
// through the window searches directly.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FileSource.h"
#include "MPEGaudio.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FileSource src{std::span<const std::uint8_t>(data, size)};
  TMPEGaudio mpeg;
  mpeg.ReadFrom(src);
  volatile double sink = mpeg.Duration() + mpeg.BitRate() + (mpeg.IsValid() ? 1 : 0);
  (void)sink;

  std::array<std::uint8_t, MPEG::kWindowSize> window{};
  std::copy_n(data, std::min(size, window.size()), window.begin());
  FrameInfo frame{};
  VBRInfo vbr{};
  MPEG::LocateFirstFrame(window, frame, vbr);
  const std::int64_t span = size > 0 ? static_cast<std::int64_t>(data[0]) * 37 - 100 : 0;
  (void)MPEG::FindEncoderTag(window, span);
  return 0;
}
