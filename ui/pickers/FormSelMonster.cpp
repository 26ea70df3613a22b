#include "ui/pickers/FormSelMonster.h"

#include <QGroupBox>
#include <QSlider>
#include <QVBoxLayout>

namespace tess {

namespace {

constexpr int kHueSteps = 36;
constexpr int kPositionOfNoHue = 18;

}  // namespace

int TFormSelMonster::PositionOfHue(int hue) { return (((hue + 180) % 360 + 360) % 360) / 10; }

int TFormSelMonster::HueOfPosition(int position) { return (10 * position + 180) % 360; }

TFormSelMonster::TFormSelMonster(QWidget* owner)
    : TFormSelPlainPicture(owner, "Select Monster Graphic", "Monster", 320, 240, TPreviewRule::Centred) {
  auto* box = new QGroupBox("Color Alteration", this);
  auto* layout = new QVBoxLayout(box);
  slider_ = new QSlider(Qt::Horizontal, box);
  slider_->setObjectName("HueSlider");
  slider_->setRange(0, kHueSteps - 1);
  slider_->setPageStep(3);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(kPositionOfNoHue);
  slider_->setToolTip("The hue the game turns the monster's colours by; the middle keeps them");
  layout->addWidget(slider_);
  OptionsLayout()->addWidget(box);
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    if (placing_) return;
    hue = HueOfPosition(position);
    ApplyHue();
    RedrawPreview();
  });
}

void TFormSelMonster::PutSlider(int position) {
  placing_ = true;
  slider_->setValue(position);
  placing_ = false;
}

void TFormSelMonster::Preparing() { PutSlider(PositionOfHue(hue)); }

void TFormSelMonster::EntrySelected(int, bool opening) {
  loadedPalette_ = PreviewSheet().palette;
  if (!opening) {
    hue = 0;
    PutSlider(kPositionOfNoHue);
  }
  ApplyHue();
}

void TFormSelMonster::ApplyHue() {
  TCorvidSheet& sheet = PreviewSheet();
  sheet.palette = loadedPalette_;
  sheet.RotateHue(hue);
}

void TFormSelMonster::SetModeValues(const std::vector<int32_t>& values) {
  if (values.size() == 1) hue = values[0];
}

}  // namespace tess
