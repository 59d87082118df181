#include "ProbeOffset.h"

#include "FileSource.h"

std::int32_t ProbeFrameOffset(std::span<const std::uint8_t, 10> head) {
  if (head[0] != 'I' || head[1] != 'D' || head[2] != '3') return 0;
  const std::int32_t size = ((head[6] & 0x7F) << 21) | ((head[7] & 0x7F) << 14) | ((head[8] & 0x7F) << 7) |
                            (head[9] & 0x7F);
  return size > 0 ? size + 10 : 0;
}

std::int32_t ProbeFrameOffset(const std::string& FileName) {
  std::array<std::uint8_t, 10> head{};
  FileSource src(FileName);
  src.ReadAt(0, head);
  return ProbeFrameOffset(head);
}
