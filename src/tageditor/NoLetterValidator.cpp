#include "NoLetterValidator.h"

#include "TagFieldRules.h"

QValidator::State NoLetterValidator::validate(QString& input, int& /*pos*/) const {
  return HasAsciiLetter(input) ? Invalid : Acceptable;
}
