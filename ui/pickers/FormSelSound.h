#pragma once
// "Sound Effect": the sound picker. It works on its own sound reference (reset when it is made),
// which a caller copies in before showing it and back after OK. Its sliders set the reference
// only; Play plays the sound with them, over whatever plays already.

#include "media/LD_Sound.h"
#include "ui/pickers/FormSelAudio.h"

namespace tess {

class TFormSelSound final : public TFormSelAudio {
  Q_OBJECT
 public:
  explicit TFormSelSound(QWidget* owner = nullptr);

  TLcfSound& Sound() { return sound_; }

 protected:
  std::string& Name() override { return sound_.name; }
  bool StartPlayback() override;
  void StopPlayback(bool fadeOnly) override;
  void SliderMoved(TSlider slider, int position) override;
  void Showing() override;

 private:
  TLcfSound sound_;
};

}  // namespace tess
