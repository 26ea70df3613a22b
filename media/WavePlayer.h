#pragma once
// TWavePlayer: wave files as music and as sound effects. It holds one TWaveBuffer for music and a
// list of them for effects; each loaded wave has four voices over one copy of its samples, so the
// same sound can overlap itself. Files are read whole and ADPCM is decoded once, at load.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "media/AudioMixer.h"
#include "media/AudioNotices.h"
#include "media/AudioVoice.h"
#include "media/WaveFile.h"

namespace tess {

// Samples in memory as a stream; a looping one starts again at its end.
class TMemoryPcmStream final : public TPcmStream {
 public:
  void Reset(std::shared_ptr<const TPcmData> data, bool loop);
  void SetLoop(bool loop) { loop_ = loop; }
  int Channels() const override { return data_ ? data_->channels : 1; }
  int SampleRate() const override { return data_ ? data_->sampleRate : 22050; }
  size_t Read(int16_t* out, size_t frames) override;
  void Rewind() override { position_ = 0; }
  int64_t Loops() const override { return loops_; }

 private:
  std::shared_ptr<const TPcmData> data_;
  size_t position_ = 0;
  bool loop_ = false;
  int64_t loops_ = 0;
};

class TWavePlayer;

class TWaveBuffer {
 public:
  static constexpr int kVoices = 4;

  explicit TWaveBuffer(TWavePlayer& owner) : owner_(owner) {}
  TWaveBuffer(const TWaveBuffer&) = delete;
  TWaveBuffer& operator=(const TWaveBuffer&) = delete;

  // Replaces the wave: stops the voices, reads the file (EInvalidWaveFile for a damaged one, with
  // the buffer then empty) and takes its samples.
  void Load(const std::string& fileName);
  // Takes samples read elsewhere (the front end reads files outside the audio lock).
  void Assign(std::shared_ptr<const TPcmData> data, const std::string& fileName);
  const std::string& FileName() const { return fileName_; }
  bool Loaded() const { return data_ && data_->Frames() > 0; }

  // Plays the next voice from its start with these levels and no fade; the one after it is next.
  // Nothing without a wave.
  void Play(int volume, int tempo, bool loop, int balance);
  void StopAll();
  // Ignored while voice 0 is fading the same way already; ms = 0 means at once.
  void FadeIn(int ms);
  void FadeOut(int ms);
  // voice: 0 to 3, or -1 for all four.
  void SetBalance(int voice, int balance);
  void SetVolume(int voice, int volume);
  void SetTempo(int voice, int tempo);
  bool IsPlaying() const;

  int NextVoice() const { return nextVoice_; }
  const TAudioVoice& Voice(int index) const { return voices_[size_t(index)]; }
  int SourceRate() const { return data_ ? data_->sampleRate : 0; }
  uint32_t SourceBytesPerSecond() const { return data_ ? data_->sourceBytesPerSecond : 0; }
  // The frequency a voice plays at now.
  int Frequency(int voice) const { return FrequencyOf(voices_[size_t(voice)].tempo, SourceRate()); }
  // How often the looping voices have started again.
  int64_t Loops() const;

  void Render(float* out, size_t frames, int outputRate, int64_t nowMs);

 private:
  template <typename F>
  void ForVoices(int voice, F f);

  TWavePlayer& owner_;
  std::shared_ptr<const TPcmData> data_;
  std::array<TAudioVoice, kVoices> voices_;
  std::array<TMemoryPcmStream, kVoices> streams_;
  std::string fileName_;
  int nextVoice_ = 0;
};

class TWavePlayer final : public TAudioSource {
 public:
  explicit TWavePlayer(int outputRate, TAudioNotices* notices = nullptr);

  TWaveBuffer& Music() { return music_; }
  // Grows the effect list with empty buffers or shrinks it; negative counts as 0.
  void SetEffectCount(int count);
  int EffectCount() const { return int(effects_.size()); }
  TWaveBuffer& Effect(int index) { return *effects_.at(size_t(index)); }

  void Render(float* out, size_t frames) override;

  int OutputRate() const { return outputRate_; }
  // The player's clock: milliseconds of sound rendered.
  int64_t NowMs() const { return frame_ * 1000 / outputRate_; }

 private:
  const int outputRate_;
  TAudioNotices* notices_;
  TWaveBuffer music_{*this};
  std::vector<std::unique_ptr<TWaveBuffer>> effects_;
  int64_t frame_ = 0;
  int64_t musicLoops_ = 0;
};

}  // namespace tess
