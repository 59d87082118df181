#pragma once
// Dialogs for tests: answers questions from a script, records every box it was
// shown, and never opens a window.
//
//   FakeDialogs dialogs;          // installed as Dialogs::instance() until destroyed
//   dialogs.answerNo();           // first question: No
//   dialogs.answerYes();          // second question: Yes
//   ... run the code ...
//   QCOMPARE(dialogs.shown().size(), 3);
//
// Messages need no answer. A question with no scripted answer left, or with a
// scripted answer of another kind (a text for a Yes/No question), is
// unexpected: it gets the safe answer (No, Cancel, nothing chosen), is listed
// in unexpected(), and fails the running test function.
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "Dialogs.h"

class FakeDialogs final : public Dialogs {
 public:
  struct Shown {
    Kind kind;
    QString caption;
    QString text;  // message or question; the prompt of an input dialog
    QStringList buttons;
    Icon icon = Icon::None;
    QString detail;  // input: the initial text; file dialogs: folder and filter; folder: the start folder
  };

  FakeDialogs();
  ~FakeDialogs() override;  // puts back the dialogs that were installed before
  FakeDialogs(const FakeDialogs&) = delete;
  FakeDialogs& operator=(const FakeDialogs&) = delete;

  // Script, in the order the questions will come.
  void answerYes();
  void answerNo();
  void answerCancel();  // only for a Yes/No/Cancel question
  void answerInput(const QString& text);
  void cancelInput();
  void answerOpenFile(const QString& path, int filterIndex = 0);
  void answerSaveFile(const QString& path, int filterIndex = 0);
  void cancelFileDialog();  // open or save
  void answerFolder(const QString& path);
  void cancelFolder();

  const QList<Shown>& shown() const { return shown_; }
  // The texts of all boxes shown, in order: handy for one QCOMPARE.
  QStringList shownTexts() const;
  // One line per question nobody scripted; empty when all went as planned.
  const QStringList& unexpected() const { return unexpected_; }
  // Scripted answers no question has taken yet.
  std::size_t pending() const { return script_.size(); }
  // A test of the fake itself turns this off to look at unexpected() alone.
  void setFailTestOnUnexpected(bool fail) { failTest_ = fail; }

  void message(const QString& text) override;
  void messageBox(const QString& caption, const QString& text, Icon icon) override;
  bool question(const QString& caption, const QString& text) override;
  Answer questionCancel(const QString& caption, const QString& text) override;
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& text) override;
  std::optional<FileChoice> openFile(const FileRequest& request) override;
  std::optional<FileChoice> saveFile(const FileRequest& request) override;
  std::optional<QString> folder(const QString& caption, const QString& startFolder) override;

 private:
  struct Scripted {
    QList<Kind> fits;  // the kinds of question this answer can be given to
    std::optional<Answer> answer;
    std::optional<QString> text;  // input text, path or folder; nullopt for Cancel
    int filterIndex = 0;
  };

  void push(QList<Kind> fits, std::optional<Answer> answer, std::optional<QString> text, int filterIndex = 0);
  // Records the box and takes the next scripted answer if it fits the kind.
  std::optional<Scripted> take(Shown box);
  std::optional<FileChoice> fileAnswer(Kind kind, const FileRequest& request);

  std::deque<Scripted> script_;
  QList<Shown> shown_;
  QStringList unexpected_;
  Dialogs* previous_ = nullptr;
  bool failTest_ = true;
};
