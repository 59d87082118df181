#pragma once
// The one way the program writes an ID3v1 block. It never shortens a file and
// never removes a tag: it replaces the last 128 bytes of a file that already
// ends with a tag, or appends 128 bytes to one that does not. When the write
// fails the file is left as it was (an appended partial block is cut off
// again, an overwritten one is put back).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ID3v1.h"

struct ID3v1Fields {
  std::string Title;    // Windows-1252 bytes; at most 30 are stored
  std::string Artist;   // 30
  std::string Album;    // 30
  std::string Year;     // 4
  std::string Comment;  // 30, or 28 when a track is stored
  std::optional<std::uint8_t> Track;  // byte 126, the ID3v1.1 position
  std::string GenreName;  // looked up in GenreChoices; no match stores 255
};

// 128 zero bytes, "TAG", the texts left-aligned and cut to their widths (never
// padded with spaces), the track at 126 when given, the genre byte at 127.
std::array<std::uint8_t, kID3v1BlockSize> BuildID3v1Block(const ID3v1Fields& fields);

enum class ID3v1WriteResult {
  Ok,
  OpenFailed,   // missing, no permission, not a regular file
  WriteFailed,  // positioning or writing failed; the file is as it was
};

// fileEndsWithTag: the caller's own finding (it decides replace or append).
ID3v1WriteResult WriteID3v1Block(const std::string& FileName, const std::array<std::uint8_t, kID3v1BlockSize>& block,
                                 bool fileEndsWithTag);
