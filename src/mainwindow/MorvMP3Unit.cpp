#include "MorvMP3Unit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "Artwork.h"
#include "FolderTree.h"
#include "Id3Frm.h"
#include "LstFrm.h"

namespace {

constexpr int kDesignedWidth = 530;
constexpr int kFixedHeight = 456;
constexpr int kPanel1Width = 140;

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}


}  // namespace

TMorvForm::TMorvForm(const QString& programFolder, const QString& startFolder, QWidget* parent)
    : QMainWindow(parent), programFolder_(programFolder), startFolder_(startFolder) {
  setObjectName(QStringLiteral("MorvForm"));
  setWindowTitle(QStringLiteral("Morvanta Quindle 1.09"));
  // Minimise and close, no maximise; the height never changes.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setMinimumSize(kDesignedWidth, kFixedHeight);
  setMaximumHeight(kFixedHeight);
  resize(kDesignedWidth, kFixedHeight);

  BuildToolBar();
  BuildControls();
  BuildMenus();

  Timer1 = Named(new QTimer(this), "Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(4000);

  ID3Form = new TID3Form(this);
  ListForm = new TListForm(this);
  Probe.SetEditor(ID3Form);
  WireHandlers();
}

TMorvForm::~TMorvForm() { Probe.SetEditor(nullptr); }

void TMorvForm::BuildToolBar() {
  ToolBar1 = Named(new QToolBar(this), "ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(20, 20));
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  auto button = [&](const char* name, int image, const QString& hint) {
    auto* b = Named(new QToolButton(ToolBar1), name);
    b->setIcon(ToolIcon(image));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFixedSize(35, 26);
    ToolBar1->addWidget(b);
    return b;
  };
  ToolBar1->addSeparator();
  TBGemener = button("TBGemener", 0, QStringLiteral("Fixa gemener"));
  TBId32Namn = button("TBId32Namn", 3, QStringLiteral("Fixa namnet"));
  TBNamn2Id3 = button("TBNamn2Id3", 4, QStringLiteral("Fixa ID3Tag"));
  ToolBar1->addSeparator();
  TBTaBort = button("TBTaBort", 1, QStringLiteral("Ta bort..."));
  ToolBar1->addSeparator();
  TBSpela = button("TBSpela", 2, QStringLiteral("Spela upp"));
  ToolBar1->addSeparator();
  ID3Inst = button("ID3Inst", 7, QStringLiteral("ID3Tag Inställningar"));
  ID3Inst->setCheckable(true);
  ID3Inst->setCursor(Id3Cursor());
  for (QToolButton* b : {TBGemener, TBId32Namn, TBNamn2Id3, TBTaBort, TBSpela}) b->setEnabled(false);
}

void TMorvForm::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(2, 2, 2, 0);
  outer->setSpacing(2);
  auto* columns = new QHBoxLayout;
  columns->setSpacing(4);
  outer->addLayout(columns, 1);

  auto* left = new QVBoxLayout;
  left->setContentsMargins(0, 0, 0, 0);
  DriveComboBox1 = Named(new QComboBox(central), "DriveComboBox1");
  DirectoryListBox1 = Named(new FolderTree(central), "DirectoryListBox1");
  DirectoryListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  left->addWidget(DriveComboBox1);
  left->addWidget(DirectoryListBox1, 1);
  columns->addLayout(left, 0);
  DriveComboBox1->setFixedWidth(200);
  DirectoryListBox1->setFixedWidth(200);

  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(2);
  FLB = Named(new QListWidget(central), "FLB");
  FLB->setSelectionMode(QAbstractItemView::SingleSelection);
  FLB->setUniformItemSizes(true);
  FLB->setMouseTracking(false);
  FLB->setStyleSheet(QStringLiteral("QListView::item { padding-top: 1px; }"));
  FLB->viewport()->installEventFilter(this);  // the mouse handlers of the list
  right->addWidget(FLB, 1);

  // Under the list: "Antal filer:" with the count and the filter text on the
  // left, "Låtar i MP3Listan:" with its count on the right. InfoTxt follows
  // the count's right edge, so these labels are placed by hand.
  auto* counters = new QWidget(central);
  counters->setObjectName(QStringLiteral("CounterRow"));
  counters->setFixedHeight(18);
  StaticText1 = Named(new QLabel(QStringLiteral("Antal filer:"), counters), "StaticText1");
  AntFiler = Named(new QLabel(QStringLiteral("0"), counters), "AntFiler");
  InfoTxt = Named(new QLabel(counters), "InfoTxt");
  ListLbl = Named(new QLabel(QStringLiteral("Låtar i MP3Listan:"), counters), "ListLbl");
  MP3ListCount = Named(new QLabel(QStringLiteral("0"), counters), "MP3ListCount");
  for (QLabel* l : {StaticText1, AntFiler, InfoTxt, ListLbl, MP3ListCount}) {
    l->setTextFormat(Qt::PlainText);
    l->adjustSize();
  }
  ListLbl->setCursor(ListCursor());
  MP3ListCount->setCursor(ListCursor());
  ListLbl->installEventFilter(this);
  MP3ListCount->installEventFilter(this);
  StaticText1->move(0, 1);
  AntFiler->move(StaticText1->width() + 4, 1);
  counters->installEventFilter(this);  // keeps the right-hand labels at the right edge
  right->addWidget(counters);
  columns->addLayout(right, 1);

  BuildDefaultsPanel();

  PB = Named(new QProgressBar(central), "PB");
  PB->setMinimum(0);
  PB->setMaximum(1);
  PB->setValue(0);
  PB->setTextVisible(false);
  PB->setFixedHeight(12);
  outer->addWidget(PB);

  SB = Named(new QStatusBar(this), "SB");
  setStatusBar(SB);
  SB->setSizeGripEnabled(false);
  SBPanel0 = Named(new QLabel(SB), "SBPanel0");
  SBPanel1 = Named(new QLabel(SB), "SBPanel1");
  SBPanel0->setTextFormat(Qt::PlainText);
  SBPanel1->setTextFormat(Qt::PlainText);
  SBPanel1->setAlignment(Qt::AlignCenter);
  SBPanel1->setFixedWidth(kPanel1Width);
  SB->addWidget(SBPanel0, 1);
  SB->addPermanentWidget(SBPanel1);
  SB->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TMorvForm::BuildDefaultsPanel() {
  // Floats over the top of the file list; hidden until ID3Inst shows it.
  GB = Named(new QGroupBox(QStringLiteral("Standardinställningar vid skapande"), FLB->parentWidget()), "GB");
  GB->setAutoFillBackground(true);
  auto* grid = new QGridLayout(GB);
  grid->setContentsMargins(6, 4, 6, 4);
  GenreDo = Named(new QCheckBox(QStringLiteral("Genre"), GB), "GenreDo");
  GenreList = Named(new QComboBox(GB), "GenreList");
  StdAlbumCB = Named(new QCheckBox(QStringLiteral("Album"), GB), "StdAlbumCB");
  StdAlbum = Named(new QLineEdit(GB), "StdAlbum");
  StdArCB = Named(new QCheckBox(QStringLiteral("År"), GB), "StdArCB");
  StdAr = Named(new QLineEdit(GB), "StdAr");
  OWID3 = Named(new QCheckBox(QStringLiteral("Skriv över ID3Tag v1-taggar"), GB), "OWID3");
  StdAlbum->setMaxLength(30);
  StdAr->setMaxLength(4);
  GenreList->setEnabled(false);
  StdAlbum->setEnabled(false);
  const QString grey = QStringLiteral("background: palette(button);");
  GenreList->setStyleSheet(grey);
  StdAlbum->setStyleSheet(grey);
  StdAr->setStyleSheet(grey);
  grid->addWidget(GenreDo, 0, 0);
  grid->addWidget(GenreList, 0, 1);
  grid->addWidget(StdAlbumCB, 1, 0);
  grid->addWidget(StdAlbum, 1, 1);
  grid->addWidget(StdArCB, 2, 0);
  grid->addWidget(StdAr, 2, 1);
  grid->addWidget(OWID3, 3, 0, 1, 2);
  GB->hide();
}
