#include "ChooseFldr.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <stdexcept>

#include "Dialogs.h"
#include "Drives.h"
#include "FolderScan.h"
#include "FolderTree.h"
#include "HanteraFel.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 360;

}  // namespace

TFolderForm::TFolderForm(QWidget* parent) : QDialog(parent) {
  BuildControls();
  WireHandlers();
}

void TFolderForm::BuildControls() {
  setObjectName(QStringLiteral("FolderForm"));
  setWindowTitle(QStringLiteral("Välj en katalog!"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setFixedSize(kWidth, kHeight);

  DriveComboBox1 = new QComboBox(this);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  DirectoryListBox1 = new FolderTree(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  MeddText = new QLabel(this);
  MeddText->setObjectName(QStringLiteral("MeddText"));
  MeddText->setTextFormat(Qt::PlainText);
  MeddText->setAlignment(Qt::AlignCenter);
  MeddText->setWordWrap(true);
  Button1 = new QPushButton(QStringLiteral("Välj!"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Avbryt!"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* window = new QVBoxLayout(this);
  window->addWidget(DriveComboBox1);
  window->addWidget(DirectoryListBox1, 1);
  window->addWidget(MeddText);
  window->addLayout(buttons);
  FillDrives();
}

void TFolderForm::WireHandlers() {
  connect(DriveComboBox1, qOverload<int>(&QComboBox::activated), this, &TFolderForm::DriveComboBox1Change);
  connect(DirectoryListBox1, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { DirectoryListBox1Activate(FolderTree::ItemPath(item)); });
  connect(DirectoryListBox1, &FolderTree::changed, this, &TFolderForm::SyncDrivePicker);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFolderForm::FillDrives() {
  const QSignalBlocker quiet(DriveComboBox1);
  DriveComboBox1->clear();
  for (const Drive& drive : Drives::list()) DriveComboBox1->addItem(drive.name, drive.path);
}

void TFolderForm::SyncDrivePicker() {
  SelectDriveOf(DriveComboBox1, DirectoryListBox1->Directory());
}

bool TFolderForm::ShowFolder(const QString& path) {
  try {
    DirectoryListBox1->SetDirectory(path);
    return true;
  } catch (const std::exception& E) {
    Dialogs::instance().message(HanteraFelText(QString::fromUtf8(E.what())));
    return false;
  }
}

void TFolderForm::DriveComboBox1Change() {
  const QString path = DriveComboBox1->currentData().toString();
  if (!Drives::isReady(path)) {
    Dialogs::instance().message(HanteraFelText(QString::fromUtf8(IoError(21).what())));
    SyncDrivePicker();
    return;
  }
  if (!ShowFolder(path)) SyncDrivePicker();
}

void TFolderForm::DirectoryListBox1Activate(const QString& path) { ShowFolder(path); }

void TFolderForm::SetFolder(const QString& path) {
  QString folder = QDir::cleanPath(QDir(path).absolutePath());
  while (!QFileInfo(folder).isDir() && folder != QLatin1String("/")) folder = QFileInfo(folder).path();
  ShowFolder(folder);
}

QString TFolderForm::Folder() const { return DirectoryListBox1->Directory(); }

void TFolderForm::showEvent(QShowEvent* event) {
  // The first use starts where the program is.
  if (DirectoryListBox1->Directory().isEmpty()) SetFolder(QDir::currentPath());
  QDialog::showEvent(event);
  DirectoryListBox1->setFocus();
}
