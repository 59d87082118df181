#include "SwedishOrder.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

void SortSwedish(QStringList& names) {
  QCollator collator{QLocale(QLocale::Swedish)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(names.begin(), names.end(), collator);
}
