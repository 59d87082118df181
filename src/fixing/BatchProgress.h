#pragma once
// The screen state of a running fixing batch: the progress bar counting the
// entries, the hourglass, and a quiet tag probe. Whatever way the batch ends
// (a write error, an error that escapes), the bar goes back to 0, the cursor
// comes back and the probe talks to the tag editor again.
class QProgressBar;
class TagProbe;

class BatchProgress {
 public:
  // probe may be null when the batch does not probe.
  BatchProgress(QProgressBar* bar, int entries, TagProbe* probe);
  ~BatchProgress();
  BatchProgress(const BatchProgress&) = delete;
  BatchProgress& operator=(const BatchProgress&) = delete;

  void Step();
  // The normal cursor again, before the list is refreshed.
  void RestoreCursor();

 private:
  QProgressBar* bar_;
  TagProbe* probe_;
  bool busy_ = false;
};
