// The ID3v2 reader: tag size, the frame walk, text decoding and the rules that
// turn frames into properties; and that no byte sequence can make it misbehave.
#include <QtTest>

#include <algorithm>
#include <functional>
#include <map>
#include <span>

#include "FileSource.h"
#include "Fixtures.h"
#include "ID3v2.h"

using Fx::Bytes;
using Fx::Frame;

Q_DECLARE_METATYPE(Bytes)

namespace {

const char* const kProps[] = {"Title", "Artist", "Album", "Track", "Year", "Genre",
                              "Comment", "Composer", "EncodedBy", "Copyright", "Language", "Link"};

QByteArray Property(const TID3v2& t, const QString& name) {
  const std::map<QString, std::function<std::string()>> props = {
      {"Title", [&] { return t.Title(); }},
      {"Artist", [&] { return t.Artist(); }},
      {"Album", [&] { return t.Album(); }},
      {"Track", [&] { return std::to_string(t.Track()); }},
      {"Year", [&] { return t.Year(); }},
      {"Genre", [&] { return t.Genre(); }},
      {"Comment", [&] { return t.Comment(); }},
      {"Composer", [&] { return t.Composer(); }},
      {"EncodedBy", [&] { return t.EncodedBy(); }},
      {"Copyright", [&] { return t.Copyright(); }},
      {"Language", [&] { return t.Language(); }},
      {"Link", [&] { return t.Link(); }},
  };
  const auto it = props.find(name);
  if (it == props.end()) qFatal("no property %s", qPrintable(name));
  return QByteArray::fromStdString(it->second());
}

QByteArray EmptyValueOf(const char* prop) { return QByteArray(prop) == "Track" ? "0" : ""; }

Bytes Be32(std::uint32_t n) {
  return {static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8),
          static_cast<std::uint8_t>(n)};
}

// A tag followed by some audio, so that the tag fits inside the file.
Bytes File(std::uint8_t version, const std::vector<Frame>& frames, std::size_t padding = 0) {
  return Fx::Cat({Fx::ID3v2(version, frames, padding), Bytes(64, 0xFF)});
}

// A version 3 tag whose body is given byte for byte.
Bytes RawTag(const Bytes& body, std::uint8_t flags = 0) {
  return Fx::Cat({Fx::Text("ID3"), Bytes{3, 0, flags}, Fx::SyncSafe(static_cast<std::uint32_t>(body.size())), body,
                  Bytes(64, 0xFF)});
}
Bytes Frame3(const std::string& id, std::uint32_t size, const Bytes& content) {
  return Fx::Cat({Fx::Text(id), Be32(size), Bytes{0, 0}, content});
}

Frame T(const std::string& id, const std::string& text, std::uint8_t encoding = 0) {
  return {id, Fx::TextContent(text, encoding)};
}
Frame U(const std::string& id, const std::u16string& text, bool bom = true) {
  return {id, Fx::Utf16Content(text, bom)};
}

// COMM / WXXX content: encoding, (language,) description, separator, text.
Bytes Described(std::uint8_t encoding, const std::string& lang, const Bytes& description, const Bytes& text) {
  const Bytes sep = encoding == 1 ? Bytes{0, 0} : Bytes{0};
  return Fx::Cat({Bytes{encoding}, Fx::Text(lang), description, sep, text});
}

TID3v2 Read(const Bytes& file, bool* ok = nullptr) {
  TID3v2 tag;
  FileSource src{std::span<const std::uint8_t>(file)};
  const bool result = tag.ReadFrom(src);
  if (ok) *ok = result;
  return tag;
}

}  // namespace

class TestID3v2 : public QObject {
  Q_OBJECT

 private slots:
  void header_data();
  void header();
  void frameSlots_data();
  void frameSlots();
  void property_data();
  void property();
  void decodeText_data();
  void decodeText();
  void walk_data();
  void walk();
  void readFromFile();
  void prefixesAndCorruptBytes();
};

