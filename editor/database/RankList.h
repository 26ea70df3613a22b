#pragma once
// A resistance rank list: one line per condition or attribute, its name and rank letter. A left
// click or Space moves the line's rank toward A, a right click toward E, both wrapping.

#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

namespace tess {

class TRankList final : public QListWidget {
  Q_OBJECT
 public:
  // rank(id) reads the rank of the condition or attribute id (from 1); setRank(id, rank) writes it.
  TRankList(std::function<int(int)> rank, std::function<void(int, int)> setRank, QWidget* parent = nullptr);

  // One line per name, for ids 1 to names.size(); shows the ranks.
  void SetNames(const std::vector<std::string>& names);
  // Shows the ranks again (another entry).
  void Reload();
  // What a click or Space does to the line of id.
  void Step(int id, bool towardA);

 signals:
  void changed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString LineOf(int id) const;
  std::function<int(int)> rank_;
  std::function<void(int, int)> setRank_;
  std::vector<QString> names_;
};

}  // namespace tess
