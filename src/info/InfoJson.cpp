#include "InfoJson.h"

#include <sys/stat.h>

#include <cctype>

#include "Ansi.h"
#include "ID3v1.h"
#include "ID3v2.h"
#include "JsonWriter.h"
#include "MPEGaudio.h"
#include "ProbeOffset.h"
#include "QuickProbe.h"
#include "WMAfile.h"

namespace {

// Tag texts are Windows-1252 bytes; zero bytes inside stay (escaped as \u0000).
std::string Text(const std::string& cp1252) { return Ansi::ToUtf8(cp1252); }

std::string Utf8(const std::u16string& text) { return Ansi::ToUtf8(Ansi::FromUtf16(text)); }

std::string UpToZero(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string Hex(const std::array<std::uint8_t, 4>& bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (std::uint8_t b : bytes) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

bool EndsWithWma(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".wma";
}

void WriteID3v1(JsonWriter& j, const std::string& path) {
  TID3v1 tag;
  j.BeginObject("id3v1");
  j.Bool("ok", tag.ReadFromFile(path));
  j.Bool("TagFound", tag.TagFound());
  j.Number("TagVersion", std::int64_t{tag.TagVersion()});
  j.String("Title", Text(tag.Title()));
  j.String("Artist", Text(tag.Artist()));
  j.String("Album", Text(tag.Album()));
  j.String("Year", Text(tag.Year()));
  j.String("Comment", Text(tag.Comment()));
  j.Number("Track", std::int64_t{tag.Track()});
  j.Number("GenreIndex", std::int64_t{tag.GenreIndex()});
  j.String("GenreName", tag.GenreName());
  j.EndObject();
}

void WriteID3v2(JsonWriter& j, const std::string& path) {
  TID3v2 tag;
  j.BeginObject("id3v2");
  j.Bool("ok", tag.ReadFromFile(path));
  j.Bool("TagFound", tag.TagFound());
  j.Number("Version", std::int64_t{tag.Version()});
  j.Number("TagSize", std::int64_t{tag.TagSize()});
  j.String("Title", Text(tag.Title()));
  j.String("Artist", Text(tag.Artist()));
  j.String("Album", Text(tag.Album()));
  j.Number("Track", std::int64_t{tag.Track()});
  j.String("Year", Text(tag.Year()));
  j.String("Genre", Text(tag.Genre()));
  j.String("Comment", Text(tag.Comment()));
  j.String("Composer", Text(tag.Composer()));
  j.String("EncodedBy", Text(tag.EncodedBy()));
  j.String("Copyright", Text(tag.Copyright()));
  j.String("Language", Text(tag.Language()));
  j.String("Link", Text(tag.Link()));
  j.EndObject();
}

void WriteMpeg(JsonWriter& j, const std::string& path) {
  TMPEGaudio mpeg;
  j.BeginObject("mpeg");
  j.Bool("ok", mpeg.ReadFromFile(path));
  j.Bool("IsValid", mpeg.IsValid());
  j.Number("BitRate", std::int64_t{mpeg.BitRate()});
  j.Number("Duration", mpeg.Duration());
  j.Number("FileSize", mpeg.FileSize());
  j.String("EncoderTag", Text(mpeg.EncoderTag()));
  const VBRInfo& v = mpeg.VBR();
  j.BeginObject("VBR");
  j.Bool("Found", v.Found);
  j.String("Marker", Text(v.Marker));
  j.Number("FrameCount", std::int64_t{v.FrameCount});
  j.Number("ByteCount", std::int64_t{v.ByteCount});
  j.Number("Quality", std::int64_t{v.Quality});
  j.String("EncoderText", Text(v.EncoderText));
  j.EndObject();
  const FrameInfo& f = mpeg.Frame();
  j.BeginObject("Frame");
  j.Bool("Found", f.Found);
  j.Number("Position", std::int64_t{f.Position});
  j.Number("Size", std::int64_t{f.Size});
  j.Bool("StartsEmpty", f.StartsEmpty);
  j.String("HeaderBytes", Hex(f.HeaderBytes));
  j.Number("VersionCode", std::int64_t{f.VersionCode});
  j.Number("LayerCode", std::int64_t{f.LayerCode});
  j.Bool("Protected", f.Protected);
  j.Number("BitRateIndex", std::int64_t{f.BitRateIndex});
  j.Number("SampleRateIndex", std::int64_t{f.SampleRateIndex});
  j.Bool("Padded", f.Padded);
  j.Bool("PrivateBit", f.PrivateBit);
  j.Number("ModeCode", std::int64_t{f.ModeCode});
  j.Number("ModeExtension", std::int64_t{f.ModeExtension});
  j.Bool("CopyrightBit", f.CopyrightBit);
  j.Bool("OriginalBit", f.OriginalBit);
  j.Number("EmphasisCode", std::int64_t{f.EmphasisCode});
  j.EndObject();
  j.EndObject();
}

void WriteWma(JsonWriter& j, const std::string& path) {
  TWMAfile wma;
  j.BeginObject("wma");
  j.Bool("ok", wma.ReadFromFile(path));
  j.Bool("HeaderValid", wma.HeaderValid());
  j.Number("FileSize", wma.FileSize());
  j.Number("ChannelCount", std::int64_t{wma.ChannelCount()});
  j.Number("SampleRate", std::int64_t{wma.SampleRate()});
  j.Number("Duration", wma.Duration());
  j.Number("BitRate", std::int64_t{wma.BitRate()});
  j.String("Title", Utf8(wma.Title()));
  j.String("Artist", Utf8(wma.Artist()));
  j.String("Album", Utf8(wma.Album()));
  j.Number("Track", std::int64_t{wma.Track()});
  j.String("Year", Utf8(wma.Year()));
  j.String("Genre", Utf8(wma.Genre()));
  j.String("Comment", Utf8(wma.Comment()));
  j.String("ChannelModeName", wma.ChannelModeName());
  j.EndObject();
}

void WriteProbe(JsonWriter& j, const std::string& path) {
  TagProbe probe;
  probe.ProbeQuiet = true;
  Morv::TID3Svar svar;
  probe.HamtaId3Tag(path, ProbeFrameOffset(path), svar);
  j.BeginObject("probe");
  j.Number("TagKind", std::int64_t{svar.TagKind});
  j.Number("Layer", std::int64_t{svar.Layer});
  j.String("VersionText", svar.VersionText);
  j.Number("ProtectionBit", std::int64_t{svar.ProtectionBit});
  j.Number("SampleRate", std::int64_t{svar.SampleRate});
  j.Number("ChannelMode", std::int64_t{svar.ChannelMode});
  j.Number("BitRate", std::int64_t{svar.BitRate});
  j.String("TimeText", svar.TimeText);
  j.Bool("VbrFlag", svar.VbrFlag);
  j.BeginObject("last_block");
  j.String("ProbeTitle", Text(UpToZero(probe.ProbeTitle)));
  j.String("ProbeArtist", Text(UpToZero(probe.ProbeArtist)));
  j.String("ProbeAlbum", Text(UpToZero(probe.ProbeAlbum)));
  j.String("ProbeYear", Text(UpToZero(probe.ProbeYear)));
  j.String("ProbeComment", Text(UpToZero(probe.ProbeComment)));
  j.Number("ProbeTrack", std::int64_t{probe.ProbeTrack});
  j.EndObject();
  j.EndObject();
}

}  // namespace

std::string DescribeFile(const std::string& path, bool pretty) {
  JsonWriter j(pretty);
  j.BeginObject();
  j.String("file", path);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) j.Number("size", std::int64_t{st.st_size});
  else j.Null("size");
  WriteID3v1(j, path);
  WriteID3v2(j, path);
  WriteMpeg(j, path);
  if (EndsWithWma(path)) WriteWma(j, path);
  WriteProbe(j, path);
  j.EndObject();
  return j.Text();
}
