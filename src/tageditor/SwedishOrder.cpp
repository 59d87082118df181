#include "SwedishOrder.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <vector>

void SortSwedish(QStringList& names) {
  if (names.size() < 2) return;
  QCollator collator{QLocale(QLocale::Swedish)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  // One sort key per name: a folder of thousands of files sorts without
  // running the full comparison for every pair.
  std::vector<QCollatorSortKey> keys;
  keys.reserve(std::size_t(names.size()));
  for (const QString& n : names) keys.push_back(collator.sortKey(n));
  std::vector<qsizetype> order(std::size_t(names.size()));
  std::iota(order.begin(), order.end(), qsizetype{0});
  std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
    return keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0;
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (qsizetype i : order) sorted << names[i];
  names = std::move(sorted);
}
