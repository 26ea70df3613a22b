#include "cli/PlayCommand.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <thread>

#include "audio/AudioHarmony.h"
#include "core/AtomicFile.h"
#include "media/WaveFile.h"

namespace tess::cli {

namespace {

constexpr const char* kUsage =
    "usage: tessaly-cli play FILE [--volume V] [--tempo T] [--balance B] [--fade-in MS] [--sound]\n"
    "                            [--seconds S] [--render OUT.wav]\n";
// Without --seconds a file plays to its end (or to the start of its next loop), at most this long.
constexpr double kLongestSeconds = 600;
// The longest --seconds: an hour of 16-bit stereo at 44,100 Hz is a 635 MB wave.
constexpr double kLongestRender = 3600;
// After the end, notes are let go and ring out this long.
constexpr double kTailSeconds = 0.5;

struct TPlayOptions {
  std::string file;
  int volume = 100;
  int tempo = 100;
  int balance = 50;
  int fadeIn = 0;
  bool sound = false;
  double seconds = 0;  // 0: to the end
  std::string render;
};

bool ParseInt(const std::string& text, int low, int high, int& value) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  value = v;
  return true;
}

bool ParseSeconds(const std::string& text, double& value) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !(v > 0) || v > kLongestRender) return false;
  value = v;
  return true;
}

// false with a message on err when the words are not a play command.
bool ParseOptions(const std::vector<std::string>& args, TPlayOptions& o, std::ostream& err) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    bool ok = true;
    if (a == "--volume" && hasValue) {
      ok = ParseInt(args[++i], 0, 100, o.volume);
    } else if (a == "--tempo" && hasValue) {
      ok = ParseInt(args[++i], 1, 10000, o.tempo);
    } else if (a == "--balance" && hasValue) {
      ok = ParseInt(args[++i], 0, 100, o.balance);
    } else if (a == "--fade-in" && hasValue) {
      ok = ParseInt(args[++i], 0, 600000, o.fadeIn);
    } else if (a == "--seconds" && hasValue) {
      ok = ParseSeconds(args[++i], o.seconds);
    } else if (a == "--render" && hasValue) {
      o.render = args[++i];
    } else if (a == "--sound") {
      o.sound = true;
    } else if (a.rfind("--", 0) != 0 && o.file.empty()) {
      o.file = a;
    } else {
      ok = false;
    }
    if (!ok) {
      err << "tessaly-cli: play: bad option " << a << (hasValue && a.rfind("--", 0) == 0 ? " " + args[i] : "")
          << (a == "--seconds" ? " (more than 0, at most 3600)" : "") << "\n"
          << kUsage;
      return false;
    }
  }
  if (o.file.empty()) {
    err << kUsage;
    return false;
  }
  return true;
}

// The front end exists for the length of the command only.
struct TFrontEndScope {
  explicit TFrontEndScope(bool offline) {
    if (offline) SetAudioOutputFactory([] { return std::make_unique<TOfflineAudioOutput>(); });
    AudioStartUp();
  }
  ~TFrontEndScope() {
    AudioShutDown();
    SetAudioOutputFactory(nullptr);
  }
};

const char* PlayerName(TMusicPlayer player) {
  switch (player) {
    case TMusicPlayer::Midi:
      return "MIDI";
    case TMusicPlayer::Wave:
      return "wave";
    case TMusicPlayer::Mp3:
      return "MP3";
    case TMusicPlayer::None:
      break;
  }
  return "sound";
}

// Whether a file played to its end has reached it: a sound effect when it is silent, music when a
// player tells of its end or of the start of its next loop.
bool ReachedEnd(TAudioHarmony& front, bool sound) {
  if (sound) return !front.SoundPlaying();
  for (const TAudioNotice& n : front.TakeNotices())
    if (n.kind == TAudioNoticeKind::SongEnd || n.kind == TAudioNoticeKind::SongLoop) return true;
  return !front.MusicPlaying();
}

