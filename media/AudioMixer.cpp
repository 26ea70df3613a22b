#include "media/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace tess {

TAudioMixer::TAudioMixer(int sampleRate) : sampleRate_(std::max(1, sampleRate)) {
  // Never grown in the audio thread: sources are few and the scratch block is fixed.
  sources_.reserve(16);
  scratch_.resize(2 * kMaxBlockFrames);
}

void TAudioMixer::Attach(TAudioSource* source) {
  if (source && std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void TAudioMixer::Detach(TAudioSource* source) { std::erase(sources_, source); }

void TAudioMixer::MixLocked(float* out, size_t frames) {
  while (frames) {
    const size_t n = std::min(frames, kMaxBlockFrames);
    std::fill(out, out + 2 * n, 0.0f);
    for (TAudioSource* source : sources_) source->Render(out, n);
    for (size_t i = 0; i < 2 * n; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
    framesMixed_ += int64_t(n);
    out += 2 * n;
    frames -= n;
  }
}

void TAudioMixer::Mix(float* out, size_t frames) {
  std::lock_guard lock(mutex_);
  MixLocked(out, frames);
}

void TAudioMixer::MixPcm16(int16_t* out, size_t frames) {
  std::lock_guard lock(mutex_);
  while (frames) {
    const size_t n = std::min(frames, kMaxBlockFrames);
    MixLocked(scratch_.data(), n);
    for (size_t i = 0; i < 2 * n; ++i) out[i] = SampleToPcm16(scratch_[i]);
    out += 2 * n;
    frames -= n;
  }
}

int16_t SampleToPcm16(float sample) { return int16_t(std::clamp(std::lround(sample * 32768.0f), -32768L, 32767L)); }

}  // namespace tess
