#pragma once
// A check list of named entries (conditions, attributes, heroes, classes): one line per entry, each
// checked by its stored mark. The marks are read and written through two functions; a line is
// written only when the author clicks it.

#include <QListWidget>
#include <functional>

namespace tess {

class TMarkList : public QListWidget {
  Q_OBJECT
 public:
  explicit TMarkList(QWidget* parent = nullptr);

  // The lines (captions) and the marks of position i; Load checks each line by get.
  void SetLines(const QStringList& lines);
  std::function<bool(int)> get;
  std::function<void(int, bool)> set;
  void Load();

 signals:
  void changed();

 private:
  bool loading_ = false;
};

}  // namespace tess
