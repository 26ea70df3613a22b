#pragma once
// "Game Runtime": the program test play and the battle test start instead of the project's own
// runtime (any executable, or a Windows program through the launcher), and the launcher of Windows
// programs. The window shows the command line test play will run with the values as they stand,
// or, when it could not run, why and what to do.

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace tess {

class TFormGameRuntime : public QDialog {
  Q_OBJECT
 public:
  // runtime and launcher: the settings' values (empty: the project's runtime, the default
  // launcher); projectFolder ends in '/'; words: what test play passes after the program.
  TFormGameRuntime(const QString& runtime, const QString& launcher, const std::string& projectFolder,
                   std::vector<std::string> words, QWidget* owner);

  QString Runtime() const;
  QString Launcher() const;
  QLineEdit* RuntimeEdit() const { return runtime_; }
  QLineEdit* LauncherEdit() const { return launcher_; }
  // The command line test play would run, or why it would not start.
  QString Preview() const;

 private:
  void UpdatePreview();
  void Browse(QLineEdit* edit, const QString& caption);

  std::string projectFolder_;
  std::vector<std::string> words_;
  QLineEdit* runtime_ = nullptr;
  QLineEdit* launcher_ = nullptr;
  QLabel* preview_ = nullptr;
};

}  // namespace tess
