#pragma once
#include <QValidator>

// Refuses any change that would leave an ASCII letter in the field, so that
// pasted and dropped letters stay out as typed ones do; a refused paste leaves
// the field as it was. Texts set by the program are not checked (a year read
// from a tag is shown as it is), and Qt only undoes a change that spoils a
// valid text: in a field that already holds letters the key filter is what
// keeps typed letters out.
class NoLetterValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
