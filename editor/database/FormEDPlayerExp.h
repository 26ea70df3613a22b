#pragma once
// "Experience Curve": the three values of a hero's or class's experience curve on sliders from
// -2000 to 2000, with the table of every level's total and of the experience from each level to
// the next. The window edits its own values; the caller takes them after OK.

#include <QDialog>
#include <array>

class QListWidget;
class QSlider;
class QSpinBox;

namespace tess {

class TFormEDPlayerExp final : public QDialog {
  Q_OBJECT
 public:
  // Primary, secondary and tertiary.
  using TValues = std::array<int32_t, 3>;
  TFormEDPlayerExp(const TValues& values, QWidget* owner = nullptr);

  const TValues& Values() const { return values_; }
  // What moving a slider (or typing in its box) does.
  void SetValue(int which, int32_t value);
  QListWidget* TotalList() const { return total_; }
  QListWidget* PerLevelList() const { return perLevel_; }
  QSlider* Slider(int which) const { return sliders_[static_cast<size_t>(which)]; }

 private:
  void Show();

  TValues values_;
  std::array<QSlider*, 3> sliders_{};
  std::array<QSpinBox*, 3> boxes_{};
  QListWidget* total_ = nullptr;
  QListWidget* perLevel_ = nullptr;
  bool showing_ = false;
};

}  // namespace tess
