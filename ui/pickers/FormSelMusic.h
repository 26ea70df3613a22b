#pragma once
// "BGM": the music picker. It works on its own music reference, set from the music last played
// when it is made; a caller that edits a reference copies its own in before showing the picker
// and the picker's back after OK. In listening mode (the main window's "Listen to Music") there is
// no OK and Cancel reads "Close". While the picker's music is the one playing, its volume, tempo
// and balance go to the music at once.

#include "media/LD_Sound.h"
#include "ui/pickers/FormSelAudio.h"

namespace tess {

class TFormSelMusic final : public TFormSelAudio {
  Q_OBJECT
 public:
  explicit TFormSelMusic(QWidget* owner = nullptr, bool listening = false);

  TLcfMusic& Music() { return music_; }
  bool Listening() const { return listening_; }
  bool LinkedToPlayback() const { return linked_; }

 protected:
  std::string& Name() override { return music_.name; }
  bool StartPlayback() override;
  void StopPlayback(bool fadeOnly) override;
  void SliderMoved(TSlider slider, int position) override;
  void Showing() override;

 private:
  TLcfMusic music_;
  bool listening_;
  bool linked_ = false;
};

}  // namespace tess
