#pragma once
#include <string>
#include <vector>

// Plain system-call loops over the same files: the least any reader can cost.
// Each returns a checksum of the bytes read so the work cannot be optimised away.

// open, fstat, pread 3 bytes at 0, 128 at the end, 4 at offset 0, close.
unsigned ProbeFloor(const std::vector<std::string>& paths);
// open, fstat, pread 10 bytes at 0, 128 at the end, 3458 after the ID3v2 tag, close.
unsigned AnalysisFloor(const std::vector<std::string>& paths);
