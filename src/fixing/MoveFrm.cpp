#include "MoveFrm.h"

#include <QLabel>

namespace {

constexpr int kMargin = 8;
constexpr int kLabelColumn = 56;
constexpr int kRowHeight = 20;

QLabel* NewLabel(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->move(x, y);
  label->adjustSize();
  return label;
}

}  // namespace

TFlyttFrm::TFlyttFrm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FlyttFrm"));
  // A single border and no buttons: the window closes itself when the move is done.
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  NewLabel(this, QStringLiteral("Flyttar"), kMargin, kMargin);
  NewLabel(this, QStringLiteral("till"), kMargin, kMargin + kRowHeight);
  FromLbl = NewLabel(this, QString(), kLabelColumn, kMargin);
  ToLbl = NewLabel(this, QString(), kLabelColumn, kMargin + kRowHeight);
  FromLbl->setObjectName(QStringLiteral("FromLbl"));
  ToLbl->setObjectName(QStringLiteral("ToLbl"));
  for (QLabel* label : {FromLbl, ToLbl}) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
  }
  setFixedHeight(2 * kMargin + 2 * kRowHeight);
}
