#include "ErrFrm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

namespace {

constexpr int kMinWidth = 500;
constexpr int kMinHeight = 305;
constexpr int kMargin = 6;
constexpr char16_t kEnter = u'\r';

}  // namespace

TErrForm::TErrForm(QWidget* parent, std::function<QString(qsizetype)> statusText)
    : QDialog(parent), statusText_(std::move(statusText)) {
  setObjectName(QStringLiteral("ErrForm"));
  setWindowTitle(QStringLiteral("Vad har hänt?"));
  // A title bar only: no system menu, no minimise or maximise; above other windows.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  setModal(true);

  StaticText1 = new QLabel(QStringLiteral("Följande filer blev inte fixade:"), this);
  StaticText1->setObjectName(QStringLiteral("StaticText1"));
  StaticText1->setTextFormat(Qt::PlainText);
  ErrorList = new QPlainTextEdit(this);
  ErrorList->setObjectName(QStringLiteral("ErrorList"));
  ErrorList->setReadOnly(true);
  ErrorList->setLineWrapMode(QPlainTextEdit::NoWrap);
  ErrorList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  ErrorList->installEventFilter(this);
  Button1 = new QPushButton(QStringLiteral("OKEJ"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);  // Enter; Esc closes the dialog as well
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);

  connect(Button1, &QPushButton::clicked, this, &TErrForm::Button1Click);
  FormConstrainedResize();
  resize(kMinWidth, kMinHeight + 1);
}

void TErrForm::SetLines(const QStringList& lines) {
  ErrorList->clear();
  ErrorList->setPlainText(lines.join(u'\n'));
  lineCount_ = lines.size();
}

void TErrForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TErrForm::FormShow() { StatusBar1->showMessage(statusText_ ? statusText_(lineCount_) : QString()); }

void TErrForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TErrForm::FormResize() {
  // Status bar at the bottom, the button right above it, the list between
  // the text at the top and the button; all full width.
  const int w = width();
  const int statusHeight = StatusBar1->sizeHint().height();
  const int buttonHeight = Button1->sizeHint().height();
  StatusBar1->setGeometry(0, height() - statusHeight, w, statusHeight);
  Button1->setGeometry(0, StatusBar1->y() - buttonHeight, w, buttonHeight);
  StaticText1->setGeometry(kMargin, kMargin, w - 2 * kMargin, StaticText1->sizeHint().height());
  const int listTop = StaticText1->geometry().bottom() + 1 + kMargin;
  ErrorList->setGeometry(0, listTop, w, std::max(0, Button1->y() - listTop));
}

void TErrForm::FormConstrainedResize() { setMinimumSize(kMinWidth, kMinHeight); }

bool TErrForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ErrorList && event->type() == QEvent::KeyPress) {
    // The character the key types; Enter on the keypad types a CR as well.
    const auto* key = static_cast<QKeyEvent*>(event);
    QChar typed = key->text().isEmpty() ? QChar() : key->text().front();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) typed = QChar(kEnter);
    return ErrorListKeyPress(typed);
  }
  return QDialog::eventFilter(watched, event);
}

bool TErrForm::ErrorListKeyPress(QChar Key) {
  if (Key != QChar(kEnter)) return false;
  accept();
  return true;
}

void TErrForm::Button1Click() { accept(); }
