#pragma once
// Errors that no operation handles end here: one plain message, and the
// program goes on. Platform I/O errors carry the text "I/O error N".
#include <QString>
#include <stdexcept>

class IoError : public std::runtime_error {
 public:
  explicit IoError(int code);
  int code() const { return code_; }

 private:
  int code_;
};

// The message shown for an error text.
QString HanteraFelText(const QString& message);
