#include "ChangeName.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Ansi.h"
#include "ChangeNameRules.h"
#include "NameRules.h"
#include "TagFieldRules.h"
#include "TypedLimit.h"

namespace {

constexpr int kTextMax = 30;
constexpr int kTrackMax = 2;
constexpr int kNameMax = 64;

QString TagText(const std::string& cp1252) {
  const std::u16string text = Ansi::ToUtf16(cp1252);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsEnter(const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; }

bool IsCommand(const QKeyEvent& key) {
  return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

QLineEdit* NewEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

}  // namespace

TBytNamnDLG::TBytNamnDLG(QWidget* parent) : QDialog(parent) {
  BuildControls();
  WireHandlers();
}

void TBytNamnDLG::BuildControls() {
  setObjectName(QStringLiteral("BytNamnDLG"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);

  BNArtist = NewEdit(this, "BNArtist");
  BNArtist->setMaxLength(kTextMax);
  BNTitel = NewEdit(this, "BNTitel");
  BNTitel->setMaxLength(kTextMax);
  BNTrack = NewEdit(this, "BNTrack");
  BNTrack->setFixedWidth(36);
  new TypedLimitValidator(BNTrack, kTrackMax, true);
  BNName = NewEdit(this, "BNName");
  BNName->setMinimumWidth(300);
  new TypedLimitValidator(BNName, kNameMax, false);
  // The pointer over a field gives it the focus.
  for (QLineEdit* edit : {BNArtist, BNTitel, BNTrack}) edit->setMouseTracking(true);

  const QString fromTag = QStringLiteral("<- ID3");
  ID3ToArtist = NewButton(this, "ID3ToArtist", fromTag);
  ID3ToTitel = NewButton(this, "ID3ToTitel", fromTag);
  ID3ToTrack = NewButton(this, "ID3ToTrack", fromTag);
  Button1 = NewButton(this, "Button1", QStringLiteral("Fixa Gemener"));
  OKBtn = NewButton(this, "OKBtn", QStringLiteral("Byt namn!"));
  CancelBtn = NewButton(this, "CancelBtn", QStringLiteral("Avbryt"));

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Artist:"), this), 0, 0);
  fields->addWidget(BNArtist, 0, 1);
  fields->addWidget(ID3ToArtist, 0, 2);
  fields->addWidget(new QLabel(QStringLiteral("Titel:"), this), 1, 0);
  fields->addWidget(BNTitel, 1, 1);
  fields->addWidget(ID3ToTitel, 1, 2);
  fields->addWidget(new QLabel(QStringLiteral("Spår:"), this), 2, 0);
  fields->addWidget(BNTrack, 2, 1, Qt::AlignLeft);
  fields->addWidget(ID3ToTrack, 2, 2);

  auto* name = new QHBoxLayout;
  name->setSpacing(2);
  name->addWidget(BNName, 1);
  name->addWidget(new QLabel(QStringLiteral(".mp3"), this));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addStretch(1);
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);

  auto* window = new QVBoxLayout(this);
  window->addLayout(fields);
  window->addSpacing(6);
  window->addWidget(new QLabel(QStringLiteral("Filnamn efter byte:"), this));
  window->addLayout(name);
  window->addSpacing(6);
  window->addLayout(buttons);
  setFixedSize(sizeHint());

  setTabOrder(BNArtist, ID3ToArtist);
  setTabOrder(ID3ToArtist, BNTitel);
  setTabOrder(BNTitel, ID3ToTitel);
  setTabOrder(ID3ToTitel, BNTrack);
  setTabOrder(BNTrack, ID3ToTrack);
  setTabOrder(ID3ToTrack, BNName);
  setTabOrder(BNName, Button1);
  setTabOrder(Button1, OKBtn);
  setTabOrder(OKBtn, CancelBtn);
}

void TBytNamnDLG::WireHandlers() {
  for (QLineEdit* edit : {BNArtist, BNTitel, BNTrack, BNName}) edit->installEventFilter(this);
  connect(ID3ToArtist, &QPushButton::clicked, this, &TBytNamnDLG::ID3ToArtistClick);
  connect(ID3ToTitel, &QPushButton::clicked, this, &TBytNamnDLG::ID3ToTitelClick);
  connect(ID3ToTrack, &QPushButton::clicked, this, &TBytNamnDLG::ID3ToTrackClick);
  connect(Button1, &QPushButton::clicked, this, &TBytNamnDLG::Button1Click);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TBytNamnDLG::SetName(const QString& name) { TypedLimitValidator::SetText(BNName, name); }

bool TBytNamnDLG::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (watched == BNArtist) return BNArtistKeyPress(key);
      if (watched == BNTitel) return BNTitelKeyPress(key);
      if (watched == BNName) return BNNameKeyPress(key);
      if (watched == BNTrack) return BNTrackKeyPress(key);
      break;
    }
    case QEvent::KeyRelease:
      if (watched == BNArtist || watched == BNTitel) BNArtistKeyUp();
      if (watched == BNTrack) BNTrackKeyUp();
      break;
    case QEvent::MouseMove:
      if (watched == BNArtist || watched == BNTitel || watched == BNTrack) static_cast<QWidget*>(watched)->setFocus();
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TBytNamnDLG::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  FormShow();
}

void TBytNamnDLG::FormShow() {
  if (BNArtist->text().isEmpty()) {
    BNArtist->setFocus();
  } else {
    BNTitel->setFocus();
  }
  // A file that is gone has no tag: the buttons must not copy the previous
  // file's texts into this name.
  if (QFileInfo::exists(BNPath)) {
    Mpeg.ReadFromFile(QFile::encodeName(BNPath).toStdString());
  } else {
    Mpeg.Clear();
  }
}

// Also after a key released in BNTitel: the track prefix goes.
void TBytNamnDLG::BNArtistKeyUp() { SetName(ArtistTitleName(BNArtist->text(), BNTitel->text())); }

void TBytNamnDLG::BNTrackKeyUp() { SetName(TrackArtistTitleName(BNTrack->text(), BNArtist->text(), BNTitel->text())); }

bool TBytNamnDLG::BNArtistKeyPress(const QKeyEvent& key) {
  if (!IsEnter(key)) return false;
  BNTitel->setFocus();
  return true;
}

bool TBytNamnDLG::BNTitelKeyPress(const QKeyEvent& key) {
  if (!IsEnter(key)) return false;
  OKBtn->setFocus();
  return true;
}

bool TBytNamnDLG::BNNameKeyPress(const QKeyEvent& key) { return BNTitelKeyPress(key); }

// Letters are refused; Enter does nothing here (no button is pressed by it).
bool TBytNamnDLG::BNTrackKeyPress(const QKeyEvent& key) const {
  return IsEnter(key) || (!IsCommand(key) && HasAsciiLetter(key.text()));
}

// Each "<- ID3" button changes nothing when the tag lacks what it copies.
void TBytNamnDLG::ID3ToArtistClick() {
  const TID3v1& tag = Mpeg.ID3v1();
  if (!tag.TagFound() || tag.Artist().empty()) return;
  BNArtist->setText(TagText(tag.Artist()));
  BNArtistKeyUp();
}

void TBytNamnDLG::ID3ToTitelClick() {
  const TID3v1& tag = Mpeg.ID3v1();
  if (!tag.TagFound() || tag.Title().empty()) return;
  BNTitel->setText(TagText(tag.Title()));
  BNArtistKeyUp();
}

// Only an ID3v1.1 tag has a track.
void TBytNamnDLG::ID3ToTrackClick() {
  const TID3v1& tag = Mpeg.ID3v1();
  if (!tag.TagFound() || tag.TagVersion() != 2) return;
  TypedLimitValidator::SetText(BNTrack, QString::number(tag.Track()));
  BNTrackKeyUp();
}

void TBytNamnDLG::Button1Click() {
  SetName(PCase(BNName->text()));
  OKBtn->setFocus();
}
