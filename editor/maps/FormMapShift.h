#pragma once
// "Shift Map": a direction and a number of cells to move a whole map by, wrapping around. The
// dialog opens on the direction and distance chosen last.

#include <QDialog>

#include "maps/CellRect.h"

class QRadioButton;
class QSpinBox;

namespace tess {

class TFormMapShift : public QDialog {
  Q_OBJECT
 public:
  TFormMapShift(int mapWidth, int mapHeight, QWidget* parent = nullptr);

  // 0 up, 1 left, 2 right, 3 down.
  void SetDirection(int direction);
  int Direction() const;
  QSpinBox* Units() const { return units_; }
  // The offset in cells: up and left are negative.
  TCellPoint Offset() const;
  void accept() override;

 private:
  void DirectionChanged();

  int mapWidth_, mapHeight_;
  QRadioButton* directions_[4] = {};
  QSpinBox* units_;
};

}  // namespace tess
