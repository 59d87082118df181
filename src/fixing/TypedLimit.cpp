#include "TypedLimit.h"

#include <QLineEdit>

#include "TagFieldRules.h"

TypedLimitValidator::TypedLimitValidator(QLineEdit* edit, int maxLength, bool refuseLetters)
    : QValidator(edit), maxLength_(maxLength), refuseLetters_(refuseLetters), accepted_(edit->text()) {
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
  edit->setValidator(this);
}

QValidator::State TypedLimitValidator::validate(QString& input, int& /*pos*/) const {
  if (refuseLetters_ && HasAsciiLetter(input)) return Invalid;
  if (input.size() > maxLength_ && input.size() > accepted_.size()) return Invalid;
  return Acceptable;
}

void TypedLimitValidator::SetText(QLineEdit* edit, const QString& text) {
  // The edit checks a text set by the program as well, and a text it found
  // invalid would keep it from undoing the user's next invalid change; so the
  // validator steps aside for the moment.
  const QValidator* validator = edit->validator();
  edit->setValidator(nullptr);
  edit->setText(text);
  edit->setValidator(validator);
}
