#include "FolderTree.h"

#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>
#include <stdexcept>

#include "FolderScan.h"
#include "SwedishOrder.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
}

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(false);
  setIndentation(10);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Room above the text so that the rings of Å, Ä and Ö are not clipped.
  setStyleSheet(QStringLiteral("QTreeView::item { padding-top: 2px; }"));
}

QString FolderTree::ItemPath(const QTreeWidgetItem* item) { return item ? item->data(0, kPathRole).toString() : QString(); }

void FolderTree::SetDirectory(const QString& path) {
  const QString clean = QDir::cleanPath(QDir(path).absolutePath());
  const QFileInfo info(clean);
  if (!info.isDir() || !QDir(clean).isReadable())
    throw std::runtime_error(QStringLiteral("Kan inte läsa katalogen %1").arg(clean).toStdString());
  if (!QDir::setCurrent(clean))
    throw std::runtime_error(QStringLiteral("Kan inte öppna katalogen %1").arg(clean).toStdString());
  directory_ = clean;
  Rebuild();
  emit changed();
}

void FolderTree::Refresh() {
  if (directory_.isEmpty()) return;
  SetDirectory(directory_);
}

void FolderTree::Rebuild() {
  clear();
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  // The chain from the root down to the folder shown, each one level deeper.
  QStringList parts = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  auto* item = new QTreeWidgetItem(this, QStringList{QStringLiteral("/")});
  item->setData(0, kPathRole, QStringLiteral("/"));
  item->setIcon(0, openIcon);
  QString path;
  for (const QString& part : parts) {
    path += QLatin1Char('/') + part;
    auto* child = new QTreeWidgetItem(item, QStringList{part});
    child->setData(0, kPathRole, path);
    child->setIcon(0, openIcon);
    item->setExpanded(true);
    item = child;
  }
  QTreeWidgetItem* current = item;
  current->setExpanded(true);
  // Its subfolders, hidden ones left out as file managers do.
  QStringList subfolders = QDir(directory_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  SortSwedish(subfolders);
  const QString prefix = directory_ == QLatin1String("/") ? QString() : directory_;
  for (const QString& name : subfolders) {
    auto* child = new QTreeWidgetItem(current, QStringList{name});
    child->setData(0, kPathRole, prefix + QLatin1Char('/') + name);
    child->setIcon(0, closedIcon);
  }
  setCurrentItem(current);
  scrollToItem(current);
}

void SelectDriveOf(QComboBox* picker, const QString& folder) {
  const QString shown = WithTrailingSeparator(folder);
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < picker->count(); ++i) {
    const QString drive = WithTrailingSeparator(picker->itemData(i).toString());
    if (shown.startsWith(drive) && drive.size() > bestLength) {
      best = i;
      bestLength = drive.size();
    }
  }
  const QSignalBlocker quiet(picker);
  picker->setCurrentIndex(best);
}
