#include "media/MidiPlayer.h"

#include <algorithm>

#include "core/Stream.h"

namespace tess {

namespace {

constexpr uint8_t kGeneralReset[] = {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7};
constexpr uint32_t kDefaultTempo = 500000;  // 120 quarter notes a minute
// A time code song counts ticks a second: as if a quarter note lasted one second.
constexpr uint32_t kTimeCodeTempo = 1000000;

// Start-up phases after Play, in milliseconds: each runs once, in order, at the first block at or
// after its time; the song clock starts after the last.
enum TStartup { kReset, kBendRange, kVolumes, kPans, kClock, kRunning };
constexpr int64_t kStartupMs[] = {50, 100, 120, 130, 140};

// Volumes are sent again during a fade at most this often.
constexpr int64_t kFadeStepMs = 100;

}  // namespace

TMidiPlayer::TMidiPlayer(TMidiSynth& synth, int sampleRate, TAudioNotices* notices)
    : synth_(synth), sampleRate_(std::max(1, sampleRate)), notices_(notices) {
  channelVolume_.fill(100);
  channelPan_.fill(64);
  RecomputeTiming();
}

TMidiPlayer::~TMidiPlayer() { Stop(); }

void TMidiPlayer::Open(const std::string& fileName) {
  Stop();
  const Bytes data = ReadWholeFile(fileName);
  TMidiSong song;
  ReadMidiSong(data.data(), data.size(), song);
  Assign(std::move(song), fileName);
}

void TMidiPlayer::Assign(TMidiSong song, const std::string& fileName) {
  Stop();
  song_ = std::move(song);
  fileName_ = fileName;
  eventIndex_ = 0;
  position_ = 0;
  remainder_ = 0;
  for (int channel = 0; channel < 16; ++channel) Controller(channel, 121, 0);
  RecomputeTiming();
}

void TMidiPlayer::Play() {
  Stop();
  if (song_.events.Empty()) return;
  eventIndex_ = 0;
  position_ = 0;
  remainder_ = 0;
  balance_ = 50;
  volume_ = 100;
  tempoPercent_ = 100;
  fadingIn_ = fadingOut_ = false;
  level_ = 100;
  startupPhase_ = kReset;
  endPosted_ = false;

  // The first tempo of the song rules from the start; the first note-on, loop marker or system
  // exclusive message is the first sound.
  tempo_ = kDefaultTempo;
  bool tempoFound = false;
  int64_t firstSound = -1;
  for (size_t i = 0; i < song_.events.Count() && (!tempoFound || firstSound < 0); ++i) {
    const TMidiEvent& e = song_.events[i];
    if (!tempoFound && e.IsSetTempo()) {
      tempo_ = std::max<uint32_t>(e.Tempo, 1);
      tempoFound = true;
    }
    if (firstSound < 0 && (e.IsNoteOn() || e.IsController(111) || e.Kind == TMidiEventKind::SysEx)) firstSound = e.Tick;
  }
  RecomputeTiming();
  // Playback starts half a quarter note before the first sound, skipping leading silence.
  const int64_t halfQuarter = song_.timing.ticksNumerator / song_.timing.ticksDenominator / 2;
  position_ = std::max<int64_t>(0, (firstSound < 0 ? 0 : firstSound) - halfQuarter);
  timedFrom_ = position_;
  channelVolume_.fill(100);
  channelPan_.fill(64);
  playing_ = true;
  startFrame_ = frame_;
}

void TMidiPlayer::Stop() {
  if (!playing_) return;
  playing_ = false;
  for (int channel = 0; channel < 16; ++channel) {
    Controller(channel, 64, 0);
    Controller(channel, 123, 0);
  }
}

void TMidiPlayer::FadeIn(int ms) {
  fadingOut_ = false;
  fadeStartLevel_ = 0;
  level_ = 0;
  fadeStartMs_ = NowMs();
  fadeDuration_ = ms;
  fadingIn_ = ms > 0;
  if (!fadingIn_) level_ = 100;
  if (playing_ && startupPhase_ > kVolumes) ApplyVolumes();
}

void TMidiPlayer::FadeOut(int ms) {
  fadingIn_ = false;
  fadeStartLevel_ = level_;
  fadeStartMs_ = NowMs();
  fadeDuration_ = ms;
  fadingOut_ = ms > 0;
  if (!fadingOut_) level_ = 0;
  if (playing_ && startupPhase_ > kVolumes) ApplyVolumes();
}

void TMidiPlayer::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  if (playing_ && startupPhase_ > kVolumes) ApplyVolumes();
}