void TestID3v2::header_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<bool>("found");
  QTest::addColumn<int>("version");
  QTest::addColumn<int>("tagSize");

  const auto head = [](const char* marker, std::uint8_t version, std::uint8_t flags, const Bytes& size,
                       std::size_t fileSize) {
    Bytes b = Fx::Cat({Fx::Text(marker), Bytes{version, 0, flags}, size});
    b.resize(fileSize, 0);
    return b;
  };
  QTest::newRow("size 00 00 02 01") << head("ID3", 3, 0, {0, 0, 2, 1}, 400) << true << true << 3 << 267;
  QTest::newRow("footer flag") << head("ID3", 3, 0x10, {0, 0, 2, 1}, 400) << true << true << 3 << 277;
  QTest::newRow("other flags add nothing") << head("ID3", 3, 0xEF, {0, 0, 2, 1}, 400) << true << true << 3 << 267;
  QTest::newRow("size equals the file") << head("ID3", 3, 0, {0, 0, 2, 1}, 267) << true << true << 3 << 267;
  QTest::newRow("one byte past the file") << head("ID3", 3, 0, {0, 0, 2, 1}, 266) << true << true << 3 << 0;
  QTest::newRow("footer pushes past the file") << head("ID3", 3, 0x10, {0, 0, 2, 1}, 270) << true << true << 3 << 0;
  QTest::newRow("top bit not masked") << head("ID3", 3, 0, {0, 0, 0, 0x80}, 400) << true << true << 3 << 138;
  QTest::newRow("size byte 1 weighs 2^14") << head("ID3", 3, 0, {0, 1, 0, 0}, 20000) << true << true << 3 << 16394;
  QTest::newRow("all size bytes FF") << head("ID3", 4, 0x10, {0xFF, 0xFF, 0xFF, 0xFF}, 64) << true << true << 4 << 0;
  QTest::newRow("version 5") << head("ID3", 5, 0, {0, 0, 0, 20}, 100) << true << true << 5 << 30;
  QTest::newRow("header only") << head("ID3", 3, 0, {0, 0, 0, 0}, 10) << true << true << 3 << 10;
  QTest::newRow("lower-case marker") << head("id3", 3, 0, {0, 0, 0, 20}, 100) << true << false << 0 << 0;
  QTest::newRow("mpeg audio") << Fx::Frames({}, 2) << true << false << 0 << 0;
  QTest::newRow("9 bytes") << head("ID3", 3, 0, {0, 0, 0}, 9) << false << false << 0 << 0;
  QTest::newRow("empty file") << Bytes{} << false << false << 0 << 0;
}

void TestID3v2::header() {
  QFETCH(Bytes, file);
  QFETCH(bool, ok);
  QFETCH(bool, found);
  QFETCH(int, version);
  QFETCH(int, tagSize);
  bool result = false;
  const TID3v2 tag = Read(file, &result);
  QCOMPARE(result, ok);
  QCOMPARE(tag.TagFound(), found);
  QCOMPARE(int(tag.Version()), version);
  QCOMPARE(int(tag.TagSize()), tagSize);
}

// Every slot, by its id for each version, lands in its own property and no other.
void TestID3v2::frameSlots_data() {
  QTest::addColumn<int>("version");
  QTest::addColumn<QByteArray>("id");
  QTest::addColumn<Bytes>("content");
  QTest::addColumn<QString>("prop");
  QTest::addColumn<QByteArray>("expected");

  struct Row {
    const char* v3;
    const char* v2;
    const char* prop;
    Bytes content;
    const char* expected;
  };
  const Row rows[] = {
      {"TIT2", "TT2", "Title", Fx::TextContent("Song"), "Song"},
      {"TPE1", "TP1", "Artist", Fx::TextContent("Band"), "Band"},
      {"TALB", "TAL", "Album", Fx::TextContent("Disc"), "Disc"},
      {"TRCK", "TRK", "Track", Fx::TextContent("12"), "12"},
      {"TYER", "TYE", "Year", Fx::TextContent("1999"), "1999"},
      {"TCON", "TCO", "Genre", Fx::TextContent("Rock"), "Rock"},
      {"COMM", "COM", "Comment", Described(0, "eng", {}, Fx::Text("Nice")), "Nice"},
      {"TCOM", "TCM", "Composer", Fx::TextContent("Bach"), "Bach"},
      {"TENC", "TEN", "EncodedBy", Fx::TextContent("Lame"), "Lame"},
      {"TCOP", "TCR", "Copyright", Fx::TextContent("(c) Me"), "(c) Me"},
      {"TLAN", "TLA", "Language", Fx::TextContent("swe"), "swe"},
      {"WXXX", "WXX", "Link", Described(0, "", {}, Fx::Text("http://a.se")), "http://a.se"},
      {"TDRC", "TOR", "Year", Fx::TextContent("2003-05-01"), "2003"},
      {"TOPE", "TOA", "Artist", Fx::TextContent("Orig"), "Orig"},
      {"TIT1", "TT1", "Title", Fx::TextContent("Group"), "Group"},
      {"TOAL", "TOT", "Album", Fx::TextContent("First"), "First"},
  };
  for (const auto& r : rows) {
    for (int version : {2, 3, 4}) {
      const char* id = version == 2 ? r.v2 : r.v3;
      QTest::addRow("v%d %s", version, id) << version << QByteArray(id) << r.content << QString(r.prop)
                                           << QByteArray(r.expected);
    }
  }
}

