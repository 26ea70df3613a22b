#pragma once
// "Select Monster Graphic": a picture of the Monster folder shown 1:1 on its own background, and
// the hue the game turns its colours by, on the slider "Color Alteration" (36 steps of 10
// degrees, hue 0 in the middle). Choosing another picture puts the slider back to hue 0.

#include "ui/pickers/FormSelPlainPicture.h"

class QSlider;

namespace tess {

class TFormSelMonster : public TFormSelPlainPicture {
  Q_OBJECT
 public:
  explicit TFormSelMonster(QWidget* owner = nullptr);

  int32_t hue = 0;  // degrees, 0..359

  // The slider's position for a hue, and the hue of a position.
  static int PositionOfHue(int hue);
  static int HueOfPosition(int position);

  QSlider* HueSlider() const { return slider_; }

 protected:
  void Preparing() override;
  void EntrySelected(int row, bool opening) override;
  std::vector<int32_t> ModeValues() const override { return {hue}; }
  void SetModeValues(const std::vector<int32_t>& values) override;

 private:
  void ApplyHue();
  void PutSlider(int position);

  QSlider* slider_ = nullptr;
  std::array<TPaletteEntry, 256> loadedPalette_{};
  bool placing_ = false;
};

}  // namespace tess
