#include "audio/AudioHarmony.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "audio/FluidSynthOutput.h"
#include "audio/MP3Player.h"
#include "audio/SdlAudioOutput.h"
#include "core/Stream.h"
#include "media/MidiFile.h"
#include "media/MidiPlayer.h"
#include "media/WaveFile.h"
#include "media/WavePlayer.h"

namespace tess {

namespace {

std::string FullPath(const std::string& file) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(file, ec);
  return ec ? file : full.lexically_normal().string();
}

bool EndsWithMp3(const std::string& file) {
  std::string ext = std::filesystem::path(file).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".mp3";
}

}  // namespace

TAudioHarmony::TAudioHarmony(std::unique_ptr<TAudioOutput> output)
    : output_(std::move(output)), mixer_(output_ ? output_->SampleRate() : TOfflineAudioOutput::kSampleRate) {
  if (!output_) return;
  mp3_ = std::make_unique<TMP3Player>(mixer_.SampleRate(), &mixer_.Notices());
  {
    std::lock_guard lock(mixer_.Mutex());
    mixer_.Attach(mp3_.get());
  }
  output_->Start(mixer_);
}

TAudioHarmony::~TAudioHarmony() {
  // The device lets go of the mixer before any player goes.
  if (output_) output_->Stop();
  output_.reset();
  mp3_.reset();
  CloseMidi();
  CloseWave();
}

template <typename F>
bool TAudioHarmony::Guarded(F f) {
  try {
    lastError_.clear();
    return f();
  } catch (const std::bad_alloc&) {
    lastError_ = EOutOfMemory().what();
  } catch (const ETessError& e) {
    // Said to the author and on the command line: what is wrong with the file, where it is known.
    lastError_ = e.Plain();
  } catch (const std::exception& e) {
    lastError_ = e.what();
  } catch (...) {
    lastError_ = "Unknown error";
  }
  return false;
}

bool TAudioHarmony::OpenMidi() {
  return Guarded([&] {
    if (midi_) return true;
    if (!output_) throw EMidiError("There is no sound device.");
    if (synth_)
      synth_->Reset();
    else
      synth_ = std::make_unique<TFluidSynth>(mixer_.SampleRate());
    auto midi = std::make_unique<TMidiPlayer>(*synth_, mixer_.SampleRate(), &mixer_.Notices());
    std::lock_guard lock(mixer_.Mutex());
    midi_ = std::move(midi);
    mixer_.Attach(midi_.get());
    return true;
  });
}

bool TAudioHarmony::OpenWave() {
  return Guarded([&] {
    if (wave_) return true;
    if (!output_) throw ETessError("There is no sound device.");
    auto wave = std::make_unique<TWavePlayer>(mixer_.SampleRate(), &mixer_.Notices());
    wave->SetEffectCount(kEffectCount);
    std::lock_guard lock(mixer_.Mutex());
    wave_ = std::move(wave);
    mixer_.Attach(wave_.get());
    return true;
  });
}

bool TAudioHarmony::CloseMidi() {
  return Guarded([&] {
    std::unique_ptr<TMidiPlayer> gone;
    {
      std::lock_guard lock(mixer_.Mutex());
      mixer_.Detach(midi_.get());
      gone = std::move(midi_);
      if (music_ == TMusicPlayer::Midi) music_ = TMusicPlayer::None;
    }
    gone.reset();
    if (synth_) synth_->Reset();
    return true;
  });
}

bool TAudioHarmony::CloseWave() {
  return Guarded([&] {
    std::unique_ptr<TWavePlayer> gone;
    {
      std::lock_guard lock(mixer_.Mutex());
      mixer_.Detach(wave_.get());
      gone = std::move(wave_);
      if (music_ == TMusicPlayer::Wave) music_ = TMusicPlayer::None;
    }
    return true;
  });
}