void TestID3v2::frameSlots() {
  QFETCH(int, version);
  QFETCH(QByteArray, id);
  QFETCH(Bytes, content);
  QFETCH(QString, prop);
  QFETCH(QByteArray, expected);
  const TID3v2 tag = Read(File(static_cast<std::uint8_t>(version), {{id.toStdString(), content}}));
  QVERIFY(tag.TagFound());
  for (const char* p : kProps) {
    QCOMPARE(Property(tag, p), prop == p ? expected : EmptyValueOf(p));
  }
}

void TestID3v2::property_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<QString>("prop");
  QTest::addColumn<QByteArray>("expected");

  const auto track = [](const char* row, const std::string& text, const char* expected) {
    QTest::newRow(row) << File(3, {T("TRCK", text)}) << QString("Track") << QByteArray(expected);
  };
  track("track 3/12", "3/12", "3");
  track("track up to the first slash", "1/2/3", "1");
  track("track A3", "A3", "0");
  track("track dollar hex", "$10", "16");
  track("track 0x hex", "0x1F", "31");
  track("track plus sign", "+5", "5");
  track("track minus one", "-1", "65535");
  track("track kept in 16 bits", "70000", "4464");
  track("track space before slash", "3 /12", "0");
  track("track trailing letters", "12abc", "0");
  track("track slash first", "/5", "0");
  track("track decimal past 31 bits", "2147483649", "0");
  track("track hex fills 32 bits", "$FFFFFFFF", "65535");
  track("track hex past 32 bits", "$100000000", "0");
  track("track sign only", "-", "0");
  track("track dollar only", "$", "0");

  const auto row = [](const char* name, const Bytes& file, const char* prop, const QByteArray& expected) {
    QTest::newRow(name) << file << QString(prop) << expected;
  };
  row("year from TDRC", File(3, {T("TDRC", "2003-05-01")}), "Year", "2003");
  row("TYER before TDRC", File(3, {T("TDRC", "2003-05-01"), T("TYER", "1999")}), "Year", "1999");
  row("blank TYER falls back", File(3, {T("TYER", "  "), T("TDRC", "2003")}), "Year", "2003");
  row("short TDRC", File(3, {T("TDRC", "20")}), "Year", "20");

  row("genre number only", File(3, {T("TCON", "(17)")}), "Genre", "");
  row("genre plain", File(3, {T("TCON", "Rock")}), "Genre", "Rock");
  row("genre number and name", File(3, {T("TCON", "(17)Rock")}), "Genre", "Rock");
  row("genre after the last parenthesis", File(3, {T("TCON", "(1)(2)Pop")}), "Genre", "Pop");
  row("genre ending in parenthesis", File(3, {T("TCON", "Rock (live)")}), "Genre", "");

  row("comment with description", File(3, {{"COMM", Described(0, "eng", Fx::Text("desc"), Fx::Text("text"))}}),
      "Comment", "text");
  row("comment utf-16",
      File(3, {{"COMM", Described(1, "eng", Bytes{0xFF, 0xFE}, Fx::Cat({Bytes{0xFF, 0xFE}, Fx::Utf16LE(u"h\u00E9j", false)}))}}), "Comment",
      "h\xE9j");
  Bytes noSeparator = Fx::Cat({Bytes{0}, Fx::Text("eng"), Bytes(496, 'x')});
  row("comment without separator", File(3, {{"COMM", noSeparator}}), "Comment", QByteArray(496, 'x'));
  // Without a separator, UTF-16 text loses one byte: here the 'X'.
  Bytes utf16NoSeparator = Fx::Cat({Bytes{1}, Fx::Text("eng"), Fx::Text("X")});
  for (int i = 0; i < 247; ++i) utf16NoSeparator = Fx::Cat({utf16NoSeparator, Bytes{'a', 0}});
  utf16NoSeparator.push_back('Z');
  row("utf-16 comment without separator", File(3, {{"COMM", utf16NoSeparator}}), "Comment", QByteArray(247, 'a'));
  row("link with description", File(3, {{"WXXX", Described(0, "", Fx::Text("home"), Fx::Text("http://b"))}}),
      "Link", "http://b");

  row("utf-16 with mark", File(3, {U("TIT2", u"\u00C5sa")}), "Title", "\xC5sa");
  row("utf-16 without mark", File(3, {U("TIT2", u"Hej", false)}), "Title", "Hej");
  row("utf-16 big-endian mark read low first", File(3, {{"TIT2", Bytes{1, 0xFE, 0xFF, 0, 'A'}}}), "Title", "??");
  row("utf-16 units with low byte FF dropped", File(3, {U("TIT2", u"a\u00FFb\u01FFc")}), "Title", "abc");
  row("utf-16 surrogate pair", File(3, {U("TIT2", u"x\U0001F3B5y")}), "Title", "x?y");
  row("utf-16 unmappable", File(3, {U("TIT2", u"\u4E2D\u20AC")}), "Title", "?\x80");
  row("utf-16 ends at a zero unit", File(3, {U("TIT2", std::u16string(u"ab\0cd", 5))}), "Title", "ab");
  row("utf-16 trimmed", File(3, {U("TIT2", u"  ab  ")}), "Title", "ab");
  row("latin trimmed, inside kept", File(3, {T("TIT2", " \tA  B\x01 ")}), "Title", "A  B");
  row("latin high bytes kept", File(3, {T("TIT2", "Gr\xE5\xA0")}), "Title", "Gr\xE5\xA0");
  row("encoding 2 not stored", File(3, {T("TIT2", "x", 2)}), "Title", "");
  row("encoding 3 gives way to TIT1", File(3, {T("TIT2", "utf8", 3), T("TIT1", "Group")}), "Title", "Group");
  row("main slot before fallback", File(3, {T("TIT1", "Group"), T("TIT2", "Song")}), "Title", "Song");
  row("last frame wins", File(3, {T("TIT2", "a"), T("TIT2", "b")}), "Title", "b");
  row("later encoding 2 ignored", File(3, {T("TIT2", "a"), T("TIT2", "b", 2)}), "Title", "a");
  row("content cut at 500", File(3, {T("TIT2", std::string(600, 'x'))}), "Title", QByteArray(499, 'x'));
  row("version 5 reads no frames", File(5, {T("TIT2", "Song")}), "Title", "");
  row("version 2 ignores long ids", File(2, {T("TIT2", "Song")}), "Title", "");
  row("version 3 ignores short ids", File(3, {T("TT2", "Song")}), "Title", "");
}

