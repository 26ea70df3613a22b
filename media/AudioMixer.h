#pragma once
// The mixer: every player adds its sound into one interleaved stereo stream of 32-bit floating
// point frames, which the one output device (or an offline render) takes. The audio thread mixes
// under the mixer's lock; the user-interface thread takes the same lock for each change it makes
// to a player, and reads or writes files only outside it.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "media/AudioNotices.h"

namespace tess {

// Something that sounds in the mix.
class TAudioSource {
 public:
  virtual ~TAudioSource() = default;
  // Adds frames of interleaved stereo to out; frames is at most TAudioMixer::kMaxBlockFrames.
  virtual void Render(float* out, size_t frames) = 0;
};

class TAudioMixer {
 public:
  // Sources render at most this many frames at a time.
  static constexpr size_t kMaxBlockFrames = 1024;

  explicit TAudioMixer(int sampleRate);

  int SampleRate() const { return sampleRate_; }
  std::mutex& Mutex() { return mutex_; }
  // With the lock held.
  void Attach(TAudioSource* source);
  void Detach(TAudioSource* source);
  TAudioNotices& Notices() { return notices_; }
  // Frames mixed since the mixer was made.
  int64_t FramesMixed() const { return framesMixed_; }

  // Writes frames of interleaved stereo, each sample within -1 to 1. Takes the lock.
  void Mix(float* out, size_t frames);
  // The same as 16-bit samples, for files.
  void MixPcm16(int16_t* out, size_t frames);

 private:
  void MixLocked(float* out, size_t frames);

  const int sampleRate_;
  std::mutex mutex_;
  std::vector<TAudioSource*> sources_;
  TAudioNotices notices_;
  int64_t framesMixed_ = 0;
  std::vector<float> scratch_;
};

// Rounds and clips float samples to 16 bits: the inverse of the voices' 1/32768 scale, so a wave
// at full volume comes out as it went in.
int16_t SampleToPcm16(float sample);

}  // namespace tess
