#pragma once
// Keeps the open project's unsaved work in the scratch folder while the editor runs, so that a
// crash loses at most the last moment: the current map's edits shortly after each change (see
// project/WorkRecovery.h), and which project the work belongs to. Stored, saved or discarded
// edits are forgotten at once.

#include <QObject>
#include <QTimer>

namespace tess {

class TProjectDocument;

class TUnsavedWorkKeeper : public QObject {
  Q_OBJECT
 public:
  // How long after the last edit the map is written: a stroke of the pen is one write.
  static constexpr int kDelayMs = 800;

  explicit TUnsavedWorkKeeper(TProjectDocument& document, QObject* parent = nullptr);

  // Writes the current map's edits now, or forgets them when there are none.
  void KeepNow();
  // The author chose not to keep the edits (closing without saving): nothing stays behind.
  void Forget();

 private:
  void Follow();

  TProjectDocument& document_;
  QTimer timer_;
};

}  // namespace tess