bool TAudioHarmony::PlayMusic(const std::string& file) {
  StopMusic();
  return Guarded([&] {
    const std::string path = FullPath(file);
    Bytes data = ReadWholeFile(path);
    if (data.size() < 4) {
      lastError_ = "The file " + path + " is too short to be music.";
      return false;
    }
    // The content decides before the name.
    if (std::memcmp(data.data(), "MThd", 4) == 0 && midi_) {
      TMidiSong song;
      ReadMidiSong(data.data(), data.size(), song);
      const bool sound = !song.damaged;
      const std::string damage = song.damage;
      std::lock_guard lock(mixer_.Mutex());
      midi_->Assign(std::move(song), path);
      midi_->Play();
      music_ = TMusicPlayer::Midi;
      if (!sound) lastError_ = EInvalidMidiFile(damage).Plain();
      return sound;
    }
    // A wave holding MP3 frames plays through the MP3 decoder.
    if (auto frames = MpegWaveData(data.data(), data.size()); frames && mp3_) {
      auto stream = std::make_unique<TMp3Stream>(std::move(*frames));
      std::lock_guard lock(mixer_.Mutex());
      mp3_->Assign(std::move(stream), path);
      music_ = TMusicPlayer::Mp3;
      return true;
    }
    if (std::memcmp(data.data(), "RIFF", 4) == 0 && wave_) {
      auto pcm = std::make_shared<const TPcmData>(DecodeWave(data.data(), data.size()));
      std::lock_guard lock(mixer_.Mutex());
      wave_->Music().Assign(std::move(pcm), path);
      wave_->Music().Play(100, 100, true, 50);
      music_ = TMusicPlayer::Wave;
      return true;
    }
    if (EndsWithMp3(path) && mp3_) {
      auto stream = std::make_unique<TMp3Stream>(std::move(data));
      std::lock_guard lock(mixer_.Mutex());
      mp3_->Assign(std::move(stream), path);
      music_ = TMusicPlayer::Mp3;
      return true;
    }
    lastError_ = "No player takes the file " + path + ".";
    return false;
  });
}

bool TAudioHarmony::StopMusic() {
  return Guarded([&] {
    std::lock_guard lock(mixer_.Mutex());
    if (mp3_) mp3_->Stop();
    if (wave_) wave_->Music().StopAll();
    if (midi_) midi_->Stop();
    music_ = TMusicPlayer::None;
    return true;
  });
}

template <typename OnMp3, typename OnWave, typename OnMidi>
bool TAudioHarmony::ForMusicPlayers(OnMp3 mp3, OnWave wave, OnMidi midi) {
  return Guarded([&] {
    if (!mp3_ && !wave_ && !midi_) return false;
    std::lock_guard lock(mixer_.Mutex());
    if (mp3_) mp3(*mp3_);
    if (wave_) wave(wave_->Music());
    if (midi_) midi(*midi_);
    return true;
  });
}

bool TAudioHarmony::FadeIn(int ms) {
  return ForMusicPlayers([&](TMP3Player& p) { p.FadeIn(ms); }, [&](TWaveBuffer& b) { b.FadeIn(ms); },
                         [&](TMidiPlayer& p) { p.FadeIn(ms); });
}

bool TAudioHarmony::FadeOut(int ms) {
  return ForMusicPlayers([&](TMP3Player& p) { p.FadeOut(ms); }, [&](TWaveBuffer& b) { b.FadeOut(ms); },
                         [&](TMidiPlayer& p) { p.FadeOut(ms); });
}

bool TAudioHarmony::SetVolume(int v) {
  return ForMusicPlayers([&](TMP3Player& p) { p.SetVolume(v); }, [&](TWaveBuffer& b) { b.SetVolume(-1, v); },
                         [&](TMidiPlayer& p) { p.SetVolume(v); });
}

bool TAudioHarmony::SetTempo(int v) {
  return ForMusicPlayers([&](TMP3Player& p) { p.SetTempo(v); }, [&](TWaveBuffer& b) { b.SetTempo(-1, v); },
                         [&](TMidiPlayer& p) { p.SetTempo(v); });
}

bool TAudioHarmony::SetBalance(int v) {
  return ForMusicPlayers([&](TMP3Player& p) { p.SetBalance(v); }, [&](TWaveBuffer& b) { b.SetBalance(-1, v); },
                         [&](TMidiPlayer& p) { p.SetBalance(v); });
}

bool TAudioHarmony::PlaySound(const std::string& file, int volume, int tempo, int balance) {
  return Guarded([&] {
    if (!wave_) throw ETessError("There is no wave player.");
    const std::string path = FullPath(file);
    {
      std::lock_guard lock(mixer_.Mutex());
      for (int i = 0; i < wave_->EffectCount(); ++i) {
        TWaveBuffer& buffer = wave_->Effect(i);
        if (buffer.Loaded() && buffer.FileName() == path) {
          buffer.Play(volume, tempo, false, balance);
          return true;
        }
      }
    }
    // Read outside the lock; the buffer is chosen when the samples are ready.
    const Bytes data = ReadWholeFile(path);
    auto frames = MpegWaveData(data.data(), data.size());
    auto pcm =
        std::make_shared<const TPcmData>(frames ? DecodeMp3(std::move(*frames)) : DecodeWave(data.data(), data.size()));
    std::lock_guard lock(mixer_.Mutex());
    int chosen = -1;
    for (int i = 0; i < wave_->EffectCount() && chosen < 0; ++i)
      if (!wave_->Effect(i).IsPlaying()) chosen = nextEffect_ = i;
    if (chosen < 0) chosen = nextEffect_ = (nextEffect_ + 1) % wave_->EffectCount();
    TWaveBuffer& buffer = wave_->Effect(chosen);
    buffer.Assign(std::move(pcm), path);
    buffer.Play(volume, tempo, false, balance);
    return true;
  });
}