void TestID3v2::property() {
  QFETCH(Bytes, file);
  QFETCH(QString, prop);
  QFETCH(QByteArray, expected);
  QCOMPARE(Property(Read(file), prop), expected);
}

void TestID3v2::decodeText_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QByteArray>("expected");
  QTest::newRow("empty") << QByteArray() << QByteArray();
  QTest::newRow("encoding byte only") << QByteArray("\x01", 1) << QByteArray();
  QTest::newRow("mark only") << QByteArray("\x01\xFF\xFE", 3) << QByteArray();
  QTest::newRow("odd byte left over") << QByteArray("\x01" "a\0b", 4) << QByteArray("a");
  QTest::newRow("latin with zeros") << QByteArray("\0 hi\0\0", 6) << QByteArray("hi");
  QTest::newRow("latin inner control") << QByteArray("\0a\x01" "b\0", 5) << QByteArray("a\x01" "b");
  QTest::newRow("encoding 3 taken as it is") << QByteArray("\x03" "abc", 4) << QByteArray("abc");
}

void TestID3v2::decodeText() {
  QFETCH(QByteArray, content);
  QFETCH(QByteArray, expected);
  QCOMPARE(QByteArray::fromStdString(TID3v2::DecodeText(content.toStdString())), expected);
}

// Where the frame walk stops, and that it keeps what it found before.
void TestID3v2::walk_data() {
  QTest::addColumn<Bytes>("file");
  QTest::addColumn<QByteArray>("title");
  QTest::addColumn<QByteArray>("artist");

  const Bytes a = Frame3("TIT2", 2, Fx::TextContent("A"));
  const Bytes b = Frame3("TPE1", 2, Fx::TextContent("B"));
  QTest::newRow("both frames") << RawTag(Fx::Cat({a, b})) << QByteArray("A") << QByteArray("B");
  QTest::newRow("version 2 frames")
      << File(2, {T("TT2", "A"), T("TP1", "B")}) << QByteArray("A") << QByteArray("B");
  QTest::newRow("frame after the tag ignored")
      << Fx::Cat({Fx::ID3v2(3, {T("TIT2", "A")}), b, Bytes(64, 0xFF)}) << QByteArray("A") << QByteArray();
  QTest::newRow("padding ends the walk") << RawTag(Fx::Cat({a, Fx::Zeros(10), b})) << QByteArray("A") << QByteArray();
  QTest::newRow("lower-case id ends the walk")
      << RawTag(Fx::Cat({Frame3("tit2", 2, Fx::TextContent("x")), a, b})) << QByteArray() << QByteArray();
  QTest::newRow("extended header") << RawTag(Fx::Cat({Be32(6), Bytes{0, 0}, a, b}), 0x40) << QByteArray()
                                   << QByteArray();
  QTest::newRow("tag larger than the file") << Fx::Cat({Fx::Text("ID3"), Bytes{3, 0, 0}, Fx::SyncSafe(1000), a, b})
                                            << QByteArray() << QByteArray();
  QTest::newRow("long content, next frame still found")
      << File(3, {T("TIT2", std::string(700, 'x')), T("TPE1", "B")}) << QByteArray(499, 'x') << QByteArray("B");
  QTest::newRow("version 4 sizes are plain big-endian")
      << File(4, {T("TIT2", std::string(200, 'x')), T("TPE1", "B")}) << QByteArray(200, 'x') << QByteArray("B");
  QTest::newRow("zero-size frame empties its slot")
      << RawTag(Fx::Cat({a, Frame3("TIT2", 0, {}), b})) << QByteArray() << QByteArray("B");
  QTest::newRow("size past 31 bits ends the walk")
      << RawTag(Fx::Cat({a, Frame3("TPE1", 0x80000000u, Fx::TextContent("B")), Fx::Zeros(600)})) << QByteArray("A")
      << QByteArray();
  QTest::newRow("size of 2^31-1 read, then the walk ends")
      << RawTag(Fx::Cat({Frame3("TPE1", 0x7FFFFFFFu, Fx::TextContent("B")), Fx::Zeros(500)})) << QByteArray()
      << QByteArray("B");

  // The file ends inside a frame's content, or inside a frame header; the
  // header's size is made to match the cut file, so only the frame overruns.
  const auto cut = [](Bytes body, std::size_t keep) {
    body.resize(keep);
    return Fx::Cat({Fx::Text("ID3"), Bytes{3, 0, 0}, Fx::SyncSafe(static_cast<std::uint32_t>(keep)), body});
  };
  const Bytes longB = Frame3("TPE1", 100, Fx::Cat({Fx::TextContent("B"), Fx::Zeros(98)}));
  QTest::newRow("file ends inside content") << cut(Fx::Cat({a, longB}), a.size() + 15) << QByteArray("A")
                                            << QByteArray();
  QTest::newRow("file ends inside a header") << cut(Fx::Cat({a, b}), a.size() + 5) << QByteArray("A") << QByteArray();
}

