#pragma once
// One playing voice of sampled sound (a wave or a decoded MP3): it pulls 16-bit frames from a
// stream, changes their rate for the tempo and adds them to the mix with its volume, balance and
// fade. Wave voices and the MP3 player share it, so both follow the same laws:
// - attenuation in hundredths of a decibel: -10000 (silence) when volume × fade level is 0, else
//   (volume × level div 100) × 35 - 3500, so 100 % and 100 % give 0;
// - pan in hundredths of a decibel: balance × 60 - 3000, -3000 full left to +3000 full right; a
//   pan to one side attenuates the other;
// - frequency: tempo × source rate / 100, kept within 100 to 100,000 frames a second.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tess {

int AttenuationOf(int volume, int level);
int PanOf(int balance);
int FrequencyOf(int tempo, int sourceRate);
// The amplitude factor of an attenuation in hundredths of a decibel (0 for -10000 and below).
float GainOfHundredthsDb(int hundredths);

// A fade of a voice. In from silence or out from full level over a duration; the level is 0 to 100.
struct TVoiceFade {
  bool fadingIn = false;
  bool fadingOut = false;
  int64_t duration = 0;
  int level = 100;
  int64_t startMs = 0;

  void StartIn(int ms, int64_t nowMs);
  void StartOut(int ms, int64_t nowMs);
  void Reset() { *this = TVoiceFade(); }
  // The level at nowMs; a fade that reaches its end stops there.
  void Update(int64_t nowMs);
};

// Where a voice takes its frames from.
class TPcmStream {
 public:
  virtual ~TPcmStream() = default;
  virtual int Channels() const = 0;  // 1 or 2
  virtual int SampleRate() const = 0;
  // Up to frames frames into out (interleaved); fewer only at the end of a stream that does not
  // loop.
  virtual size_t Read(int16_t* out, size_t frames) = 0;
  // Back to the first frame.
  virtual void Rewind() = 0;
  // How often a looping stream has started again from its beginning.
  virtual int64_t Loops() const = 0;
};

class TAudioVoice {
 public:
  // Starts stream from its beginning. The stream must outlive the voice's playing.
  void Start(TPcmStream* stream);
  void Stop();
  bool Playing() const { return playing_; }

  int volume = 100;
  int balance = 50;
  int tempo = 100;
  TVoiceFade fade;

  // Adds frames to the interleaved stereo out at outputRate frames a second; nowMs is the time of
  // the first frame, for the fade.
  void Render(float* out, size_t frames, int outputRate, int64_t nowMs);

 private:
  static constexpr size_t kChunkFrames = 1024;
  // Keeps the frames not yet passed and reads about needed more.
  bool Refill(size_t needed);

  TPcmStream* stream_ = nullptr;
  bool playing_ = false;
  bool ended_ = false;
  // Frames taken from the stream and not yet passed; the position is a 32.32 fixed-point frame
  // index into them.
  std::array<int16_t, 2 * (kChunkFrames + 2)> input_{};
  size_t inputFrames_ = 0;
  uint64_t phase_ = 0;
  // Gains of the last block: the next block glides from them to its own, without clicks.
  float gainLeft_ = 0;
  float gainRight_ = 0;
  bool gainsSet_ = false;
};

}  // namespace tess
