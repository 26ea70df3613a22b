#include "ui/pickers/FormSelMusic.h"

#include <QPushButton>

#include "audio/AudioHarmony.h"
#include "core/MaterialFiles.h"
#include "ui/EditorAudio.h"

namespace tess {

namespace {
// Shift+Stop fades the music out over this long.
constexpr int kFadeOutMs = 5000;
}  // namespace

TFormSelMusic::TFormSelMusic(QWidget* owner, bool listening)
    : TFormSelAudio(owner, "BGM", "Music", MusicExtensions(), true), listening_(listening) {
  setObjectName("FormSelMusic");
  music_.Assign(LastMusic());
}

void TFormSelMusic::Showing() {
  if (listening_) {
    OkButton()->hide();
    CancelButton()->setText("Close");
  }
  linked_ = LastMusic().name == music_.name;
  Prepare(music_.fadeIn / 1000, music_.volume / 10, (music_.tempo - 50) / 10, music_.balance / 10);
}

bool TFormSelMusic::StartPlayback() {
  const bool started = StartMusic(music_);
  LastMusic().Assign(music_);
  linked_ = true;
  return started;
}

void TFormSelMusic::StopPlayback(bool fadeOnly) {
  if (fadeOnly) {
    // The music fades away and stays the last played: the Fade Out BGM window can start it again.
    AudioFadeOut(kFadeOutMs);
    return;
  }
  AudioStopMusic();
  AudioCloseMidi();
  ResetLastMusic();
}

void TFormSelMusic::SliderMoved(TSlider slider, int position) {
  switch (slider) {
    case TSlider::FadeIn:
      // Matters at the next start only.
      music_.fadeIn = LastMusic().fadeIn = position * 1000;
      break;
    case TSlider::Volume:
      music_.volume = LastMusic().volume = position * 10;
      if (linked_) AudioSetVolume(music_.volume);
      break;
    case TSlider::Tempo:
      music_.tempo = LastMusic().tempo = position * 10 + 50;
      if (linked_) AudioSetTempo(music_.tempo);
      break;
    case TSlider::Balance:
      music_.balance = LastMusic().balance = position * 10;
      if (linked_) AudioSetBalance(music_.balance);
      break;
  }
}

}  // namespace tess
