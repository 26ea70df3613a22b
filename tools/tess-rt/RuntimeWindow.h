#pragma once
// The stand-in runtime's window: which project it checked, what it found and every problem, with
// the plain note that it checks a game and does not play it. Started by test play and sound, it
// closes itself after a few seconds unless asked to stay; otherwise it stays until closed.

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tess {

class TRuntimeWindow : public QWidget {
  Q_OBJECT
 public:
  // The seconds a sound check started by the editor stays up.
  static constexpr int kAutoCloseSeconds = 5;

  TRuntimeWindow(const QString& projectFolder, const QString& report, int problems, bool autoClose,
                 QWidget* parent = nullptr);

 private:
  void Tick();
  void KeepOpen();

  QLabel* countdown_ = nullptr;
  QPushButton* keep_ = nullptr;
  QTimer timer_;
  int secondsLeft_ = kAutoCloseSeconds;
};

}  // namespace tess
