#pragma once
// "Text Encoding": the code page a project's text is shown in. Each candidate is listed with
// whether it reads every name of the project and how it reads the first names outside ASCII, and
// the names are previewed in the selected one, so the author sees which reads right.

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;

namespace tess {

class TFormTextEncoding : public QDialog {
  Q_OBJECT
 public:
  // names: the project's stored names; current: the code page in use.
  TFormTextEncoding(std::vector<std::string> names, const std::string& current, QWidget* owner);

  // The code page chosen (the one in use until the author picks another).
  std::string CodePage() const;
  void SelectCodePage(const std::string& name);
  QListWidget* Candidates() const { return candidates_; }
  QListWidget* Preview() const { return preview_; }

 private:
  void ShowPreview();

  std::vector<std::string> names_;
  QListWidget* candidates_ = nullptr;
  QListWidget* preview_ = nullptr;
};

}  // namespace tess
