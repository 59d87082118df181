#pragma once
// Every message box, question, input dialog and file dialog of the program
// goes through this interface, so that windows and logic never open a box
// themselves: the program installs WidgetDialogs (real boxes), tests install
// a fake that answers from a script and records what was shown.
//
// Boxes carry Swedish button captions ("OK", "Ja", "Nej", "Avbryt"); the
// captions of each kind are listed by buttonCaptions() so the real boxes and
// the fake agree.
#include <QString>
#include <QStringList>
#include <optional>

namespace DialogText {
inline constexpr char AppTitle[] = "MORVANTA Quindle";  // caption of every plain message
inline constexpr char Confirm[] = "Bekräfta";
inline constexpr char Error[] = "Fel";
inline constexpr char Warning[] = "Varning";
inline constexpr char Information[] = "Meddelande";
inline constexpr char Ok[] = "OK";
inline constexpr char Yes[] = "Ja";
inline constexpr char No[] = "Nej";
inline constexpr char Cancel[] = "Avbryt";
inline constexpr char Open[] = "Öppna";
inline constexpr char Save[] = "Spara";
inline constexpr char Choose[] = "Välj";
}  // namespace DialogText

class Dialogs {
 public:
  enum class Kind { Message, Box, Question, QuestionCancel, Input, OpenFile, SaveFile, Folder };
  enum class Icon { None, Information, Warning, Error };
  enum class Answer { Yes, No, Cancel };

  // A file dialog. `filter` is written as pairs of a description and its
  // patterns, separated by "|": "Textfil (*.txt)|*.txt|Alla filer (*.*)|*.*"
  // ("*.*" matches every name, with or without a dot).
  struct FileRequest {
    QString caption;
    QString folder;         // empty: wherever the dialog was last
    QString filter;
    QString defaultSuffix;  // without the dot; appended to a typed name that has no extension
    bool confirmOverwrite = false;  // save dialog: ask before choosing an existing file
  };
  struct FileChoice {
    QString path;
    int filterIndex = 0;  // 0-based index of the filter pair that was selected
  };

  virtual ~Dialogs();

  // A plain message: caption "MORVANTA Quindle", one OK button, no icon.
  virtual void message(const QString& text) = 0;
  // A box with its own caption ("Fel", "Varning", "Meddelande", ...) and one OK button.
  virtual void messageBox(const QString& caption, const QString& text, Icon icon = Icon::None) = 0;
  // Yes and No; true for Yes. Closing the box counts as No.
  virtual bool question(const QString& caption, const QString& text) = 0;
  // Yes, No and Cancel; closing the box counts as Cancel.
  virtual Answer questionCancel(const QString& caption, const QString& text) = 0;
  // OK and Cancel; the text typed (possibly empty) or nullopt on Cancel.
  virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& text) = 0;
  virtual std::optional<FileChoice> openFile(const FileRequest& request) = 0;
  virtual std::optional<FileChoice> saveFile(const FileRequest& request) = 0;
  // An existing folder, or nullopt on Cancel.
  virtual std::optional<QString> folder(const QString& caption, const QString& startFolder) = 0;

  static QStringList buttonCaptions(Kind kind);
  // A "|"-separated filter as Qt file dialogs take it: one entry per pair,
  // the description followed by its patterns in parentheses (";" between
  // patterns becomes a blank, "*.*" becomes "*").
  static QStringList nameFilters(const QString& filter);

  // The process-wide dialogs. Until one is installed, a stand-in answers every
  // question with No or Cancel and warns, so nothing ever waits for a screen.
  static Dialogs& instance();
  // Does not take ownership; nullptr goes back to the stand-in. Returns the
  // one installed before.
  static Dialogs* setInstance(Dialogs* dialogs);
};
