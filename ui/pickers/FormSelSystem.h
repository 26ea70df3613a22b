#pragma once
// "Select System Graphic": a picture of the System folder, with how the game draws its window
// background ("Stretch to Fit" or "Tiled Display") and which font it uses ("MS Gothic" or "MS
// Mincho"). In battle-graphic mode the same window picks a picture of the System2 folder, with a
// smaller preview and without the two choices.

#include "ui/pickers/FormSelPlainPicture.h"

class QGroupBox;
class QRadioButton;

namespace tess {

class TFormSelSystem : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelSystem(QWidget* owner = nullptr, bool battleGraphic = false);

  int32_t wallpaper = 0;  // 0 stretched, 1 tiled
  int32_t font = 0;       // 0 the first font, 1 the second

  QRadioButton* WallpaperButton(int i) const { return wallpaperButtons_[i]; }
  QRadioButton* FontButton(int i) const { return fontButtons_[i]; }
  QGroupBox* OptionGroups() const { return groups_; }

 protected:
  void Preparing() override;
  std::vector<int32_t> ModeValues() const override { return {wallpaper, font}; }
  void SetModeValues(const std::vector<int32_t>& values) override;

 private:
  QGroupBox* groups_ = nullptr;
  QRadioButton* wallpaperButtons_[2] = {};
  QRadioButton* fontButtons_[2] = {};
};

}  // namespace tess
