#include "media/WavePlayer.h"

#include <algorithm>
#include <cstring>

namespace tess {

void TMemoryPcmStream::Reset(std::shared_ptr<const TPcmData> data, bool loop) {
  data_ = std::move(data);
  position_ = 0;
  loop_ = loop;
  loops_ = 0;
}

size_t TMemoryPcmStream::Read(int16_t* out, size_t frames) {
  if (!data_) return 0;
  const size_t total = data_->Frames();
  const size_t channels = size_t(data_->channels);
  size_t done = 0;
  while (done < frames && total > 0) {
    if (position_ >= total) {
      if (!loop_) break;
      position_ = 0;
      ++loops_;
    }
    const size_t n = std::min(frames - done, total - position_);
    std::memcpy(out + done * channels, data_->samples.data() + position_ * channels, n * channels * sizeof(int16_t));
    position_ += n;
    done += n;
  }
  return done;
}

void TWaveBuffer::Load(const std::string& fileName) {
  Assign(nullptr, "");
  Assign(std::make_shared<const TPcmData>(ReadWaveFile(fileName)), fileName);
}

void TWaveBuffer::Assign(std::shared_ptr<const TPcmData> data, const std::string& fileName) {
  StopAll();
  data_ = std::move(data);
  fileName_ = data_ ? fileName : std::string();
  nextVoice_ = 0;
  for (int v = 0; v < kVoices; ++v) {
    streams_[size_t(v)].Reset(data_, false);
    TAudioVoice& voice = voices_[size_t(v)];
    voice.balance = 50;
    voice.volume = 100;
    voice.tempo = 100;
    voice.fade.Reset();
  }
}

void TWaveBuffer::Play(int volume, int tempo, bool loop, int balance) {
  if (!Loaded()) return;
  const size_t v = size_t(nextVoice_);
  TAudioVoice& voice = voices_[v];
  voice.fade.Reset();
  SetVolume(int(v), volume);
  SetTempo(int(v), tempo);
  SetBalance(int(v), balance);
  voice.Stop();
  streams_[v].SetLoop(loop);
  voice.Start(&streams_[v]);
  nextVoice_ = (nextVoice_ + 1) % kVoices;
}

void TWaveBuffer::StopAll() {
  for (TAudioVoice& voice : voices_) voice.Stop();
}

template <typename F>
void TWaveBuffer::ForVoices(int voice, F f) {
  if (voice < 0) {
    for (TAudioVoice& v : voices_) f(v);
  } else if (voice < kVoices) {
    f(voices_[size_t(voice)]);
  }
}

void TWaveBuffer::FadeIn(int ms) {
  if (voices_[0].fade.fadingIn) return;
  const int64_t now = owner_.NowMs();
  ForVoices(-1, [&](TAudioVoice& v) { v.fade.StartIn(ms, now); });
}

void TWaveBuffer::FadeOut(int ms) {
  if (voices_[0].fade.fadingOut) return;
  const int64_t now = owner_.NowMs();
  ForVoices(-1, [&](TAudioVoice& v) { v.fade.StartOut(ms, now); });
}

void TWaveBuffer::SetBalance(int voice, int balance) {
  ForVoices(voice, [&](TAudioVoice& v) { v.balance = std::clamp(balance, 0, 100); });
}

void TWaveBuffer::SetVolume(int voice, int volume) {
  ForVoices(voice, [&](TAudioVoice& v) { v.volume = std::clamp(volume, 0, 100); });
}

void TWaveBuffer::SetTempo(int voice, int tempo) {
  ForVoices(voice, [&](TAudioVoice& v) { v.tempo = std::clamp(tempo, 1, 10000); });
}

bool TWaveBuffer::IsPlaying() const {
  return std::any_of(voices_.begin(), voices_.end(), [](const TAudioVoice& v) { return v.Playing(); });
}

int64_t TWaveBuffer::Loops() const {
  int64_t loops = 0;
  for (const TMemoryPcmStream& s : streams_) loops += s.Loops();
  return loops;
}

void TWaveBuffer::Render(float* out, size_t frames, int outputRate, int64_t nowMs) {
  if (!Loaded()) return;
  for (TAudioVoice& voice : voices_) voice.Render(out, frames, outputRate, nowMs);
}

TWavePlayer::TWavePlayer(int outputRate, TAudioNotices* notices)
    : outputRate_(std::max(1, outputRate)), notices_(notices) {}

void TWavePlayer::SetEffectCount(int count) {
  const size_t n = size_t(std::max(count, 0));
  while (effects_.size() > n) effects_.pop_back();
  while (effects_.size() < n) effects_.push_back(std::make_unique<TWaveBuffer>(*this));
}

void TWavePlayer::Render(float* out, size_t frames) {
  const int64_t now = NowMs();
  music_.Render(out, frames, outputRate_, now);
  for (auto& effect : effects_) effect->Render(out, frames, outputRate_, now);
  frame_ += int64_t(frames);
  // A wave played as music loops; the user-interface thread hears of each new round.
  const int64_t loops = music_.Loops();
  if (loops > musicLoops_ && notices_) notices_->Post(TAudioNoticeKind::SongLoop, TAudioNoticeSource::Wave, loops);
  musicLoops_ = loops;
}

}  // namespace tess
