#pragma once
// Reader of the ID3v2 tag at the start of a file: its size and up to sixteen
// kinds of text frame (versions 2, 3 and 4). Texts are Windows-1252 bytes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FileSource;

class TID3v2 {
 public:
  static constexpr std::size_t kSlotCount = 16;
  static constexpr std::size_t kSlotSize = 500;

  TID3v2() { Clear(); }
  void Clear();
  // True when the file could be opened and its first 10 bytes read.
  bool ReadFromFile(const std::string& FileName);
  bool ReadFrom(FileSource& src);

  bool TagFound() const { return TagFound_; }
  std::uint8_t Version() const { return Version_; }
  std::int32_t TagSize() const { return TagSize_; }
  const std::string& Title() const { return Title_; }
  const std::string& Artist() const { return Artist_; }
  const std::string& Album() const { return Album_; }
  std::uint16_t Track() const { return Track_; }
  const std::string& Year() const { return Year_; }
  const std::string& Genre() const { return Genre_; }
  const std::string& Comment() const { return Comment_; }
  const std::string& Composer() const { return Composer_; }
  const std::string& EncodedBy() const { return EncodedBy_; }
  const std::string& Copyright() const { return Copyright_; }
  const std::string& Language() const { return Language_; }
  const std::string& Link() const { return Link_; }

  // A slot's 500 bytes decoded: encoding byte 1 is UTF-16 (low byte first),
  // anything else is taken as 8-bit text; the result is trimmed.
  static std::string DecodeText(std::string_view content);

 private:
  bool TagFound_;
  std::uint8_t Version_;
  std::int32_t TagSize_;
  std::string Title_, Artist_, Album_;
  std::uint16_t Track_;
  std::string Year_, Genre_, Comment_, Composer_, EncodedBy_, Copyright_, Language_, Link_;
};
