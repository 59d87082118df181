#pragma once
// Reader of a WMA (ASF) file's header: stream properties and tag texts.
#include <cstdint>
#include <string>

class FileSource;

class TWMAfile {
 public:
  TWMAfile() { Clear(); }
  void Clear();
  // True when the file could be opened and its header walked without a read
  // error (an ASF file or not); HeaderValid tells whether usable values came.
  bool ReadFromFile(const std::string& FileName);
  bool ReadFrom(FileSource& src);

  bool HeaderValid() const { return HeaderValid_; }
  std::int64_t FileSize() const { return FileSize_; }
  std::uint8_t ChannelCount() const { return ChannelCount_; }
  std::int32_t SampleRate() const { return SampleRate_; }
  double Duration() const { return Duration_; }
  std::int32_t BitRate() const { return BitRate_; }
  const std::u16string& Title() const { return Title_; }
  const std::u16string& Artist() const { return Artist_; }
  const std::u16string& Album() const { return Album_; }
  std::int32_t Track() const { return Track_; }
  const std::u16string& Year() const { return Year_; }
  const std::u16string& Genre() const { return Genre_; }
  const std::u16string& Comment() const { return Comment_; }
  // "Unknown", "Mono" or "Stereo".
  std::string ChannelModeName() const;

 private:
  bool HeaderValid_;
  std::int64_t FileSize_;
  std::uint8_t ChannelCount_;
  std::int32_t SampleRate_;
  double Duration_;
  std::int32_t BitRate_;
  std::u16string Title_, Artist_, Album_;
  std::int32_t Track_;
  std::u16string Year_, Genre_, Comment_;
};
