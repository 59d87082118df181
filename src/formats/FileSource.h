#pragma once
// Bounded, positioned reads from one open file (or from bytes in memory, for
// tests and fuzzing). Every reader of untrusted files goes through this: a read
// never reaches outside the file, never goes below offset 0, and reports how
// many bytes it really delivered. The head and tail of a file can be cached in
// one read each so that a reader touching several small places costs a couple
// of system calls, not one per place.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class FileSource {
 public:
  static constexpr std::size_t kHeadCacheSize = 8192;
  static constexpr std::size_t kTailCacheSize = 3458 + 128;

  // Opens read-only; IsOpen() tells whether that worked. The size comes from
  // one fstat of the open file.
  explicit FileSource(const std::string& path);
  // Reads from bytes the caller keeps alive for the object's lifetime.
  explicit FileSource(std::span<const std::uint8_t> memory);
  ~FileSource();
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool IsOpen() const { return open_; }
  std::int64_t Size() const { return size_; }

  // Reads up to out.size() bytes at pos into out; returns the number of bytes
  // delivered (short at the end of the file, 0 for pos < 0 or on an I/O error).
  std::size_t ReadAt(std::int64_t pos, std::span<std::uint8_t> out);
  // True only when all of out could be read.
  bool ReadExact(std::int64_t pos, std::span<std::uint8_t> out) { return ReadAt(pos, out) == out.size(); }

  // Read the first kHeadCacheSize / last kTailCacheSize bytes in one read each;
  // later reads that fall inside are served from memory.
  void CacheHead();
  void CacheTail();

 private:
  struct Cache {
    std::int64_t pos = 0;
    std::size_t len = 0;
    bool valid = false;
  };
  std::size_t RawRead(std::int64_t pos, std::span<std::uint8_t> out);
  bool ServeFrom(const Cache& c, const std::uint8_t* data, std::int64_t pos, std::span<std::uint8_t> out) const;

  int fd_ = -1;
  bool open_ = false;
  std::int64_t size_ = 0;
  const std::uint8_t* memory_ = nullptr;
  Cache head_, tail_;
  // Left uninitialised on purpose: only the bytes a read delivered are served.
  std::array<std::uint8_t, kHeadCacheSize> headData_;
  std::array<std::uint8_t, kTailCacheSize> tailData_;
};
