#include "ListEntries.h"

#include <QListWidget>

QStringList AllEntries(const QListWidget* list) {
  QStringList entries;
  entries.reserve(list->count());
  for (int i = 0; i < list->count(); ++i) entries.append(list->item(i)->text());
  return entries;
}

std::optional<QString> SelectedEntry(const QListWidget* list) {
  const int row = list->currentRow();
  const QListWidgetItem* item = row >= 0 ? list->item(row) : nullptr;
  if (!item || !item->isSelected()) return std::nullopt;
  return item->text();
}

int FirstVisibleRow(const QListWidget* list) {
  const QModelIndex top = list->indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : (list->count() > 0 ? 0 : -1);
}

void ScrollRowToTop(QListWidget* list, int row) {
  if (row < 0 || row >= list->count()) return;
  list->scrollToItem(list->item(row), QAbstractItemView::PositionAtTop);
}
