#pragma once
#include <QWidget>

// The MP3 list window. For now it is the window that the main window shows,
// hides and places; its list comes with the MP3 list support.
class TListForm : public QWidget {
  Q_OBJECT
 public:
  explicit TListForm(QWidget* parent = nullptr);

 signals:
  // Closing only hides the window; the main window unchecks "MP3Lista".
  void hiddenByClose();

 protected:
  void closeEvent(QCloseEvent* event) override;
};
