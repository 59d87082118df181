#include "JsonWriter.h"

#include <charconv>
#include <cmath>

std::string JsonWriter::Escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::Newline() {
  if (!pretty_) return;
  out_ += '\n';
  out_.append(hasMembers_.size() * 2, ' ');
}

void JsonWriter::Key(std::string_view key) {
  if (hasMembers_.empty()) return;  // the outermost object has no key
  if (hasMembers_.back()) out_ += ',';
  hasMembers_.back() = true;
  Newline();
  out_ += Escape(key);
  out_ += pretty_ ? ": " : ":";
}

void JsonWriter::BeginObject(std::string_view key) {
  Key(key);
  out_ += '{';
  hasMembers_.push_back(false);
}

void JsonWriter::EndObject() {
  const bool had = hasMembers_.back();
  hasMembers_.pop_back();
  if (had) Newline();
  out_ += '}';
}

void JsonWriter::String(std::string_view key, std::string_view utf8) {
  Key(key);
  out_ += Escape(utf8);
}

void JsonWriter::Number(std::string_view key, std::int64_t value) {
  Key(key);
  out_ += std::to_string(value);
}

void JsonWriter::Number(std::string_view key, double value) {
  Key(key);
  if (!std::isfinite(value)) {
    out_ += "null";
    return;
  }
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, res.ptr);
}

void JsonWriter::Bool(std::string_view key, bool value) {
  Key(key);
  out_ += value ? "true" : "false";
}

void JsonWriter::Null(std::string_view key) {
  Key(key);
  out_ += "null";
}
