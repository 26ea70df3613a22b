#include "media/AudioVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tess {

int AttenuationOf(int volume, int level) {
  const int product = std::clamp(volume, 0, 100) * std::clamp(level, 0, 100);
  if (product == 0) return -10000;
  return (product / 100) * 35 - 3500;
}

int PanOf(int balance) { return std::clamp(balance, 0, 100) * 60 - 3000; }

int FrequencyOf(int tempo, int sourceRate) {
  return int(std::clamp<int64_t>(int64_t(std::clamp(tempo, 1, 10000)) * sourceRate / 100, 100, 100000));
}

float GainOfHundredthsDb(int hundredths) {
  if (hundredths <= -10000) return 0.0f;
  return float(std::pow(10.0, hundredths / 2000.0));
}

void TVoiceFade::StartIn(int ms, int64_t nowMs) {
  fadingIn = ms > 0;
  fadingOut = false;
  duration = ms;
  level = fadingIn ? 0 : 100;
  startMs = nowMs;
}

void TVoiceFade::StartOut(int ms, int64_t nowMs) {
  // A fade out always starts from full level.
  fadingOut = ms > 0;
  fadingIn = false;
  duration = ms;
  level = fadingOut ? 100 : 0;
  startMs = nowMs;
}

void TVoiceFade::Update(int64_t nowMs) {
  const int64_t elapsed = std::max<int64_t>(0, nowMs - startMs);
  if (fadingIn) {
    level = int(std::min<int64_t>(100, elapsed * 100 / duration));
    if (level >= 100) fadingIn = false;
  } else if (fadingOut) {
    level = int(std::max<int64_t>(0, 100 - elapsed * 100 / duration));
    if (level <= 0) fadingOut = false;
  }
}

void TAudioVoice::Start(TPcmStream* stream) {
  stream_ = stream;
  if (!stream_) return;
  stream_->Rewind();
  inputFrames_ = 0;
  phase_ = 0;
  ended_ = false;
  gainsSet_ = false;
  playing_ = true;
}

void TAudioVoice::Stop() { playing_ = false; }

bool TAudioVoice::Refill(size_t needed) {
  const size_t channels = size_t(stream_->Channels());
  const size_t capacity = kChunkFrames + 2;
  size_t index = size_t(phase_ >> 32);
  size_t keep = 0;
  if (index < inputFrames_) {
    keep = inputFrames_ - index;
    std::memmove(input_.data(), input_.data() + index * channels, keep * channels * sizeof(int16_t));
  } else {
    // A fast rate can step past the frames at hand: the ones in between are passed over.
    size_t skip = index - inputFrames_;
    while (skip && !ended_) {
      const size_t want = std::min(skip, capacity);
      const size_t got = stream_->Read(input_.data(), want);
      if (got < want) ended_ = true;
      skip -= std::min(skip, got);
    }
  }
  phase_ &= 0xFFFFFFFFu;
  size_t got = 0;
  if (!ended_) {
    // Only what the block needs: a looping stream then counts its rounds as they are heard.
    const size_t want = std::clamp<size_t>(needed, 2, capacity - keep);
    got = stream_->Read(input_.data() + keep * channels, want);
    if (got < want) ended_ = true;
  }
  inputFrames_ = keep + got;
  return inputFrames_ > 0;
}

void TAudioVoice::Render(float* out, size_t frames, int outputRate, int64_t nowMs) {
  if (!playing_ || !stream_ || frames == 0) return;
  fade.Update(nowMs);
  const float gain = GainOfHundredthsDb(AttenuationOf(volume, fade.level));
  const int pan = PanOf(balance);
  const float left = gain * (pan > 0 ? GainOfHundredthsDb(-pan) : 1.0f);
  const float right = gain * (pan < 0 ? GainOfHundredthsDb(pan) : 1.0f);
  if (!gainsSet_) {
    gainLeft_ = left;
    gainRight_ = right;
    gainsSet_ = true;
  }
  const float glideLeft = (left - gainLeft_) / float(frames);
  const float glideRight = (right - gainRight_) / float(frames);
  float gl = gainLeft_;
  float gr = gainRight_;
  const uint64_t step = (uint64_t(FrequencyOf(tempo, stream_->SampleRate())) << 32) / uint64_t(std::max(outputRate, 1));
  const bool stereo = stream_->Channels() == 2;
  constexpr float kScale = 1.0f / 32768.0f;
  for (size_t i = 0; i < frames; ++i) {
    size_t index = size_t(phase_ >> 32);
    if (index + 1 >= inputFrames_ && !ended_) {
      const uint64_t ahead = (phase_ & 0xFFFFFFFFu) + uint64_t(frames - i) * step;
      Refill(size_t(std::min<uint64_t>(ahead >> 32, kChunkFrames)) + 2);
      index = size_t(phase_ >> 32);
    }
    if (index >= inputFrames_) {
      playing_ = false;
      break;
    }
    const float frac = float(phase_ & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
    const bool next = index + 1 < inputFrames_;
    float l;
    float r;
    if (stereo) {
      const float a0 = input_[2 * index], a1 = input_[2 * index + 1];
      const float b0 = next ? input_[2 * index + 2] : 0.0f, b1 = next ? input_[2 * index + 3] : 0.0f;
      l = a0 + (b0 - a0) * frac;
      r = a1 + (b1 - a1) * frac;
    } else {
      const float a = input_[index], b = next ? input_[index + 1] : 0.0f;
      l = r = a + (b - a) * frac;
    }
    gl += glideLeft;
    gr += glideRight;
    out[2 * i] += l * gl * kScale;
    out[2 * i + 1] += r * gr * kScale;
    phase_ += step;
  }
  gainLeft_ = left;
  gainRight_ = right;
}

}  // namespace tess
