// New folders: "Skapa Mapp..." in the folder shown, "Skapa mapp..." inside the
// folder right-clicked in the tree.
#include <QDir>
#include <QTreeWidget>

#include "Dialogs.h"
#include "FolderTree.h"
#include "MorvMP3Unit.h"
#include "NewFolder.h"

namespace {

const QString kCaption = QStringLiteral("Skapa en mapp i katalogen: ");

// Asks for the name and creates the folder; the tree shows it afterwards.
void SkapaMappI(const QString& D, FolderTree* tree) {
  const std::optional<QString> name = Dialogs::instance().input(kCaption + D, QStringLiteral("Mappnamn:"), QString());
  if (!name || name->isEmpty()) return;
  if (!CreateFolderIn(D, *name)) {
    Dialogs::instance().messageBox(QString::fromUtf8(DialogText::Warning),
                                   QStringLiteral("Det gick inte att skapa mappen!"));
    return;
  }
  tree->Refresh();
}

}  // namespace

void TMorvForm::SkapaMapp1Click() { SkapaMappI(QDir::currentPath(), DirectoryListBox1); }

void TMorvForm::Skapamapp2Click() {
  // The folder the right button highlighted; with none, the folder shown.
  const QList<QTreeWidgetItem*> highlighted = DirectoryListBox1->selectedItems();
  const QString folder =
      highlighted.isEmpty() ? DirectoryListBox1->Directory() : FolderTree::ItemPath(highlighted.front());
  SkapaMappI(WithTrailingSeparator(folder), DirectoryListBox1);
}

void TMorvForm::DirectoryListBox1MouseDown(Qt::MouseButton Button, const QPoint& pos) {
  if (Button != Qt::RightButton) return;
  // Highlights without opening, so that the tree's menu acts on that folder.
  QTreeWidgetItem* item = DirectoryListBox1->itemAt(pos);
  DirectoryListBox1->setCurrentItem(item);
  if (!item) DirectoryListBox1->clearSelection();
}
