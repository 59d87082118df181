#pragma once
#include <string>

// One JSON object describing a file: the ID3v1 and ID3v2 readers, the MPEG
// analysis, the WMA reader (for ".wma" names) and the quick probe.
std::string DescribeFile(const std::string& path, bool pretty);
