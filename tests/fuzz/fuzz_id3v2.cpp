// The ID3v2 reader over arbitrary bytes: as a whole file (with and without the
// cached head the stream analysis uses), and its text decoding on its own.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "FileSource.h"
#include "ID3v2.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  {
    FileSource src(bytes);
    TID3v2 tag;
    tag.ReadFrom(src);
  }
  {
    FileSource src(bytes);
    src.CacheHead();
    TID3v2 tag;
    tag.ReadFrom(src);
  }
  static_cast<void>(TID3v2::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
