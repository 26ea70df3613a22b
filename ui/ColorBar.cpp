#include "ui/ColorBar.h"

namespace tess {

namespace {

// The sample colours: red, yellow, green, cyan, blue, magenta, a skin tone and grey, each strip a
// ramp from dark on the left to light on the right in 15 steps of 3 pixels.
constexpr TPaletteEntry kSamples[TColorBar::kStrips] = {
    {224, 32, 32, 0}, {224, 208, 32, 0}, {40, 192, 48, 0},   {32, 200, 216, 0},
    {40, 64, 224, 0}, {208, 48, 200, 0}, {232, 176, 136, 0}, {160, 160, 160, 0},
};
constexpr int kSteps = TColorBar::kStripWidth / 3;

uint8_t Shade(uint8_t channel, int step) {
  // From 35% of the colour at step 0 to the colour blended halfway to white at the last step.
  const int dark = channel * 35 / 100;
  const int light = channel + (255 - channel) / 2;
  return static_cast<uint8_t>(dark + (light - dark) * step / (kSteps - 1));
}

}  // namespace

TColorBar::TColorBar(QWidget* parent) : TBoardView(parent) {
  setObjectName("ColorBar");
  setFocusPolicy(Qt::NoFocus);
  SetBoardSize(kStrips * kStripWidth, kStripHeight);
  for (int i = 0; i < kStrips; ++i) {
    auto sheet = std::make_unique<TCorvidSheet>();
    sheet->SetSize(kStripWidth, kStripHeight);
    for (int step = 0; step < kSteps; ++step) {
      const TPaletteEntry& c = kSamples[i];
      sheet->palette[static_cast<size_t>(step + 1)] = {Shade(c.red, step), Shade(c.green, step), Shade(c.blue, step),
                                                       0};
    }
    for (int y = 0; y < kStripHeight; ++y)
      for (int x = 0; x < kStripWidth; ++x) sheet->Row(y)[x] = static_cast<uint8_t>(x / 3 + 1);
    sheet->UpdatePalette16();
    sheets_[static_cast<size_t>(i)] = std::move(sheet);
  }
  Draw();
}

TColorBar::~TColorBar() = default;

void TColorBar::SetColor(int red, int green, int blue, int saturation) {
  for (auto& sheet : sheets_) sheet->adjust1.SetColor(red, green, blue, saturation, true);
  Draw();
}

void TColorBar::SetFlash(int red, int green, int blue, int strength) {
  for (auto& sheet : sheets_) sheet->adjust2.SetBlend(red, green, blue, strength, true);
  Draw();
}

void TColorBar::Draw() {
  for (int i = 0; i < kStrips; ++i)
    Board().DrawSheet(i * kStripWidth, 0, sheets_[static_cast<size_t>(i)]->BoundsRect(),
                      *sheets_[static_cast<size_t>(i)]);
  update();
}

}  // namespace tess
