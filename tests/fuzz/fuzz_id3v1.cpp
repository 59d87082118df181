// The ID3v1 reader over arbitrary bytes: as a whole file, and its pure block step.
#include <cstddef>
#include <cstdint>
#include <span>

#include "FileSource.h"
#include "ID3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  FileSource src(bytes);
  TID3v1 tag;
  tag.ReadFrom(src);
  static_cast<void>(tag.GenreName());
  if (size >= kID3v1BlockSize) {
    tag.ParseBlock(bytes.first<kID3v1BlockSize>());
    static_cast<void>(tag.GenreName());
  }
  return 0;
}
