#pragma once
// The modal wait window shown while the game runtime runs (test play, battle test). It closes when
// the process ends and in no other way.

#include <QDialog>

class QProcess;

namespace tess {

class TFormProcessWait : public QDialog {
  Q_OBJECT
 public:
  // heading names what runs (the game's title), above the panel; empty shows none.
  TFormProcessWait(QProcess& process, const QString& caption, const QString& heading, QWidget* owner);

  // Shows the window until the process ends. Returns at once when it has already ended.
  void WaitModal();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override {}

 private:
  QProcess& process_;
  bool finished_ = false;
};

}  // namespace tess