void TestID3v2::walk() {
  QFETCH(Bytes, file);
  QFETCH(QByteArray, title);
  QFETCH(QByteArray, artist);
  const TID3v2 tag = Read(file);
  QVERIFY(tag.TagFound());
  QCOMPARE(QByteArray::fromStdString(tag.Title()), title);
  QCOMPARE(QByteArray::fromStdString(tag.Artist()), artist);
}

void TestID3v2::readFromFile() {
  QTemporaryDir dir;
  const std::string path = dir.filePath("tagged.mp3").toStdString();
  // A first frame longer than the cached head: the second is read past it.
  Fx::WriteFile(path, File(3, {T("TIT2", std::string(9000, 'x')), T("TPE1", "Band")}));
  TID3v2 tag;
  QVERIFY(tag.ReadFromFile(path));
  QCOMPARE(tag.Title(), std::string(499, 'x'));
  QCOMPARE(tag.Artist(), std::string("Band"));

  // A failed read clears what the last one found.
  const std::string shortPath = dir.filePath("short.mp3").toStdString();
  Fx::WriteFile(shortPath, Fx::Text("ID3\x03"));
  QVERIFY(!tag.ReadFromFile(shortPath));
  QVERIFY(!tag.TagFound());
  QVERIFY(tag.Artist().empty());
  QCOMPARE(tag.TagSize(), 0);
  QVERIFY(!tag.ReadFromFile(dir.filePath("missing.mp3").toStdString()));
  QVERIFY(!tag.ReadFromFile(dir.path().toStdString()));
}