std::string Duration(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d:%04.1f", int(seconds) / 60, std::fmod(seconds, 60.0));
  return text;
}

}  // namespace

int Play(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  TPlayOptions o;
  if (!ParseOptions(args, o, err)) return 2;
  TFrontEndScope scope(!o.render.empty());
  TAudioHarmony* front = AudioFrontEnd();
  if (!AudioAvailable()) {
    err << "tessaly-cli: no sound device is available; --render OUT.wav writes what would be heard\n";
    return 1;
  }
  AudioOpenWave();
  bool ok;
  std::string why;
  if (o.sound) {
    ok = AudioPlaySound(o.file, o.volume, o.tempo, o.balance);
    why = AudioLastError();
  } else {
    // Started as the editor starts music: the levels follow the start.
    const std::string midiWhy = AudioOpenMidi() ? std::string() : AudioLastError();
    ok = AudioPlayMusic(o.file);
    why = AudioLastError();
    if (!ok && !midiWhy.empty()) why += " (MIDI: " + midiWhy + ")";
    if (ok) {
      AudioFadeIn(o.fadeIn);
      AudioSetVolume(o.volume);
      AudioSetTempo(o.tempo);
      AudioSetBalance(o.balance);
    }
  }
  if (!ok) {
    err << "tessaly-cli: " << o.file << ": " << why << "\n";
    return 1;
  }
  const char* kind = o.sound ? "sound effect" : PlayerName(front->MusicPlayer());
  const int rate = front->Mixer().SampleRate();
  const int64_t limit = int64_t((o.seconds > 0 ? o.seconds : kLongestSeconds) * rate);
  const bool toTheEnd = o.seconds <= 0;

  if (!o.render.empty()) {
    // The render goes to its file block by block, so its length costs no memory; the header is
    // written with the final size once the last block is in.
    TAtomicFile file(o.render);
    file.Append(WaveHeaderFor(0, 2, rate));
    constexpr size_t kBlock = 1024;  // the end of a sound is looked for after each block
    std::vector<int16_t> pcm(2 * kBlock);
    Bytes bytes;
    int64_t frames = 0;
    auto mix = [&](size_t n) {
      front->Mixer().MixPcm16(pcm.data(), n);
      bytes.resize(4 * n);
      for (size_t i = 0; i < 2 * n; ++i) {
        bytes[2 * i] = uint8_t(uint16_t(pcm[i]) & 0xff);
        bytes[2 * i + 1] = uint8_t(uint16_t(pcm[i]) >> 8);
      }
      file.Append(bytes);
      frames += int64_t(n);
    };
    bool ended = false;
    while (frames < limit) {
      mix(size_t(std::min<int64_t>(kBlock, limit - frames)));
      if (toTheEnd && ReachedEnd(*front, o.sound)) {
        ended = true;
        break;
      }
    }
    if (ended && !o.sound) {
      AudioStopMusic();
      for (int64_t tail = int64_t(kTailSeconds * rate); tail > 0; tail -= int64_t(kBlock))
        mix(size_t(std::min<int64_t>(kBlock, tail)));
    }
    file.Seek(0, TSeekOrigin::Begin);
    file.Append(WaveHeaderFor(size_t(frames), 2, rate));
    file.Commit();
    out << o.file << ": " << kind << ", " << Duration(double(frames) / rate) << " rendered to " << o.render << " ("
        << rate << " Hz, 16-bit stereo)\n";
    return 0;
  }

  const auto start = std::chrono::steady_clock::now();
  const auto longest = std::chrono::duration<double>(double(limit) / rate);
  while (std::chrono::steady_clock::now() - start < longest) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (toTheEnd && ReachedEnd(*front, o.sound)) break;
  }
  AudioStopMusic();
  std::this_thread::sleep_for(std::chrono::duration<double>(kTailSeconds));
  const double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  out << o.file << ": " << kind << ", played " << Duration(played) << "\n";
  return 0;
}

}  // namespace tess::cli
