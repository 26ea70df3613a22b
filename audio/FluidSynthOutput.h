#pragma once
// The software synthesizer behind the MIDI player: FluidSynth with a General MIDI SoundFont.

#include <string>
#include <vector>

#include "media/MidiPlayer.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace tess {

// The General MIDI SoundFont to use: the file named by TESS_SOUNDFONT when it exists, else the
// richer Debian SoundFont when installed, else the small one; empty when there is none.
std::string FindSoundFont();

class TFluidSynth final : public TMidiSynth {
 public:
  // Raises EMidiError when there is no SoundFont or it does not load.
  explicit TFluidSynth(int sampleRate, const std::string& soundFont = FindSoundFont());
  ~TFluidSynth() override;
  TFluidSynth(const TFluidSynth&) = delete;
  TFluidSynth& operator=(const TFluidSynth&) = delete;

  void ShortMessage(uint32_t message) override;
  void SystemExclusive(const uint8_t* data, size_t size) override;
  void Render(float* out, size_t frames) override;
  size_t BlockFrames() const override { return blockFrames_; }

  // Every sound off at once and every channel back to its start, for the next player; the output
  // is brought to a block boundary, where a new player's first frame must lie.
  void Reset();
  const std::string& SoundFont() const { return soundFont_; }

 private:
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  std::string soundFont_;
  size_t blockFrames_ = 64;
  int64_t framesRendered_ = 0;
  std::vector<float> scratch_;
};

}  // namespace tess
