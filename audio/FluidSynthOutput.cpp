#include "audio/FluidSynthOutput.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "media/AudioMixer.h"

namespace tess {

namespace {

// Debian's General MIDI SoundFonts, the richer first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

// The synthesizer's output level: full enough to stand beside the waves, low enough that a dense
// song does not clip.
constexpr double kGain = 0.6;

bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

void QuietenLibrary() {
  // The library's warnings and notes (about SoundFont details) are no business of the author's.
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

}  // namespace

std::string FindSoundFont() {
  if (const char* chosen = std::getenv("TESS_SOUNDFONT"); chosen && IsFile(chosen)) return chosen;
  for (const char* path : kSoundFonts)
    if (IsFile(path)) return path;
  return {};
}

TFluidSynth::TFluidSynth(int sampleRate, const std::string& soundFont) : soundFont_(soundFont) {
  if (soundFont_.empty())
    throw EMidiError(
        "No General MIDI SoundFont was found. Install the package fluid-soundfont-gm or timgm6mb-soundfont.");
  QuietenLibrary();
  settings_ = new_fluid_settings();
  if (!settings_) throw EOutOfMemory();
  fluid_settings_setnum(settings_, "synth.sample-rate", double(sampleRate));
  fluid_settings_setnum(settings_, "synth.gain", kGain);
  // Every call comes under the mixer's lock: the library need not lock again.
  fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) {
    delete_fluid_settings(settings_);
    throw EMidiError("The MIDI synthesizer could not be started.");
  }
  if (fluid_synth_sfload(synth_, soundFont_.c_str(), 1) == FLUID_FAILED) {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    throw EMidiError("The SoundFont " + soundFont_ + " could not be loaded.");
  }
  blockFrames_ = size_t(std::max(1, fluid_synth_get_internal_bufsize(synth_)));
  scratch_.resize(2 * TAudioMixer::kMaxBlockFrames);
}

TFluidSynth::~TFluidSynth() {
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void TFluidSynth::ShortMessage(uint32_t message) {
  const int channel = int(message & 0x0F);
  const int data1 = int((message >> 8) & 0x7F);
  const int data2 = int((message >> 16) & 0x7F);
  switch (message & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth_, channel, data1);
      break;
    case 0x90:
      fluid_synth_noteon(synth_, channel, data1, data2);  // velocity 0 is a note-off
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth_, channel, data1, data2);
      break;
    case 0xB0:
      fluid_synth_cc(synth_, channel, data1, data2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth_, channel, data1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth_, channel, data1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth_, channel, data1 | data2 << 7);
      break;
    default:
      break;
  }
}

void TFluidSynth::SystemExclusive(const uint8_t* data, size_t size) {
  // The library takes the bytes between the 0xF0 and the closing 0xF7.
  if (size < 2 || data[0] != 0xF0) return;
  const size_t inner = size - 1 - (data[size - 1] == 0xF7 ? 1 : 0);
  if (inner == 0 || inner > 65536) return;
  fluid_synth_sysex(synth_, reinterpret_cast<const char*>(data + 1), int(inner), nullptr, nullptr, nullptr, 0);
}

void TFluidSynth::Render(float* out, size_t frames) {
  while (frames) {
    const size_t n = std::min(frames, TAudioMixer::kMaxBlockFrames);
    fluid_synth_write_float(synth_, int(n), scratch_.data(), 0, 2, scratch_.data(), 1, 2);
    for (size_t i = 0; i < 2 * n; ++i) out[i] += scratch_[i];
    out += 2 * n;
    frames -= n;
    framesRendered_ += int64_t(n);
  }
}

void TFluidSynth::Reset() {
  fluid_synth_all_sounds_off(synth_, -1);
  fluid_synth_system_reset(synth_);
  const size_t into = size_t(framesRendered_ % int64_t(blockFrames_));
  if (into) {
    std::vector<float> discard(2 * (blockFrames_ - into));
    Render(discard.data(), blockFrames_ - into);
  }
}

}  // namespace tess
