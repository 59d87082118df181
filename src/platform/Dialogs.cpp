#include "Dialogs.h"

#include <QtGlobal>

namespace {

// Used while no dialogs are installed: a box without a screen would hang the
// run, so every question gets the safe answer.
class RefusingDialogs final : public Dialogs {
 public:
  void message(const QString& text) override { warn(text); }
  void messageBox(const QString&, const QString& text, Icon) override { warn(text); }
  bool question(const QString&, const QString& text) override {
    warn(text);
    return false;
  }
  Answer questionCancel(const QString&, const QString& text) override {
    warn(text);
    return Answer::Cancel;
  }
  std::optional<QString> input(const QString& caption, const QString&, const QString&) override {
    warn(caption);
    return std::nullopt;
  }
  std::optional<FileChoice> openFile(const FileRequest& r) override {
    warn(r.caption);
    return std::nullopt;
  }
  std::optional<FileChoice> saveFile(const FileRequest& r) override {
    warn(r.caption);
    return std::nullopt;
  }
  std::optional<QString> folder(const QString& caption, const QString&) override {
    warn(caption);
    return std::nullopt;
  }

 private:
  static void warn(const QString& what) { qWarning("No dialogs installed; not shown: %s", qUtf8Printable(what)); }
};

RefusingDialogs refusing;
Dialogs* current = nullptr;

}  // namespace

Dialogs::~Dialogs() = default;

QStringList Dialogs::buttonCaptions(Kind kind) {
  using namespace DialogText;
  switch (kind) {
    case Kind::Message:
    case Kind::Box:
      return {Ok};
    case Kind::Question:
      return {Yes, No};
    case Kind::QuestionCancel:
      return {Yes, No, Cancel};
    case Kind::Input:
      return {Ok, Cancel};
    case Kind::OpenFile:
      return {Open, Cancel};
    case Kind::SaveFile:
      return {Save, Cancel};
    case Kind::Folder:
      return {Choose, Cancel};
  }
  return {};
}

QStringList Dialogs::nameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& p : patterns) {
      p = p.trimmed();
      if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    }
    out.append(parts[i].trimmed() + QLatin1String(" (") + patterns.join(u' ') + u')');
  }
  return out;
}

Dialogs& Dialogs::instance() { return current ? *current : refusing; }

Dialogs* Dialogs::setInstance(Dialogs* dialogs) {
  Dialogs* before = current;
  current = dialogs;
  return before;
}
