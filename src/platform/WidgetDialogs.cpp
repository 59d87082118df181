#include "WidgetDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toIcon(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::None:
      return QMessageBox::NoIcon;
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::Warning:
      return QMessageBox::Warning;
    case Dialogs::Icon::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// A box whose buttons are added one by one with their Swedish captions; the
// first is the default button.
struct Box {
  QMessageBox box;
  Box(const QString& caption, const QString& text, Dialogs::Icon icon)
      : box(toIcon(icon), caption, text, QMessageBox::NoButton, QApplication::activeWindow()) {}
  QPushButton* add(const char* caption, QMessageBox::ButtonRole role) {
    QPushButton* b = box.addButton(QString::fromUtf8(caption), role);
    if (!box.defaultButton()) box.setDefaultButton(b);
    return b;
  }
  QAbstractButton* run() {
    box.exec();
    return box.clickedButton();
  }
};

// With the pattern details hidden, the dialog names the selected filter
// without the pattern list that nameFilters() appended.
int filterIndex(const QStringList& filters, const QString& selected) {
  for (qsizetype i = 0; i < filters.size(); ++i)
    if (filters[i] == selected || filters[i].startsWith(selected + QLatin1String(" ("))) return static_cast<int>(i);
  return 0;
}

std::optional<Dialogs::FileChoice> runFileDialog(const Dialogs::FileRequest& r, QFileDialog::AcceptMode mode) {
  QFileDialog d(QApplication::activeWindow(), r.caption, r.folder);
  // Qt's own dialog, so that the button captions can be set.
  d.setOption(QFileDialog::DontUseNativeDialog);
  d.setOption(QFileDialog::HideNameFilterDetails);
  d.setAcceptMode(mode);
  d.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  d.setOption(QFileDialog::DontConfirmOverwrite, !r.confirmOverwrite);
  const QStringList filters = Dialogs::nameFilters(r.filter);
  if (!filters.isEmpty()) d.setNameFilters(filters);
  if (!r.defaultSuffix.isEmpty()) d.setDefaultSuffix(r.defaultSuffix);
  d.setLabelText(QFileDialog::Accept,
                 QString::fromUtf8(mode == QFileDialog::AcceptOpen ? DialogText::Open : DialogText::Save));
  d.setLabelText(QFileDialog::Reject, QString::fromUtf8(DialogText::Cancel));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
  return Dialogs::FileChoice{d.selectedFiles().constFirst(), filterIndex(filters, d.selectedNameFilter())};
}

}  // namespace

void WidgetDialogs::message(const QString& text) { messageBox(QString::fromUtf8(DialogText::AppTitle), text, Icon::None); }

void WidgetDialogs::messageBox(const QString& caption, const QString& text, Icon icon) {
  Box b(caption, text, icon);
  QPushButton* ok = b.add(DialogText::Ok, QMessageBox::AcceptRole);
  b.box.setEscapeButton(ok);
  b.run();
}

bool WidgetDialogs::question(const QString& caption, const QString& text) {
  Box b(caption, text, Icon::None);
  QPushButton* yes = b.add(DialogText::Yes, QMessageBox::YesRole);
  b.box.setEscapeButton(b.add(DialogText::No, QMessageBox::NoRole));
  return b.run() == yes;
}

Dialogs::Answer WidgetDialogs::questionCancel(const QString& caption, const QString& text) {
  Box b(caption, text, Icon::None);
  QPushButton* yes = b.add(DialogText::Yes, QMessageBox::YesRole);
  QPushButton* no = b.add(DialogText::No, QMessageBox::NoRole);
  b.box.setEscapeButton(b.add(DialogText::Cancel, QMessageBox::RejectRole));
  QAbstractButton* clicked = b.run();
  return clicked == yes ? Answer::Yes : clicked == no ? Answer::No : Answer::Cancel;
}

std::optional<QString> WidgetDialogs::input(const QString& caption, const QString& prompt, const QString& text) {
  QInputDialog d(QApplication::activeWindow());
  d.setWindowTitle(caption);
  d.setLabelText(prompt);
  d.setTextValue(text);
  d.setOkButtonText(QString::fromUtf8(DialogText::Ok));
  d.setCancelButtonText(QString::fromUtf8(DialogText::Cancel));
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.textValue();
}

std::optional<Dialogs::FileChoice> WidgetDialogs::openFile(const FileRequest& request) {
  return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<Dialogs::FileChoice> WidgetDialogs::saveFile(const FileRequest& request) {
  return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> WidgetDialogs::folder(const QString& caption, const QString& startFolder) {
  QFileDialog d(QApplication::activeWindow(), caption, startFolder);
  d.setOption(QFileDialog::DontUseNativeDialog);
  d.setFileMode(QFileDialog::Directory);
  d.setOption(QFileDialog::ShowDirsOnly);
  d.setLabelText(QFileDialog::Accept, QString::fromUtf8(DialogText::Choose));
  d.setLabelText(QFileDialog::Reject, QString::fromUtf8(DialogText::Cancel));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
  return d.selectedFiles().constFirst();
}
