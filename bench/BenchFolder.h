#pragma once
#include <string>
#include <vector>

// Makes (or reuses) a folder of synthetic MP3 files of mixed kinds: ID3v2 of a
// few KB with ID3v1, ID3v1 only, VBR with a Xing header, and untagged CBR.
// Returns the file paths in creation order.
std::vector<std::string> MakeBenchFolder(const std::string& folder, int count);
