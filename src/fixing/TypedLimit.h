#pragma once
// Limits of an edit field that apply to what the user types or pastes, not to
// what the program puts in: a name composed from a 30-character artist and a
// 30-character title is longer than the 64 characters the user may type, and
// must not lose its end.
#include <QString>
#include <QValidator>

class QLineEdit;

class TypedLimitValidator : public QValidator {
  Q_OBJECT
 public:
  // Installs itself on edit. A change the user makes is refused when it would
  // make the text longer than maxLength (shortening a longer text is always
  // allowed) or, with refuseLetters, when it leaves an ASCII letter in it.
  TypedLimitValidator(QLineEdit* edit, int maxLength, bool refuseLetters);
  State validate(QString& input, int& pos) const override;

  // Puts text into edit without its typing limits.
  static void SetText(QLineEdit* edit, const QString& text);

 private:
  int maxLength_;
  bool refuseLetters_;
  QString accepted_;  // the text before the change being validated
};
