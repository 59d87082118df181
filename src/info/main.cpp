// quindle-info [--pretty] FILE...
// Prints one JSON object per file: what the program's readers make of it.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "InfoJson.h"

int main(int argc, char** argv) {
  bool pretty = false;
  std::vector<std::string> files;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options && arg == "--") options = false;
    else if (options && arg == "--pretty") pretty = true;
    else if (options && (arg == "-h" || arg == "--help")) {
      std::puts("usage: quindle-info [--pretty] FILE...\n"
                "Prints one JSON object per file: ID3v1, ID3v2, MPEG stream, WMA header and probe facts.");
      return 0;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "quindle-info: unknown option %s\n", arg.c_str());
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::fputs("usage: quindle-info [--pretty] FILE...\n", stderr);
    return 2;
  }
  int status = 0;
  for (const auto& file : files) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
      std::fprintf(stderr, "quindle-info: %s: %s\n", file.c_str(), std::strerror(errno));
      status = 1;
    }
    const std::string line = DescribeFile(file, pretty);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  return status;
}
