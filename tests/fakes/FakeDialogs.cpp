#include "FakeDialogs.h"

#include <QTest>

namespace {

const char* kindName(Dialogs::Kind kind) {
  switch (kind) {
    case Dialogs::Kind::Message:
      return "message";
    case Dialogs::Kind::Box:
      return "message box";
    case Dialogs::Kind::Question:
      return "Yes/No question";
    case Dialogs::Kind::QuestionCancel:
      return "Yes/No/Cancel question";
    case Dialogs::Kind::Input:
      return "input dialog";
    case Dialogs::Kind::OpenFile:
      return "open dialog";
    case Dialogs::Kind::SaveFile:
      return "save dialog";
    case Dialogs::Kind::Folder:
      return "folder dialog";
  }
  return "dialog";
}

}  // namespace

FakeDialogs::FakeDialogs() : previous_(Dialogs::setInstance(this)) {}

FakeDialogs::~FakeDialogs() { Dialogs::setInstance(previous_); }

void FakeDialogs::push(QList<Kind> fits, std::optional<Answer> answer, std::optional<QString> text, int filterIndex) {
  script_.push_back({std::move(fits), answer, std::move(text), filterIndex});
}

void FakeDialogs::answerYes() { push({Kind::Question, Kind::QuestionCancel}, Answer::Yes, std::nullopt); }
void FakeDialogs::answerNo() { push({Kind::Question, Kind::QuestionCancel}, Answer::No, std::nullopt); }
void FakeDialogs::answerCancel() { push({Kind::QuestionCancel}, Answer::Cancel, std::nullopt); }
void FakeDialogs::answerInput(const QString& text) { push({Kind::Input}, std::nullopt, text); }
void FakeDialogs::cancelInput() { push({Kind::Input}, std::nullopt, std::nullopt); }
void FakeDialogs::answerOpenFile(const QString& path, int filterIndex) {
  push({Kind::OpenFile}, std::nullopt, path, filterIndex);
}
void FakeDialogs::answerSaveFile(const QString& path, int filterIndex) {
  push({Kind::SaveFile}, std::nullopt, path, filterIndex);
}
void FakeDialogs::cancelFileDialog() { push({Kind::OpenFile, Kind::SaveFile}, std::nullopt, std::nullopt); }
void FakeDialogs::answerFolder(const QString& path) { push({Kind::Folder}, std::nullopt, path); }
void FakeDialogs::cancelFolder() { push({Kind::Folder}, std::nullopt, std::nullopt); }

QStringList FakeDialogs::shownTexts() const {
  QStringList texts;
  for (const Shown& s : shown_) texts.append(s.text);
  return texts;
}

std::optional<FakeDialogs::Scripted> FakeDialogs::take(Shown box) {
  const Kind kind = box.kind;
  const QString what = QStringLiteral("%1 \"%2\": \"%3\"").arg(QLatin1String(kindName(kind)), box.caption, box.text);
  shown_.append(std::move(box));
  if (!script_.empty() && script_.front().fits.contains(kind)) {
    Scripted s = std::move(script_.front());
    script_.pop_front();
    return s;
  }
  const QString problem = script_.empty() ? QStringLiteral("unscripted ") + what
                                          : QStringLiteral("scripted answer does not fit the ") + what;
  unexpected_.append(problem);
  if (failTest_) QTest::qFail(qUtf8Printable(problem), __FILE__, __LINE__);
  return std::nullopt;
}

void FakeDialogs::message(const QString& text) {
  shown_.append({Kind::Message, QString::fromUtf8(DialogText::AppTitle), text, buttonCaptions(Kind::Message),
                 Icon::None, {}});
}

void FakeDialogs::messageBox(const QString& caption, const QString& text, Icon icon) {
  shown_.append({Kind::Box, caption, text, buttonCaptions(Kind::Box), icon, {}});
}

bool FakeDialogs::question(const QString& caption, const QString& text) {
  const auto s = take({Kind::Question, caption, text, buttonCaptions(Kind::Question), Icon::None, {}});
  return s && s->answer == Answer::Yes;
}

Dialogs::Answer FakeDialogs::questionCancel(const QString& caption, const QString& text) {
  const auto s = take({Kind::QuestionCancel, caption, text, buttonCaptions(Kind::QuestionCancel), Icon::None, {}});
  return s ? *s->answer : Answer::Cancel;
}

std::optional<QString> FakeDialogs::input(const QString& caption, const QString& prompt, const QString& text) {
  const auto s = take({Kind::Input, caption, prompt, buttonCaptions(Kind::Input), Icon::None, text});
  return s ? s->text : std::nullopt;
}

std::optional<Dialogs::FileChoice> FakeDialogs::fileAnswer(Kind kind, const FileRequest& request) {
  const auto s = take({kind, request.caption, {}, buttonCaptions(kind), Icon::None,
                       request.folder + u'|' + request.filter});
  if (!s || !s->text) return std::nullopt;
  return FileChoice{*s->text, s->filterIndex};
}

std::optional<Dialogs::FileChoice> FakeDialogs::openFile(const FileRequest& request) {
  return fileAnswer(Kind::OpenFile, request);
}

std::optional<Dialogs::FileChoice> FakeDialogs::saveFile(const FileRequest& request) {
  return fileAnswer(Kind::SaveFile, request);
}

std::optional<QString> FakeDialogs::folder(const QString& caption, const QString& startFolder) {
  const auto s = take({Kind::Folder, caption, {}, buttonCaptions(Kind::Folder), Icon::None, startFolder});
  return s ? s->text : std::nullopt;
}