void TMidiPlayer::SetBalance(int balance) {
  balance_ = std::clamp(balance, 0, 100);
  if (playing_ && startupPhase_ > kPans) ApplyPans();
}

void TMidiPlayer::SetTempo(int percent) {
  // The part of the song already played keeps the old tempo.
  if (playing_ && startupPhase_ == kRunning && frame_ > clockFrame_) AdvanceClock(frame_ - clockFrame_);
  tempoPercent_ = std::clamp(percent, 1, 10000);
  RecomputeTiming();
}

void TMidiPlayer::RecomputeTiming(int64_t anchorTick) {
  // Ticks a frame = ticks a quarter × 1,000,000 × percent / (microseconds a quarter × 100 × frames
  // a second), kept as an exact fraction: no rounding of the tempo, so no drift over a long song.
  const uint32_t tempo = song_.timing.timeCode ? kTimeCodeTempo : tempo_;
  const __int128 numerator = __int128(std::max<int64_t>(song_.timing.ticksNumerator, 1)) * 1000000 * tempoPercent_;
  const __int128 denominator =
      __int128(tempo) * 100 * std::max<int64_t>(song_.timing.ticksDenominator, 1) * sampleRate_;
  if (anchorTick >= 0 && position_ >= anchorTick) {
    // The clock reached the tempo event's tick part of a frame ago, at the old rate: the ticks
    // counted since then are counted again at the new one.
    const __int128 since = __int128(position_ - anchorTick) * ticksDenominator_ + remainder_;
    const __int128 rescaled = since * numerator / ticksNumerator_;
    position_ = anchorTick + int64_t(rescaled / denominator);
    remainder_ = rescaled % denominator;
  } else {
    // The fraction of a tick already counted keeps its share.
    remainder_ = remainder_ * denominator / ticksDenominator_;
  }
  ticksNumerator_ = numerator;
  ticksDenominator_ = denominator;
  dueFrame_ = -1;
}

void TMidiPlayer::AdvanceClock(int64_t frames) {
  const __int128 a = __int128(frames) * ticksNumerator_ + remainder_;
  position_ += int64_t(a / ticksDenominator_);
  remainder_ = a % ticksDenominator_;
  clockFrame_ += frames;
}

__int128 TMidiPlayer::FramesUntil(int64_t tick) const {
  const __int128 needed = __int128(tick - position_) * ticksDenominator_ - remainder_;
  return (needed + ticksNumerator_ - 1) / ticksNumerator_;
}

void TMidiPlayer::Render(float* out, size_t frames) {
  const int64_t block = int64_t(std::max<size_t>(synth_.BlockFrames(), 1));
  while (frames) {
    const int64_t into = frame_ % block;
    if (into == 0) Control(frame_);
    const size_t n = size_t(std::min<int64_t>(int64_t(frames), block - into));
    synth_.Render(out, n);
    out += 2 * n;
    frames -= n;
    frame_ += int64_t(n);
  }
}

void TMidiPlayer::Control(int64_t blockStart) {
  if (!playing_) return;
  const int64_t since = blockStart - startFrame_;
  if (startupPhase_ < kRunning) {
    // One phase at most per block, each at its time.
    if (since < FramesOfMs(kStartupMs[startupPhase_])) return;
    switch (startupPhase_) {
      case kReset:
        synth_.SystemExclusive(kGeneralReset, sizeof kGeneralReset);
        break;
      case kBendRange:
        // Pitch-bend range of two semitones on every channel.
        for (int channel = 0; channel < 16; ++channel) {
          Controller(channel, 101, 0);
          Controller(channel, 100, 0);
          Controller(channel, 6, 2);
          Controller(channel, 38, 0);
        }
        break;
      case kVolumes:
        ApplyVolumes();
        break;
      case kPans:
        ApplyPans();
        break;
      case kClock:
        // From a block boundary, where the synthesizer's blocks and the song's frames agree.
        clockFrame_ = blockStart;
        remainder_ = 0;
        dueFrame_ = -1;
        break;
    }
    ++startupPhase_;
    if (startupPhase_ < kRunning) return;
  }
  if (Fading() && NowMs() - lastVolumeMs_ >= kFadeStepMs) ApplyVolumes();
  // Messages due before the middle of this block go now.
  Dispatch(blockStart + (int64_t(std::max<size_t>(synth_.BlockFrames(), 1)) + 1) / 2);
}

