#pragma once
#include <QValidator>

// Refuses any change that would leave an ASCII letter in the field. The key
// filter already stops typed letters; this also stops pasted and dropped ones.
// A refused paste leaves the field as it was.
class NoLetterValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
