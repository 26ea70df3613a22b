#pragma once
// Where the mix goes: the sound device, or nowhere until a caller pulls frames itself (the
// offline render of the command-line tool and the tests).

#include <memory>

#include "media/AudioMixer.h"

namespace tess {

class TAudioOutput {
 public:
  virtual ~TAudioOutput() = default;
  virtual int SampleRate() const = 0;
  // From now on the output takes its frames from mixer, on its own thread, until Stop.
  virtual void Start(TAudioMixer& mixer) = 0;
  virtual void Stop() = 0;
};

// An output without a device: nothing takes frames but the caller, through the mixer.
class TOfflineAudioOutput final : public TAudioOutput {
 public:
  static constexpr int kSampleRate = 44100;
  int SampleRate() const override { return kSampleRate; }
  void Start(TAudioMixer&) override {}
  void Stop() override {}
};

}  // namespace tess