void TMidiPlayer::Dispatch(int64_t horizon) {
  // A loop shorter than a frame at this speed waits for the next block instead of spinning.
  int64_t loopedAt = -1;
  const size_t count = song_.events.Count();
  for (;;) {
    if (eventIndex_ >= count) {
      if (song_.loopTick >= song_.songLength) {
        if (!endPosted_ && notices_) notices_->Post(TAudioNoticeKind::SongEnd, TAudioNoticeSource::Midi);
        endPosted_ = true;
        return;
      }
      if (loopedAt == clockFrame_) return;
      loopedAt = clockFrame_;
      eventIndex_ = song_.loopIndex;
      position_ = timedFrom_ = song_.events[eventIndex_].Tick;
      remainder_ = 0;
      dueFrame_ = -1;
      if (notices_) notices_->Post(TAudioNoticeKind::SongLoop, TAudioNoticeSource::Midi, position_);
      continue;
    }
    const TMidiEvent& e = song_.events[eventIndex_];
    if (dueFrame_ < 0) {
      // Worked out once for each event, and again only when the tempo changes.
      const __int128 frames = e.Tick > position_ ? FramesUntil(e.Tick) : 0;
      dueFrame_ = int64_t(std::min<__int128>(__int128(clockFrame_) + frames, INT64_MAX / 2));
    }
    if (dueFrame_ >= horizon) return;
    if (dueFrame_ > clockFrame_) AdvanceClock(dueFrame_ - clockFrame_);
    dueFrame_ = -1;
    eventFrame_ = clockFrame_;
    ++eventIndex_;
    Send(e);
  }
}

void TMidiPlayer::Send(const TMidiEvent& e) {
  switch (e.Kind) {
    case TMidiEventKind::Channel: {
      const int channel = int(e.Message & 0x0F);
      const int value = int((e.Message >> 16) & 0xFF);
      if (e.IsController(7)) {
        channelVolume_[channel] = value;
        Controller(channel, 7, ScaledVolume(value));
      } else if (e.IsController(10)) {
        channelPan_[channel] = value;
        Controller(channel, 10, ScaledPan(value));
      } else {
        synth_.ShortMessage(e.Message);
      }
      break;
    }
    case TMidiEventKind::Meta:
      if (e.IsSetTempo() && !song_.timing.timeCode) {
        tempo_ = std::max<uint32_t>(e.Tempo, 1);
        // Events before the start of playback are sent at once, untimed: the tempo rules from there.
        RecomputeTiming(std::max(e.Tick, timedFrom_));
        if (notices_) notices_->Post(TAudioNoticeKind::TempoChange, TAudioNoticeSource::Midi, tempo_);
      }
      break;
    case TMidiEventKind::SysEx: {
      // Only complete messages: an 0xF7 packet continues or escapes and means nothing on its own.
      const uint8_t* data = song_.events.Data(e);
      if (data[0] == 0xF0) synth_.SystemExclusive(data, e.Length);
      break;
    }
    case TMidiEventKind::System:
      break;
  }
}

int TMidiPlayer::ScaledVolume(int raw) const { return std::clamp(raw * volume_ / 100 * level_ / 100, 0, 127); }

int TMidiPlayer::ScaledPan(int raw) const { return std::clamp(raw + balance_ * 2 - 100, 0, 127); }

void TMidiPlayer::Controller(int channel, int number, int value) {
  synth_.ShortMessage(uint32_t(0xB0 | channel) | uint32_t(number) << 8 | uint32_t(value) << 16);
}

void TMidiPlayer::UpdateFadeLevel() {
  const int64_t elapsed = NowMs() - fadeStartMs_;
  if (fadingIn_) {
    level_ = int(std::min<int64_t>(100, fadeStartLevel_ + elapsed * 100 / fadeDuration_));
    if (level_ >= 100) fadingIn_ = false;
  } else if (fadingOut_) {
    level_ = int(std::max<int64_t>(0, fadeStartLevel_ - elapsed * 100 / fadeDuration_));
    if (level_ <= 0) fadingOut_ = false;
  }
}

void TMidiPlayer::ApplyVolumes() {
  UpdateFadeLevel();
  for (int channel = 0; channel < 16; ++channel) Controller(channel, 7, ScaledVolume(channelVolume_[channel]));
  lastVolumeMs_ = NowMs();
}

void TMidiPlayer::ApplyPans() {
  for (int channel = 0; channel < 16; ++channel) Controller(channel, 10, ScaledPan(channelPan_[channel]));
}

}  // namespace tess
