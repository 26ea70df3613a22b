#pragma once
// TAudioHarmony: the one audio front end. It owns the output, the mixer, the MIDI player, the wave
// player and the MP3 player, and decides by a file's content which player plays music. Every
// operation catches every error and reports it only as a false result (the reason stays in
// LastError for those that want to say it); the editor goes on regardless.
//
// The service functions below reach one shared front end; windows use them.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/AudioOutput.h"
#include "media/AudioMixer.h"
#include "media/AudioNotices.h"

namespace tess {

class TFluidSynth;
class TMidiPlayer;
class TMP3Player;
class TWavePlayer;

// Which player plays the music last started.
enum class TMusicPlayer { None, Midi, Wave, Mp3 };

class TAudioHarmony {
 public:
  static constexpr int kEffectCount = 16;

  // output may be null: a machine without a sound device. The players then cannot be made and
  // every operation that needs one gives false.
  explicit TAudioHarmony(std::unique_ptr<TAudioOutput> output);
  ~TAudioHarmony();
  TAudioHarmony(const TAudioHarmony&) = delete;
  TAudioHarmony& operator=(const TAudioHarmony&) = delete;

  bool HasOutput() const { return output_ != nullptr; }
  TAudioMixer& Mixer() { return mixer_; }

  bool OpenMidi();
  bool OpenWave();
  bool CloseMidi();
  bool CloseWave();

  // Stops the music, then plays file by its first bytes: "MThd" through the MIDI player, "RIFF"
  // through the wave player's music buffer (looping, full volume, centred, normal tempo), else a
  // name ending in ".mp3" through the MP3 player. False when no player takes it or it fails; a
  // MIDI file whose tracks are damaged plays nothing and gives false.
  bool PlayMusic(const std::string& file);
  bool StopMusic();
  // Forwarded to every music player there is: the MP3 player, the wave music buffer (all four
  // voices), the MIDI player. Only the one playing is heard; the others keep the value.
  bool FadeIn(int ms);
  bool FadeOut(int ms);
  bool SetVolume(int volume);
  bool SetTempo(int tempo);
  bool SetBalance(int balance);

  // Plays a wave as a sound effect in one of the 16 effect buffers: the one that holds the file
  // already (its next voice, so up to four of one sound overlap), else the first that is silent,
  // else the one after the last chosen.
  bool PlaySound(const std::string& file, int volume, int tempo, int balance);
  bool StopSound();

  // For the command-line tool and tests: what plays, and the players themselves.
  TMusicPlayer MusicPlayer() const { return music_; }
  bool MusicPlaying();
  bool SoundPlaying();
  int NextEffect() const { return nextEffect_; }
  TMidiPlayer* Midi() { return midi_.get(); }
  TWavePlayer* Wave() { return wave_.get(); }
  TMP3Player* Mp3() { return mp3_.get(); }
  // The notices the players posted since the last call.
  std::vector<TAudioNotice> TakeNotices();
  // Why the last operation that gave false failed.
  const std::string& LastError() const { return lastError_; }

 private:
  template <typename F>
  bool Guarded(F f);
  template <typename OnMp3, typename OnWave, typename OnMidi>
  bool ForMusicPlayers(OnMp3 mp3, OnWave wave, OnMidi midi);

  std::unique_ptr<TAudioOutput> output_;
  TAudioMixer mixer_;
  // Kept from one MIDI player to the next: loading the SoundFont takes a moment.
  std::unique_ptr<TFluidSynth> synth_;
  std::unique_ptr<TMidiPlayer> midi_;
  std::unique_ptr<TWavePlayer> wave_;
  std::unique_ptr<TMP3Player> mp3_;
  TMusicPlayer music_ = TMusicPlayer::None;
  int nextEffect_ = 0;
  std::string lastError_;
};

// The output the service functions' front end gets: by default the sound device (none when there
// is none). The command-line tool's render and the tests choose an offline one.
using TAudioOutputFactory = std::function<std::unique_ptr<TAudioOutput>()>;
void SetAudioOutputFactory(TAudioOutputFactory factory);
std::unique_ptr<TAudioOutput> OpenDefaultAudioOutput();

// The shared front end, or null.
TAudioHarmony* AudioFrontEnd();
// Whether there is a front end with an output to play through.
bool AudioAvailable();
// Why the last service call that gave false failed (empty when it did not).
std::string AudioLastError();

// Each returns true on success, false when there is no front end or the operation failed.
bool AudioStartUp();  // false (and nothing done) when it exists already
bool AudioShutDown();
bool AudioOpenMidi();
bool AudioOpenWave();
bool AudioCloseMidi();
bool AudioPlayMusic(const std::string& file);
bool AudioStopMusic();
bool AudioFadeIn(int ms);
bool AudioFadeOut(int ms);
bool AudioSetVolume(int volume);
bool AudioSetTempo(int tempo);
bool AudioSetBalance(int balance);
bool AudioPlaySound(const std::string& file, int volume, int tempo, int balance);
bool AudioStopSound();

}  // namespace tess
