#include <cstddef>
#include <cstdint>
#include <span>

#include "FileSource.h"
#include "WMAfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FileSource src{std::span<const std::uint8_t>(data, size)};
  TWMAfile wma;
  wma.ReadFrom(src);
  return 0;
}
