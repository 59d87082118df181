#pragma once
// Where the details panel expects the first frame header: just after the
// ID3v2 tag, its size taken from the low seven bits of each size byte, plus
// the 10-byte header when the size is above 0. A footer is not counted.
#include <array>
#include <cstdint>
#include <span>
#include <string>

std::int32_t ProbeFrameOffset(std::span<const std::uint8_t, 10> head);
// Reads the first 10 bytes; a file that cannot be read counts as all zero.
std::int32_t ProbeFrameOffset(const std::string& FileName);
