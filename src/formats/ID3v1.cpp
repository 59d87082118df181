#include "ID3v1.h"

#include <string_view>

#include "FileSource.h"

// The spellings below are the ones the program has always shown and written;
// they are kept as they are (typos included) so that tags stay comparable.
namespace {

constexpr std::array kReadingNames = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal",
    "Jazz+Funk",
    "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic",
    "Gothic",
    "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta",
    "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic",
    "Rave", "Showtunes",
    "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll",
    "Hard Rock",
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic",
    "Bluegrass",
    "Avantgarde", "Gothic Rock", "Progessive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band",
    "Chorus", "Easy Listening", "Acoustic",
    "Humour", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove",
    "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul",
    "Freestyle",
    "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House",
    "Hardcore",
    "Terror", "Indie", "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover",
    "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Trash Metal", "Anime", "JPop", "Synthpop"};

// The picker's list: the first 126 reading names, but with four spellings of
// its own. A name picked here is written as its index.
constexpr std::array<const char*, 126> PickerNames() {
  std::array<const char*, 126> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kReadingNames[i];
  names[92] = "Progressive Rock";
  names[117] = "Poweer Ballad";
  names[118] = "Rhytmic Soul";
  names[123] = "A Capella";
  return names;
}
constexpr std::array kPickerNames = PickerNames();

// Both lists are sized by their initialisers, so a lost or extra name fails
// the build instead of leaving a null entry behind.
static_assert(kReadingNames.size() == 148);
static_assert(kPickerNames.size() == 126);

}  // namespace

const std::array<const char*, 148> ID3v1Genres = kReadingNames;
const std::array<const char*, 126> GenreChoices = kPickerNames;

std::uint8_t GenreByteOf(const std::string& name) {
  for (std::size_t i = 0; i < GenreChoices.size(); ++i)
    if (name == GenreChoices[i]) return static_cast<std::uint8_t>(i);
  return kNoGenre;
}

namespace {

constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr std::size_t kTextWidth = 30, kYearWidth = 4, kV11CommentWidth = 28;

// A field's bytes whole (an inner zero byte stays), minus trailing bytes of
// 0x20 and below: writers pad with zeros or spaces, and some leave control bytes.
std::string FieldText(std::span<const std::uint8_t, kID3v1BlockSize> block, std::size_t at, std::size_t width) {
  std::size_t len = width;
  while (len > 0 && block[at + len - 1] <= 0x20) --len;
  return std::string(reinterpret_cast<const char*>(block.data() + at), len);
}

}  // namespace

void TID3v1::Clear() {
  TagFound_ = false;
  TagVersion_ = 1;
  Title_.clear();
  Artist_.clear();
  Album_.clear();
  Year_.clear();
  Comment_.clear();
  Track_ = 0;
  GenreIndex_ = kNoGenre;
}

std::uint8_t TID3v1::DetectTagVersion(std::uint8_t b125, std::uint8_t b126) {
  if ((b125 == 0 && b126 != 0) || (b125 == ' ' && b126 != ' ')) return 2;
  return 1;
}

void TID3v1::ParseBlock(std::span<const std::uint8_t, kID3v1BlockSize> block) {
  Clear();
  if (block[0] != 'T' || block[1] != 'A' || block[2] != 'G') return;
  TagFound_ = true;
  TagVersion_ = DetectTagVersion(block[125], block[126]);
  Title_ = FieldText(block, kTitleAt, kTextWidth);
  Artist_ = FieldText(block, kArtistAt, kTextWidth);
  Album_ = FieldText(block, kAlbumAt, kTextWidth);
  Year_ = FieldText(block, kYearAt, kYearWidth);
  if (TagVersion_ == 2) {
    Comment_ = FieldText(block, kCommentAt, kV11CommentWidth);
    Track_ = block[126];
  } else {
    Comment_ = FieldText(block, kCommentAt, kTextWidth);
  }
  GenreIndex_ = block[127];
}

bool TID3v1::ReadFrom(FileSource& src) {
  Clear();
  constexpr auto kBlock = static_cast<std::int64_t>(kID3v1BlockSize);
  if (!src.IsOpen() || src.Size() < kBlock) return false;
  std::array<std::uint8_t, kID3v1BlockSize> block{};
  if (!src.ReadExact(src.Size() - kBlock, block)) return false;
  ParseBlock(block);
  return true;
}

bool TID3v1::ReadFromFile(const std::string& FileName) {
  FileSource src(FileName);
  return ReadFrom(src);
}

std::string TID3v1::GenreName() const {
  if (GenreIndex_ < ID3v1Genres.size()) return ID3v1Genres[GenreIndex_];
  return {};
}
