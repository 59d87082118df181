#include "FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <optional>

namespace {

constexpr int kXdgMimeTimeoutMs = 2000;

// The Exec value of the [Desktop Entry] group; other groups (desktop actions)
// have Exec lines of their own that do not count.
QString execValue(const QString& text) {
  bool inEntry = false;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.trimmed();
    if (line.startsWith(u'[')) {
      inEntry = line == QLatin1String("[Desktop Entry]");
      continue;
    }
    if (!inEntry || line.startsWith(u'#')) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq > 0 && QStringView(line).left(eq).trimmed() == QLatin1String("Exec")) return line.mid(eq + 1).trimmed();
  }
  return {};
}

// The string escapes of desktop files (\s \n \t \r \\), applied before the
// quoting rules of the Exec key.
QString unescapeValue(const QString& v) {
  QString out;
  out.reserve(v.size());
  for (qsizetype i = 0; i < v.size(); ++i) {
    if (v[i] != u'\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    const QChar c = v[++i];
    if (c == u's') out += u' ';
    else if (c == u'n') out += u'\n';
    else if (c == u't') out += u'\t';
    else if (c == u'r') out += u'\r';
    else if (c == u'\\') out += u'\\';
    else out += QStringView(v).mid(i - 1, 2);  // kept for the quoting rules below
  }
  return out;
}

struct SplitExec {
  QString program;
  QString arguments;
};

// The first word of an Exec value, which may be double-quoted (backslash escapes
// inside the quotes), and the rest of the line as written.
std::optional<SplitExec> splitExec(const QString& exec) {
  SplitExec r;
  qsizetype i = 0;
  if (exec.startsWith(u'"')) {
    for (i = 1; i < exec.size() && exec[i] != u'"'; ++i) {
      if (exec[i] == u'\\' && i + 1 < exec.size()) ++i;
      r.program += exec[i];
    }
    if (i == exec.size()) return std::nullopt;  // unterminated quote
    ++i;
  } else {
    while (i < exec.size() && !exec[i].isSpace()) r.program += exec[i++];
  }
  r.arguments = exec.mid(i).trimmed();
  if (r.program.isEmpty()) return std::nullopt;
  return r;
}

QString resolveProgram(const QString& program) {
  if (!program.contains(u'/')) return QStandardPaths::findExecutable(program);
  const QFileInfo info(program);
  if (info.isAbsolute() && info.isFile() && info.isExecutable()) return QDir::cleanPath(info.absoluteFilePath());
  return {};
}

}  // namespace

QString FileAssociation::commandLine(const QString& extension) {
  const QMimeType mime = QMimeDatabase().mimeTypeForFile(QStringLiteral("file") + extension, QMimeDatabase::MatchExtension);
  if (!mime.isValid() || mime.isDefault()) return {};
  const QString id = defaultDesktopId(mime.name());
  return id.isEmpty() ? QString() : commandLineForDesktopId(id);
}

QString FileAssociation::defaultDesktopId(const QString& mimeType) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return {};
  QProcess p;
  p.setStandardInputFile(QProcess::nullDevice());
  p.setStandardErrorFile(QProcess::nullDevice());
  p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
  if (!p.waitForFinished(kXdgMimeTimeoutMs)) {
    p.kill();
    p.waitForFinished(kXdgMimeTimeoutMs);
    return {};
  }
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  const QString out = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
  const QString id = out.section(u'\n', 0, 0).trimmed();
  // An id is a file name; anything else (an error text) is no answer.
  return id.endsWith(QLatin1String(".desktop")) && !id.contains(u'/') ? id : QString();
}

QString FileAssociation::commandLineForDesktopId(const QString& id, const QStringList& folders) {
  if (id.isEmpty() || id.contains(u'/')) return {};
  for (const QString& folder : folders) {
    QFile f(QDir(folder).filePath(id));
    if (!f.open(QIODevice::ReadOnly)) continue;
    return commandLineFromDesktopEntry(QString::fromUtf8(f.readAll()));
  }
  return {};
}

QString FileAssociation::commandLineFromDesktopEntry(const QString& text) {
  const auto split = splitExec(unescapeValue(execValue(text)));
  if (!split) return {};
  const QString program = resolveProgram(split->program);
  if (program.isEmpty()) return {};
  QString line = u'"' + program + u'"';
  if (!split->arguments.isEmpty()) line += u' ' + split->arguments;
  return line;
}

QStringList FileAssociation::applicationFolders() {
  return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}
