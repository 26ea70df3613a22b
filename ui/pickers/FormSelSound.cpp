#include "ui/pickers/FormSelSound.h"

#include "audio/AudioHarmony.h"
#include "core/MaterialFiles.h"

namespace tess {

TFormSelSound::TFormSelSound(QWidget* owner) : TFormSelAudio(owner, "Sound Effect", "Sound", SoundExtensions(), false) {
  setObjectName("FormSelSound");
}

void TFormSelSound::Showing() { Prepare(0, sound_.volume / 10, (sound_.tempo - 50) / 10, sound_.balance / 10); }

bool TFormSelSound::StartPlayback() {
  return AudioPlaySound(FindMaterialFile(sound_.name, "Sound", SoundExtensions()), sound_.volume, sound_.tempo,
                        sound_.balance);
}

void TFormSelSound::StopPlayback(bool) { AudioStopSound(); }

void TFormSelSound::SliderMoved(TSlider slider, int position) {
  switch (slider) {
    case TSlider::Volume:
      sound_.volume = position * 10;
      break;
    case TSlider::Tempo:
      sound_.tempo = position * 10 + 50;
      break;
    case TSlider::Balance:
      sound_.balance = position * 10;
      break;
    case TSlider::FadeIn:
      break;
  }
}

}  // namespace tess
