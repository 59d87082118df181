#pragma once
// The ID3v1 block: the last 128 bytes of a file, "TAG" first. Texts are
// Windows-1252 bytes.
#include <array>
#include <cstdint>
#include <span>
#include <string>

class FileSource;

inline constexpr std::size_t kID3v1BlockSize = 128;
inline constexpr std::uint8_t kNoGenre = 255;

// 148 names for reading a genre byte.
extern const std::array<const char*, 148> ID3v1Genres;
// 126 names offered for picking a genre; the picked name's index is the byte written.
extern const std::array<const char*, 126> GenreChoices;

// The index of name in GenreChoices (exact, case-sensitive), or kNoGenre.
std::uint8_t GenreByteOf(const std::string& name);

class TID3v1 {
 public:
  TID3v1() { Clear(); }
  void Clear();
  // True when the last 128 bytes could be read, tag or not.
  bool ReadFromFile(const std::string& FileName);
  // The same over a file already open.
  bool ReadFrom(FileSource& src);
  // The pure step: fills the properties from one block.
  void ParseBlock(std::span<const std::uint8_t, kID3v1BlockSize> block);

  bool TagFound() const { return TagFound_; }
  std::uint8_t TagVersion() const { return TagVersion_; }
  const std::string& Title() const { return Title_; }
  const std::string& Artist() const { return Artist_; }
  const std::string& Album() const { return Album_; }
  const std::string& Year() const { return Year_; }
  const std::string& Comment() const { return Comment_; }
  std::uint8_t Track() const { return Track_; }
  std::uint8_t GenreIndex() const { return GenreIndex_; }
  // ID3v1Genres[GenreIndex] below 148, otherwise empty.
  std::string GenreName() const;

  // 1 = ID3v1.0, 2 = ID3v1.1, from the bytes at offsets 125 and 126.
  static std::uint8_t DetectTagVersion(std::uint8_t b125, std::uint8_t b126);

 private:
  bool TagFound_;
  std::uint8_t TagVersion_;
  std::string Title_, Artist_, Album_, Year_, Comment_;
  std::uint8_t Track_;
  std::uint8_t GenreIndex_;
};
