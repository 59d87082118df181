#include "BenchFolder.h"

#include <sys/stat.h>

#include <cstdio>

#include "Fixtures.h"

std::vector<std::string> MakeBenchFolder(const std::string& folder, int count) {
  ::mkdir(folder.c_str(), 0755);
  Fx::Mp cbr;  // MPEG-1 Layer III 128 kbit/s 44100 Hz
  Fx::Mp mono22 = cbr;
  mono22.version = 2;
  mono22.bitrateIndex = 8;
  mono22.mode = 3;
  const Fx::Bytes audio = Fx::Frames(cbr, 24);
  const Fx::Bytes kinds[4] = {
      Fx::Cat({Fx::ID3v2(3,
                         {{"TIT2", Fx::TextContent("A title of some length")},
                          {"TPE1", Fx::TextContent("An artist")},
                          {"TALB", Fx::TextContent("An album")},
                          {"TRCK", Fx::TextContent("7/12")},
                          {"APIC", Fx::Zeros(2500)}},
                         600),
               audio, Fx::ID3v1({.title = "Title", .artist = "Artist", .track = 7, .genre = 17})}),
      Fx::Cat({audio, Fx::ID3v1({.title = "Only v1", .artist = "Artist"})}),
      Fx::Cat({Fx::XingFrame(cbr, 24, 24 * 417, 50, "LAME3.99"), audio}),
      Fx::Cat({Fx::Frames(mono22, 60)}),
  };
  std::vector<std::string> paths;
  paths.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/Artist %05d - Title.mp3", i);
    const std::string path = folder + name;
    struct stat st {};
    const Fx::Bytes& bytes = kinds[i % 4];
    if (::stat(path.c_str(), &st) != 0 || st.st_size != static_cast<off_t>(bytes.size())) Fx::WriteFile(path, bytes);
    paths.push_back(path);
  }
  return paths;
}
