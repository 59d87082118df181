#pragma once
// A small streaming JSON writer that keeps keys in the order they are written,
// on one line or indented.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  explicit JsonWriter(bool pretty) : pretty_(pretty) {}

  void BeginObject(std::string_view key = {});
  void EndObject();
  void String(std::string_view key, std::string_view utf8);
  void Number(std::string_view key, std::int64_t value);
  void Number(std::string_view key, double value);  // null when not finite
  void Bool(std::string_view key, bool value);
  void Null(std::string_view key);

  // The text so far; complete once every object is ended.
  const std::string& Text() const { return out_; }

  static std::string Escape(std::string_view utf8);

 private:
  void Key(std::string_view key);
  void Newline();

  bool pretty_;
  std::string out_;
  std::vector<bool> hasMembers_;  // one entry per open object
};
