#pragma once
#include <QMainWindow>

// The main window.
class TMorvForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMorvForm(QWidget* parent = nullptr);
};
