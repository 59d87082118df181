#pragma once
// How long the pointer rests before a hint (tool tip) appears, for the whole
// program: the file list makes hints quicker for WMA files and slower for
// others. Installed by the program's entry; without it Qt's own delay holds.
#include <QProxyStyle>

class HintStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;

  // The delay in milliseconds.
  static void SetHintPause(int ms) { pause_ = ms; }
  static int HintPause() { return pause_; }

 private:
  static inline int pause_ = 200;
};
