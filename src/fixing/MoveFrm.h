#pragma once
// The small window shown while a file is moved: "Flyttar <from> till <to>".
// It has no code of its own; the main window's move fills, places and shows it.
#include <QWidget>

class QLabel;

class TFlyttFrm : public QWidget {
  Q_OBJECT
 public:
  explicit TFlyttFrm(QWidget* parent = nullptr);

  QLabel* FromLbl = nullptr;
  QLabel* ToLbl = nullptr;
};
