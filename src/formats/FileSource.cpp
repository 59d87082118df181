#include "FileSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

FileSource::FileSource(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  size_ = st.st_size;
  open_ = true;
}

FileSource::FileSource(std::span<const std::uint8_t> memory)
    : open_(true), size_(static_cast<std::int64_t>(memory.size())), memory_(memory.data()) {}

FileSource::~FileSource() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t FileSource::RawRead(std::int64_t pos, std::span<std::uint8_t> out) {
  if (!open_ || pos < 0 || pos >= size_ || out.empty()) return 0;
  const auto avail = static_cast<std::uint64_t>(size_ - pos);
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), avail));
  if (memory_) {
    std::memcpy(out.data(), memory_ + pos, want);
    return want;
  }
  std::size_t done = 0;
  while (done < want) {
    const ssize_t n = ::pread(fd_, out.data() + done, want - done, static_cast<off_t>(pos) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // error or the file shrank under us: deliver what we have
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool FileSource::ServeFrom(const Cache& c, const std::uint8_t* data, std::int64_t pos,
                           std::span<std::uint8_t> out) const {
  if (!c.valid || pos < c.pos) return false;
  const auto offset = static_cast<std::uint64_t>(pos - c.pos);
  if (offset > c.len || out.size() > c.len - offset) return false;
  std::memcpy(out.data(), data + offset, out.size());
  return true;
}

std::size_t FileSource::ReadAt(std::int64_t pos, std::span<std::uint8_t> out) {
  if (!open_ || pos < 0 || pos >= size_ || out.empty()) return 0;
  const auto avail = static_cast<std::uint64_t>(size_ - pos);
  out = out.first(static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), avail)));
  if (ServeFrom(head_, headData_.data(), pos, out) || ServeFrom(tail_, tailData_.data(), pos, out))
    return out.size();
  return RawRead(pos, out);
}

void FileSource::CacheHead() {
  if (!open_ || head_.valid) return;
  const auto len = static_cast<std::size_t>(std::min<std::int64_t>(size_, kHeadCacheSize));
  head_.pos = 0;
  head_.len = RawRead(0, std::span(headData_).first(len));
  head_.valid = true;
}

void FileSource::CacheTail() {
  if (!open_ || tail_.valid) return;
  // A file the head cache holds whole needs no second read.
  if (head_.valid && head_.len == static_cast<std::size_t>(size_)) return;
  const auto len = static_cast<std::size_t>(std::min<std::int64_t>(size_, kTailCacheSize));
  tail_.pos = size_ - static_cast<std::int64_t>(len);
  tail_.len = RawRead(tail_.pos, std::span(tailData_).first(len));
  tail_.valid = true;
}