bool TAudioHarmony::StopSound() {
  return Guarded([&] {
    if (!wave_) return false;
    std::lock_guard lock(mixer_.Mutex());
    for (int i = 0; i < wave_->EffectCount(); ++i) wave_->Effect(i).StopAll();
    return true;
  });
}

bool TAudioHarmony::MusicPlaying() {
  std::lock_guard lock(mixer_.Mutex());
  switch (music_) {
    case TMusicPlayer::Midi:
      return midi_ && midi_->Playing();
    case TMusicPlayer::Wave:
      return wave_ && wave_->Music().IsPlaying();
    case TMusicPlayer::Mp3:
      return mp3_ && mp3_->Playing();
    case TMusicPlayer::None:
      break;
  }
  return false;
}

bool TAudioHarmony::SoundPlaying() {
  std::lock_guard lock(mixer_.Mutex());
  if (!wave_) return false;
  for (int i = 0; i < wave_->EffectCount(); ++i)
    if (wave_->Effect(i).IsPlaying()) return true;
  return false;
}

std::vector<TAudioNotice> TAudioHarmony::TakeNotices() {
  std::lock_guard lock(mixer_.Mutex());
  return mixer_.Notices().Take();
}

// The shared front end and its service functions.

namespace {

std::unique_ptr<TAudioHarmony>& Shared() {
  static std::unique_ptr<TAudioHarmony> shared;
  return shared;
}

TAudioOutputFactory& Factory() {
  static TAudioOutputFactory factory;
  return factory;
}

std::string& ServiceError() {
  static std::string error;
  return error;
}

template <typename F>
bool Service(F f) {
  TAudioHarmony* front = Shared().get();
  if (!front) {
    ServiceError() = "The audio front end is not running.";
    return false;
  }
  const bool ok = f(*front);
  ServiceError() = ok ? std::string() : front->LastError();
  return ok;
}

}  // namespace

void SetAudioOutputFactory(TAudioOutputFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<TAudioOutput> OpenDefaultAudioOutput() { return TSdlAudioOutput::Open(); }

TAudioHarmony* AudioFrontEnd() { return Shared().get(); }

bool AudioAvailable() { return Shared() && Shared()->HasOutput(); }

std::string AudioLastError() { return ServiceError(); }

bool AudioStartUp() {
  if (Shared()) return false;
  Shared() = std::make_unique<TAudioHarmony>(Factory() ? Factory()() : OpenDefaultAudioOutput());
  return true;
}

bool AudioShutDown() {
  if (!Shared()) return false;
  Shared().reset();
  return true;
}

bool AudioOpenMidi() {
  return Service([](TAudioHarmony& a) { return a.OpenMidi(); });
}
bool AudioOpenWave() {
  return Service([](TAudioHarmony& a) { return a.OpenWave(); });
}
bool AudioCloseMidi() {
  return Service([](TAudioHarmony& a) { return a.CloseMidi(); });
}
bool AudioPlayMusic(const std::string& file) {
  return Service([&](TAudioHarmony& a) { return a.PlayMusic(file); });
}
bool AudioStopMusic() {
  return Service([](TAudioHarmony& a) { return a.StopMusic(); });
}
bool AudioFadeIn(int ms) {
  return Service([&](TAudioHarmony& a) { return a.FadeIn(ms); });
}
bool AudioFadeOut(int ms) {
  return Service([&](TAudioHarmony& a) { return a.FadeOut(ms); });
}
bool AudioSetVolume(int volume) {
  return Service([&](TAudioHarmony& a) { return a.SetVolume(volume); });
}
bool AudioSetTempo(int tempo) {
  return Service([&](TAudioHarmony& a) { return a.SetTempo(tempo); });
}
bool AudioSetBalance(int balance) {
  return Service([&](TAudioHarmony& a) { return a.SetBalance(balance); });
}
bool AudioPlaySound(const std::string& file, int volume, int tempo, int balance) {
  return Service([&](TAudioHarmony& a) { return a.PlaySound(file, volume, tempo, balance); });
}
bool AudioStopSound() {
  return Service([](TAudioHarmony& a) { return a.StopSound(); });
}

}  // namespace tess
