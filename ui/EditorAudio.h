#pragma once
// The editor's side of the audio front end: the music last started from a picker, how the editor
// starts music, and letting go of the sound devices while a game runs.

#include "media/LD_Sound.h"

namespace tess {

// The music the music picker last started, shared by the whole editor; the Fade Out BGM window
// replays it. Initially "(OFF)", no fade-in, volume 100, tempo 100, balance 50.
TLcfMusic& LastMusic();
void ResetLastMusic();

// Starts music as every part of the editor does: the MIDI player is opened, the file is found in
// the Music folder (project first, then the runtime package), and the fade-in, volume, tempo and
// balance follow the start (each player starts at its defaults). The result of the start.
bool StartMusic(const TLcfMusic& music);

// The front end as the main window runs it: made, with the wave player open, so that sound
// effects and wave music play at once; the MIDI player opens when music starts.
void StartEditorAudio();

// For the length of a test play or battle test: the music last played is forgotten and the front
// end is shut down, which stops everything and lets go of the sound device for the game; on
// leaving the scope, by any way, the front end starts again.
class TAudioReleasedForGame {
 public:
  TAudioReleasedForGame();
  ~TAudioReleasedForGame();
  TAudioReleasedForGame(const TAudioReleasedForGame&) = delete;
  TAudioReleasedForGame& operator=(const TAudioReleasedForGame&) = delete;
};

}  // namespace tess
