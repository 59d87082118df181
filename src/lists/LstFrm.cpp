#include "LstFrm.h"

#include <QCloseEvent>

TListForm::TListForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("ListForm"));
  setWindowTitle(QStringLiteral("MP3Lista"));
  resize(537, 444);
}

void TListForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
  emit hiddenByClose();
}
