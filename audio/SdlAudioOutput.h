#pragma once
// The sound device, through SDL2: 32-bit floating point stereo, pulled by SDL's audio thread.

#include <memory>
#include <string>

#include "audio/AudioOutput.h"

namespace tess {

class TSdlAudioOutput final : public TAudioOutput {
 public:
  // The default device, or null when there is none (a machine without sound); why says what SDL
  // reported.
  static std::unique_ptr<TSdlAudioOutput> Open(std::string* why = nullptr);
  ~TSdlAudioOutput() override;
  TSdlAudioOutput(const TSdlAudioOutput&) = delete;
  TSdlAudioOutput& operator=(const TSdlAudioOutput&) = delete;

  int SampleRate() const override { return sampleRate_; }
  void Start(TAudioMixer& mixer) override;
  void Stop() override;

 private:
  TSdlAudioOutput() = default;
  static void Callback(void* self, unsigned char* stream, int bytes);

  unsigned device_ = 0;
  int sampleRate_ = 44100;
  TAudioMixer* mixer_ = nullptr;
};

}  // namespace tess
