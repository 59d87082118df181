// The main window's fixing commands: tag from name, name from tag,
// capitalisation. This file wires them and holds what they share: the tag
// defaults panel, the write-protection question and the failure report.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "ErrFrm.h"
#include "FailureReport.h"
#include "ListEntries.h"
#include "MorvMP3Unit.h"
#include "TagFieldRules.h"
#include "WriteProtection.h"

namespace {

// Hands every typed character of a key press to a Delphi-style KeyPress
// handler, which discards a character by setting it to QChar(). Keys held
// with Ctrl, Alt or Meta are commands (select all, copy) and pass.
class KeyPressFilter final : public QObject {
 public:
  KeyPressFilter(QObject* parent, std::function<void(QChar&)> handler)
      : QObject(parent), handler_(std::move(handler)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    for (QChar c : key->text()) {
      handler_(c);
      if (c.isNull()) return true;
    }
    return false;
  }

 private:
  std::function<void(QChar&)> handler_;
};

// A partner control of a check box: usable with the normal background while
// the box is checked, disabled and grey while it is not.
void FollowCheckBox(const QCheckBox* box, QWidget* partner) {
  const bool on = box->isChecked();
  partner->setEnabled(on);
  partner->setStyleSheet(on ? QString() : QStringLiteral("background: palette(button);"));
  if (on) partner->setFocus();
}

}  // namespace

void TMorvForm::WireFixingHandlers() {
  // The report window lives as long as the main window and is reused.
  ErrForm = new TErrForm(this, [this](qsizetype lines) {
    FailureReport counts;
    counts.AntNamnfel = AntNamnfel;
    counts.AntSkrivfel = AntSkrivfel;
    counts.AntID3Skrivskydd = AntID3Skrivskydd;
    return FailureStatusText(lines, FLB->count(), counts);
  });

  auto on = [this](auto* sender, auto signal, void (TMorvForm::*handler)()) {
    connect(sender, signal, this, [this, handler] { Safely([this, handler] { (this->*handler)(); }); });
  };
  on(FixaID3Tag1, &QAction::triggered, &TMorvForm::FixaID3Tag1Click);
  on(TBNamn2Id3, &QToolButton::clicked, &TMorvForm::FixaID3Tag1Click);
  on(FixaID3Tagarna1, &QAction::triggered, &TMorvForm::SpeedButton1Click);
  on(Fixanamnet1, &QAction::triggered, &TMorvForm::Fixanamnet1Click);
  on(TBId32Namn, &QToolButton::clicked, &TMorvForm::Fixanamnet1Click);
  on(FixaNamnen1, &QAction::triggered, &TMorvForm::SpeedButton2Click);
  on(Fixanamnetspeciell1, &QAction::triggered, &TMorvForm::Fixanamnetspeciell1Click);
  on(TBGemener, &QToolButton::clicked, &TMorvForm::Fixanamnetspeciell1Click);
  on(FixaGemenerna1, &QAction::triggered, &TMorvForm::FixaGemenerna1Click);

  on(ID3Inst, &QToolButton::clicked, &TMorvForm::GBBtnClick);
  on(GenreDo, &QCheckBox::clicked, &TMorvForm::GenreDoClick);
  on(StdAlbumCB, &QCheckBox::clicked, &TMorvForm::StdAlbumCBClick);
  on(StdArCB, &QCheckBox::clicked, &TMorvForm::StdArCBClick);
  StdAr->installEventFilter(new KeyPressFilter(StdAr, [this](QChar& Key) { StdArKeyPress(Key); }));
}

bool TMorvForm::SkrivSkydd(const QString& FileName) { return Fixing::SkrivSkydd(FileName); }

void TMorvForm::GBBtnClick() {
  if (!GB->isHidden()) {
    GB->hide();
  } else {
    FormConstrainedResize();  // over the list as it is now
    GB->show();
    GB->raise();
  }
  ID3Inst->setChecked(!GB->isHidden());
}

void TMorvForm::GenreDoClick() { FollowCheckBox(GenreDo, GenreList); }
void TMorvForm::StdAlbumCBClick() { FollowCheckBox(StdAlbumCB, StdAlbum); }
void TMorvForm::StdArCBClick() { FollowCheckBox(StdArCB, StdAr); }

void TMorvForm::StdArKeyPress(QChar& Key) {
  // Only ASCII letters are kept out; digits, punctuation, control keys and
  // letters such as Å pass.
  if (IsAsciiLetter(Key)) Key = QChar();
}

void TMorvForm::VisaFelRapport(const FailureReport& Report) {
  FelLista = Report.FelLista;
  AntNamnfel = Report.AntNamnfel;
  AntSkrivfel = Report.AntSkrivfel;
  AntID3Skrivskydd = Report.AntID3Skrivskydd;
  ErrForm->SetLines(FelLista);
  if (!FelLista.isEmpty()) ErrForm->exec();
  FelLista.clear();
}

void TMorvForm::RefreshKeepingTopRow(int top) {
  DirectoryListBox1Change();
  FLB->viewport()->update();
  ScrollRowToTop(FLB, top);
}