// Every prefix of valid tags, every byte of their headers and first frames set
// to a few telling values, and a long run of empty frames: the reader must
// return, stay inside its input and never report a tag larger than the file.
// The sanitizer build turns any stray access into a failure.
void TestID3v2::prefixesAndCorruptBytes() {
  const std::vector<Bytes> fixtures = {
      File(3, {T("TIT2", "Song"), U("TPE1", u"B\u00E4nd"), {"COMM", Described(1, "eng", {}, Fx::Utf16LE(u"c"))},
               T("TRCK", "$7/9"), T("TCON", "(17)Rock"), {"WXXX", Described(0, "", {}, Fx::Text("u"))}},
           20),
      File(2, {T("TT2", "Song"), T("TP1", "Band"), {"COM", Described(0, "eng", {}, Fx::Text("c"))}}, 5),
      File(4, {T("TIT2", std::string(600, 's')), T("TDRC", "2001")}, 0),
  };
  const auto check = [](const Bytes& bytes) {
    bool ok = false;
    const TID3v2 tag = Read(bytes, &ok);
    QCOMPARE(ok, bytes.size() >= 10);
    QVERIFY(tag.TagSize() >= 0 && tag.TagSize() <= static_cast<std::int64_t>(bytes.size()));
    QVERIFY(tag.Title().size() < TID3v2::kSlotSize && tag.Comment().size() < TID3v2::kSlotSize);
  };
  for (const Bytes& full : fixtures) {
    for (std::size_t n = 0; n <= full.size(); ++n) {
      check(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
      if (QTest::currentTestFailed()) QFAIL(qPrintable(QString("prefix of %1 bytes").arg(n)));
    }
    for (std::size_t at = 3; at < std::min<std::size_t>(full.size(), 60); ++at) {
      for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
        Bytes bad = full;
        bad[at] = value;
        check(bad);
        if (QTest::currentTestFailed()) QFAIL(qPrintable(QString("byte %1 set to %2").arg(at).arg(int(value))));
      }
    }
  }

  Bytes many;
  for (int i = 0; i < 20000; ++i) Fx::Put(many, many.size(), Frame3("AAAA", 0, {}));
  const TID3v2 tag = Read(RawTag(many));
  QVERIFY(tag.TagFound());
  QVERIFY(tag.Title().empty());
}

QTEST_APPLESS_MAIN(TestID3v2)
#include "tst_id3v2.moc"
