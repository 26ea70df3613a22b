#pragma once
// TMidiPlayer: our own sequencer. It holds a whole song as one event list and advances the song
// position by the output's sample clock, inside the audio callback: every event is timed to the
// sample it falls on, so the timing neither drifts nor jitters with the machine's load. The
// messages go to a synthesizer behind TMidiSynth. The song loops from its controller 111 and
// carries a fade, master volume, balance and tempo.

#include <array>
#include <cstdint>
#include <string>

#include "core/Errors.h"
#include "media/AudioMixer.h"
#include "media/AudioNotices.h"
#include "media/MidiFile.h"

namespace tess {

// The synthesizer cannot be used (no SoundFont, a failure of the synthesizer itself).
class EMidiError : public ETessError {
 public:
  using ETessError::ETessError;
};

// What the sequencer plays into.
class TMidiSynth {
 public:
  virtual ~TMidiSynth() = default;
  // A channel message: status byte in bits 0-7, first data byte in bits 8-15, second in 16-23.
  virtual void ShortMessage(uint32_t message) = 0;
  // A system exclusive message from its 0xF0 to the closing 0xF7.
  virtual void SystemExclusive(const uint8_t* data, size_t size) = 0;
  // Adds frames of interleaved stereo output to out.
  virtual void Render(float* out, size_t frames) = 0;
  // The synthesizer renders in blocks of this many frames, and a message takes effect at the start
  // of a block. The sequencer sends each message at the block boundary nearest its exact frame,
  // so no message lands more than half a block away from its time.
  virtual size_t BlockFrames() const = 0;
};

class TMidiPlayer : public TAudioSource {
 public:
  // sampleRate: the output's frames a second. notices, when given, hears of tempo changes and of
  // the end of the song.
  TMidiPlayer(TMidiSynth& synth, int sampleRate, TAudioNotices* notices = nullptr);
  ~TMidiPlayer() override;
  TMidiPlayer(const TMidiPlayer&) = delete;
  TMidiPlayer& operator=(const TMidiPlayer&) = delete;

  // Reads the file and takes its song (Assign). A header that is not a MIDI file's raises
  // EInvalidMidiFile; damaged track data leave the player empty, and Play then does nothing.
  void Open(const std::string& fileName);
  // Takes a song read elsewhere (the front end reads files outside the audio lock): stops, resets
  // all controllers on every channel and remembers the file name.
  void Assign(TMidiSong song, const std::string& fileName);

  // Starts from the beginning: balance, volume and tempo back to normal, no fade. Half a quarter
  // note before the first sound, after a short start-up of the synthesizer (a general reset, the
  // pitch-bend range, the volumes and pans).
  void Play();
  // Stops and silences: sustain off and all notes off on every channel.
  void Stop();
  // A fade in from silence or out from the level now, over ms milliseconds; 0 means at once.
  void FadeIn(int ms);
  void FadeOut(int ms);
  // 0 to 100; applied at once once the start-up is over.
  void SetVolume(int volume);
  // 0 to 100, 50 the centre.
  void SetBalance(int balance);
  // Percent of the song's own tempo, 1 to 10000 (0 acts as 1).
  void SetTempo(int percent);

  // The audio callback's work: sends the messages due and adds the synthesizer's output.
  void Render(float* out, size_t frames) override;

  const std::string& FileName() const { return fileName_; }
  const TMidiSong& Song() const { return song_; }
  bool Playing() const { return playing_; }
  int64_t Position() const { return position_; }
  size_t EventIndex() const { return eventIndex_; }
  uint32_t Tempo() const { return tempo_; }
  int Volume() const { return volume_; }
  int Balance() const { return balance_; }
  int TempoPercent() const { return tempoPercent_; }
  int FadeLevel() const { return level_; }
  bool Fading() const { return fadingIn_ || fadingOut_; }
  // Frames rendered since the player was made, and the exact frame the message being sent now is
  // meant for (a synthesizer that keeps time by sample can read it).
  int64_t Frame() const { return frame_; }
  int64_t EventFrame() const { return eventFrame_; }
  int SampleRate() const { return sampleRate_; }

 private:
  void Control(int64_t blockStart);
  void Dispatch(int64_t horizon);
  void Send(const TMidiEvent& event);
  void ApplyVolumes();
  void ApplyPans();
  void UpdateFadeLevel();
  int ScaledVolume(int raw) const;
  int ScaledPan(int raw) const;
  void Controller(int channel, int number, int value);
  // anchorTick: the tick a song's tempo change takes effect at; -1 for a change of the percent,
  // which takes effect now.
  void RecomputeTiming(int64_t anchorTick = -1);
  void AdvanceClock(int64_t frames);
  // Frames from the song clock until the position reaches tick (which lies ahead of it).
  __int128 FramesUntil(int64_t tick) const;
  int64_t FramesOfMs(int64_t ms) const { return ms * sampleRate_ / 1000; }
  int64_t NowMs() const { return frame_ * 1000 / sampleRate_; }

  TMidiSynth& synth_;
  const int sampleRate_;
  TAudioNotices* notices_;
  std::string fileName_;
  TMidiSong song_;

  bool playing_ = false;
  // Start-up, in order: general reset, pitch-bend range, volumes, pans, then the song clock runs.
  int startupPhase_ = 0;
  int64_t startFrame_ = 0;
  bool endPosted_ = false;

  // Song clock: the position in ticks and the part of a tick left over, at frame clockFrame_.
  int64_t clockFrame_ = 0;
  int64_t position_ = 0;
  // Where timed playback began: the start position, or the loop point after a loop.
  int64_t timedFrom_ = 0;
  __int128 remainder_ = 0;
  // Ticks per frame as a fraction.
  __int128 ticksNumerator_ = 1;
  __int128 ticksDenominator_ = 1;
  size_t eventIndex_ = 0;
  // The frame the next event is due at, or -1 when it is to be worked out.
  int64_t dueFrame_ = -1;

  uint32_t tempo_ = 500000;
  int balance_ = 50;
  int volume_ = 100;
  int tempoPercent_ = 100;

  bool fadingIn_ = false;
  bool fadingOut_ = false;
  int64_t fadeDuration_ = 0;
  int level_ = 100;
  int fadeStartLevel_ = 100;
  int64_t fadeStartMs_ = 0;
  int64_t lastVolumeMs_ = 0;

  std::array<int, 16> channelVolume_{};
  std::array<int, 16> channelPan_{};

  int64_t frame_ = 0;
  int64_t eventFrame_ = 0;
};

}  // namespace tess
