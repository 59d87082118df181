#pragma once
// The real dialogs: QMessageBox, QInputDialog and QFileDialog, modal to the
// active window, with Swedish button captions (Qt's standard buttons would
// show English ones).
#include "Dialogs.h"

class WidgetDialogs final : public Dialogs {
 public:
  void message(const QString& text) override;
  void messageBox(const QString& caption, const QString& text, Icon icon) override;
  bool question(const QString& caption, const QString& text) override;
  Answer questionCancel(const QString& caption, const QString& text) override;
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& text) override;
  std::optional<FileChoice> openFile(const FileRequest& request) override;
  std::optional<FileChoice> saveFile(const FileRequest& request) override;
  std::optional<QString> folder(const QString& caption, const QString& startFolder) override;
};
