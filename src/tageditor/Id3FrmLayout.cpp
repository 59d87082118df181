// The tag editor's controls and where they sit. The window has a fixed client
// size, so the layout is kept tight: labels left of the fields, the short year
// and track fields narrow, and the information group below the save button.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "Caption.h"
#include "ID3v1.h"
#include "Id3Frm.h"
#include "NoLetterValidator.h"
#include "SwedishOrder.h"

namespace {

constexpr int kClientWidth = 201;
constexpr int kClientHeight = 362;
constexpr int kTextMax = 30;
constexpr int kYearMax = 4;
constexpr int kTrackMax = 3;
constexpr int kShortFieldWidth = 48;
const QColor kFieldGrey(0xE2, 0xE2, 0xE2);

QLineEdit* NewField(QWidget* parent, const char* name, int maxLength) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QLatin1String(name));
  field->setMaxLength(maxLength);
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, kFieldGrey);
  field->setPalette(palette);
  return field;
}

QLabel* NewLabel(QWidget* parent, const QString& caption) {
  auto* label = new QLabel(parent);
  SetCaption(label, caption);
  return label;
}

QLabel* NewInfo(QWidget* parent, const char* name) {
  auto* info = new QLabel(parent);
  info->setObjectName(QLatin1String(name));
  info->setTextFormat(Qt::PlainText);
  QFont bold = info->font();
  bold.setBold(true);
  info->setFont(bold);
  return info;
}

}  // namespace

void TID3Form::BuildControls() {
  setObjectName(QStringLiteral("ID3Form"));
  setWindowTitle(QStringLiteral("ID3Info"));
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);

  ITitel = NewField(this, "ITitel", kTextMax);
  IArtist = NewField(this, "IArtist", kTextMax);
  IAlbum = NewField(this, "IAlbum", kTextMax);
  IAr = NewField(this, "IAr", kYearMax);
  IKommentar = NewField(this, "IKommentar", kTextMax);
  ITrack = NewField(this, "ITrack", kTrackMax);
  IAr->setFixedWidth(kShortFieldWidth);
  ITrack->setFixedWidth(kShortFieldWidth);
  IAr->setValidator(new NoLetterValidator(IAr));
  ITrack->setValidator(new NoLetterValidator(ITrack));

  IGenreList = new QComboBox(this);
  IGenreList->setObjectName(QStringLiteral("IGenreList"));
  IGenreList->setEditable(false);
  IGenreList->setMaxVisibleItems(16);
  QStringList genres;
  genres.reserve(static_cast<qsizetype>(GenreChoices.size()));
  for (const char* name : GenreChoices) genres << QString::fromLatin1(name);
  SortSwedish(genres);
  IGenreList->addItems(genres);
  IGenreList->setCurrentIndex(-1);

  SparKnapp = new QPushButton(QStringLiteral("Spara förändringar!"), this);
  SparKnapp->setObjectName(QStringLiteral("SparKnapp"));
  SparKnapp->setDefault(true);
  SparKnapp->setEnabled(false);

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(6);
  fields->setVerticalSpacing(5);
  const std::pair<const char*, QWidget*> rows[] = {
      {"Titel:", ITitel}, {"Artist:", IArtist},   {"Album:", IAlbum}, {"År:", IAr},
      {"Genre:", IGenreList}, {"Kommentar:", IKommentar}, {"Spår:", ITrack},
  };
  int row = 0;
  for (const auto& [caption, field] : rows) {
    fields->addWidget(NewLabel(this, QString::fromUtf8(caption)), row, 0);
    fields->addWidget(field, row, 1, field == IAr || field == ITrack ? Qt::AlignLeft : Qt::Alignment());
    ++row;
  }

  GroupBox1 = new QGroupBox(QStringLiteral(" MPEG/ID3Info "), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  ID3Inf = NewInfo(GroupBox1, "ID3Inf");
  ID3Inf->setAlignment(Qt::AlignCenter);
  MPEGInf = NewInfo(GroupBox1, "MPEGInf");
  BitrateInf = NewInfo(GroupBox1, "BitrateInf");
  LengthInf = NewInfo(GroupBox1, "LengthInf");
  LengthInf->setToolTip(QStringLiteral("Tid i Minuter:Sekunder"));
  HzInf = NewInfo(GroupBox1, "HzInf");
  StereoInf = NewInfo(GroupBox1, "StereoInf");

  // "Tag Version:" is the longest label; on a row of its own it leaves the
  // other rows room for texts like "MPEG 1.0 Lager 3".
  auto* version = new QHBoxLayout;
  version->addWidget(NewLabel(GroupBox1, QStringLiteral("Tag Version:")));
  version->addWidget(ID3Inf, 1);
  auto* sampleRate = new QHBoxLayout;
  sampleRate->setSpacing(4);
  sampleRate->addWidget(HzInf);
  sampleRate->addWidget(StereoInf);
  sampleRate->addStretch(1);
  auto* stream = new QGridLayout;
  stream->setHorizontalSpacing(4);
  stream->setVerticalSpacing(4);
  stream->addWidget(NewLabel(GroupBox1, QStringLiteral("Typ:")), 0, 0);
  stream->addWidget(MPEGInf, 0, 1);
  stream->addWidget(NewLabel(GroupBox1, QStringLiteral("Bitrate:")), 1, 0);
  stream->addWidget(BitrateInf, 1, 1);
  stream->addWidget(NewLabel(GroupBox1, QStringLiteral("Längd:")), 2, 0);
  stream->addWidget(LengthInf, 2, 1);
  stream->addWidget(NewLabel(GroupBox1, QStringLiteral("Hz:")), 3, 0);
  stream->addLayout(sampleRate, 3, 1);
  stream->setColumnStretch(1, 1);
  auto* group = new QVBoxLayout(GroupBox1);
  group->setContentsMargins(5, 6, 5, 6);
  group->setSpacing(4);
  group->addLayout(version);
  group->addLayout(stream);

  auto* window = new QVBoxLayout(this);
  window->setContentsMargins(4, 6, 4, 6);
  window->setSpacing(8);
  window->addLayout(fields);
  window->addWidget(SparKnapp);
  window->addWidget(GroupBox1);
  window->addStretch(1);

  setTabOrder(ITitel, IArtist);
  setTabOrder(IArtist, IAlbum);
  setTabOrder(IAlbum, IAr);
  setTabOrder(IAr, IGenreList);
  setTabOrder(IGenreList, IKommentar);
  setTabOrder(IKommentar, ITrack);
  setTabOrder(ITrack, SparKnapp);
}
