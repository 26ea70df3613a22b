#include "ui/EditorAudio.h"

#include "audio/AudioHarmony.h"
#include "core/MaterialFiles.h"

namespace tess {

TLcfMusic& LastMusic() {
  static TLcfMusic music;
  return music;
}

void ResetLastMusic() { LastMusic().Reset(); }

bool StartMusic(const TLcfMusic& music) {
  AudioOpenMidi();
  const bool started = AudioPlayMusic(FindMaterialFile(music.name, "Music", MusicExtensions()));
  AudioFadeIn(music.fadeIn);
  AudioSetVolume(music.volume);
  AudioSetTempo(music.tempo);
  AudioSetBalance(music.balance);
  return started;
}

void StartEditorAudio() {
  AudioStartUp();
  AudioOpenWave();
}

TAudioReleasedForGame::TAudioReleasedForGame() {
  LastMusic().name = kNoSoundName;
  AudioShutDown();
}

TAudioReleasedForGame::~TAudioReleasedForGame() { StartEditorAudio(); }

}  // namespace tess
