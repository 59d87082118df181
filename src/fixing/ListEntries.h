#pragma once
// What the fixing commands read from the file list and how they put its
// scroll position back after a refresh.
#include <QString>
#include <QStringList>
#include <optional>

class QListWidget;

// Every entry, in list order: a batch works on the list as it stood before it.
QStringList AllEntries(const QListWidget* list);
// The text of the selected entry; nullopt when no row is selected.
std::optional<QString> SelectedEntry(const QListWidget* list);
// The first row shown at the top of the list; -1 for an empty list.
int FirstVisibleRow(const QListWidget* list);
// Scrolls so that row is the first one shown, as far as the list allows.
void ScrollRowToTop(QListWidget* list, int row);
