#include "Floors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

unsigned ProbeFloor(const std::vector<std::string>& paths) {
  unsigned sum = 0;
  for (const auto& path : paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    ::fstat(fd, &st);
    std::uint8_t head[3], block[128], header[4];
    sum += static_cast<unsigned>(::pread(fd, head, sizeof head, 0));
    if (st.st_size >= 128) sum += static_cast<unsigned>(::pread(fd, block, sizeof block, st.st_size - 128));
    sum += static_cast<unsigned>(::pread(fd, header, sizeof header, 0));
    ::close(fd);
    sum += head[0] + block[0] + header[0];
  }
  return sum;
}

unsigned AnalysisFloor(const std::vector<std::string>& paths) {
  unsigned sum = 0;
  for (const auto& path : paths) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    ::fstat(fd, &st);
    std::uint8_t head[10] = {}, block[128], window[3458];
    sum += static_cast<unsigned>(::pread(fd, head, sizeof head, 0));
    if (st.st_size >= 128) sum += static_cast<unsigned>(::pread(fd, block, sizeof block, st.st_size - 128));
    off_t tag = 0;
    if (head[0] == 'I' && head[1] == 'D' && head[2] == '3')
      tag = ((head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 | (head[8] & 0x7F) << 7 | (head[9] & 0x7F)) + 10;
    sum += static_cast<unsigned>(::pread(fd, window, sizeof window, tag));
    ::close(fd);
    sum += block[0] + window[0];
  }
  return sum;
}
