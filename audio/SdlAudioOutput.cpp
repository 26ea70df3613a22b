#include "audio/SdlAudioOutput.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstring>

namespace tess {

namespace {

constexpr int kWantedRate = 44100;
// About 12 ms a period at 44.1 kHz: short enough that Play and Stop answer at once.
constexpr int kPeriodFrames = 512;

}  // namespace

std::unique_ptr<TSdlAudioOutput> TSdlAudioOutput::Open(std::string* why) {
  SDL_SetMainReady();
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Tessaly");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (why) *why = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<TSdlAudioOutput> output(new TSdlAudioOutput());
  SDL_AudioSpec want{};
  want.freq = kWantedRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kPeriodFrames;
  want.callback = &TSdlAudioOutput::Callback;
  want.userdata = output.get();
  SDL_AudioSpec have{};
  output->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (output->device_ == 0) {
    if (why) *why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  output->sampleRate_ = have.freq;
  return output;
}

TSdlAudioOutput::~TSdlAudioOutput() {
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void TSdlAudioOutput::Start(TAudioMixer& mixer) {
  SDL_LockAudioDevice(device_);
  mixer_ = &mixer;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
}

void TSdlAudioOutput::Stop() {
  SDL_PauseAudioDevice(device_, 1);
  SDL_LockAudioDevice(device_);
  mixer_ = nullptr;
  SDL_UnlockAudioDevice(device_);
}

void TSdlAudioOutput::Callback(void* self, unsigned char* stream, int bytes) {
  auto* output = static_cast<TSdlAudioOutput*>(self);
  const size_t frames = size_t(bytes) / (2 * sizeof(float));
  if (output->mixer_)
    output->mixer_->Mix(reinterpret_cast<float*>(stream), frames);
  else
    std::memset(stream, 0, size_t(bytes));
}

}  // namespace tess
