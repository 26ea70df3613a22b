#pragma once
// The colour preview strip of the tint and picture windows: eight sample strips of fixed colours,
// 45 x 16 pixels each, side by side on a 360-pixel board, drawn through indexed-colour sheets whose
// colour control gets the red, green, blue and saturation percentages chosen in the window. The
// flash windows lay a flash (colour and strength 0 to 31) over the strips instead, as the battle
// animation preview lays it over its cels. It previews only; it writes nothing.

#include <array>
#include <memory>

#include "ui/BoardView.h"

namespace tess {

class TColorBar : public TBoardView {
 public:
  static constexpr int kStrips = 8;
  static constexpr int kStripWidth = 45;
  static constexpr int kStripHeight = 16;

  explicit TColorBar(QWidget* parent = nullptr);
  ~TColorBar() override;

  // Applies the percentages to all eight sheets and draws the strips again.
  void SetColor(int red, int green, int blue, int saturation);
  // Lays a flash of that colour and strength (each 0 to 31) over the strips and draws them again.
  void SetFlash(int red, int green, int blue, int strength);

 private:
  void Draw();
  std::array<std::unique_ptr<TCorvidSheet>, kStrips> sheets_;
};

}  // namespace tess
