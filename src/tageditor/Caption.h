#pragma once
// Captions follow the old toolkit's rule: a single ampersand marks the access
// key and is not shown, a doubled one shows one ampersand. Labels that show
// such captions use plain text, so nothing else in the text is interpreted.
#include <QLabel>
#include <QString>

// The text the user sees for caption: "1 && 2" gives "1 & 2", "&Spara" gives "Spara".
inline QString CaptionText(const QString& caption) {
  QString shown;
  shown.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] != u'&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
      shown += u'&';
      ++i;
    }
  }
  return shown;
}

inline void SetCaption(QLabel* label, const QString& caption) {
  label->setTextFormat(Qt::PlainText);
  label->setText(CaptionText(caption));
}
