#pragma once
// The report after a fixing batch: which files were not fixed and why, with
// the counters in the status line. Created once and reused; shown modally.
#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

class TErrForm : public QDialog {
  Q_OBJECT
 public:
  // statusText gives the status line for the number of lines shown; it is
  // asked each time the window appears, so it sees the counters and the file
  // list as they are then.
  TErrForm(QWidget* parent, std::function<QString(qsizetype)> statusText);

  // Replaces the lines of ErrorList.
  void SetLines(const QStringList& lines);
  qsizetype LineCount() const { return lineCount_; }

  QLabel* StaticText1 = nullptr;
  QPlainTextEdit* ErrorList = nullptr;
  QPushButton* Button1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void FormResize();
  void FormConstrainedResize();
  bool ErrorListKeyPress(QChar Key);
  void Button1Click();

  std::function<QString(qsizetype)> statusText_;
  qsizetype lineCount_ = 0;
};
