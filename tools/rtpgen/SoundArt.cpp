#include "tools/rtpgen/SoundArt.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "media/WaveFile.h"
#include "tools/rtpgen/Art.h"
#include "tools/rtpgen/AudioFiles.h"

namespace tess::rtp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kDivision = 480;          // ticks per quarter note
constexpr int kEighth = kDivision / 2;  // the unit of every melody line
constexpr int kDrums = 9;               // General MIDI percussion channel

int ParseKey(const std::string& token) {
  static constexpr int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  if (token.empty() || token[0] < 'a' || token[0] > 'g') throw std::invalid_argument("bad note: " + token);
  int key = kSemitone[token[0] - 'a'];
  size_t i = 1;
  if (i < token.size() && token[i] == '#') {
    ++key;
    ++i;
  } else if (i + 1 < token.size() && token[i] == 'b' && std::isdigit(uint8_t(token[i + 1]))) {
    --key;
    ++i;
  }
  if (i >= token.size() || !std::isdigit(uint8_t(token[i])) || i + 1 != token.size())
    throw std::invalid_argument("bad note: " + token);
  return key + 12 * (token[i] - '0' + 1);
}

}  // namespace

std::vector<TNoteEvent> ParseMelody(const std::string& text) {
  std::vector<TNoteEvent> out;
  std::istringstream in(text);
  std::string token;
  int length = 1;
  while (in >> token) {
    if (token == "|") continue;
    size_t colon = token.find(':');
    std::string notes = token.substr(0, colon);
    if (colon != std::string::npos) {
      std::string len = token.substr(colon + 1);
      if (len.empty() || len.size() > 3 ||
          !std::all_of(len.begin(), len.end(), [](char ch) { return std::isdigit(uint8_t(ch)); }))
        throw std::invalid_argument("bad length: " + token);
      length = std::stoi(len);
      if (length <= 0) throw std::invalid_argument("bad length: " + token);
    }
    TNoteEvent e;
    e.eighths = length;
    if (notes != "r") {
      size_t start = 0;
      while (start <= notes.size()) {
        size_t plus = notes.find('+', start);
        e.keys.push_back(ParseKey(notes.substr(start, plus == std::string::npos ? std::string::npos : plus - start)));
        if (plus == std::string::npos) break;
        start = plus + 1;
      }
    }
    out.push_back(std::move(e));
  }
  return out;
}

namespace {

// Root, third and fifth of a chord named like "C", "F#m", "Bb" in the octave above middle C.
std::vector<int> ChordKeys(const std::string& name) {
  std::string root = name;
  bool minor = !root.empty() && root.back() == 'm';
  if (minor) root.pop_back();
  std::string lower = root;
  for (char& ch : lower) ch = char(std::tolower(uint8_t(ch)));
  int key = ParseKey(lower + "4");
  return {key, key + (minor ? 3 : 4), key + 7};
}

enum class TGroove { Gentle, March, Rock, Sparse, Fanfare, Lullaby };

struct TSong {
  const char* name;
  int bpm;
  TGroove groove;
  int melodyProgram, chordProgram, bassProgram;
  std::vector<std::string> chords;  // one a bar of four quarter notes
  const char* melody;
  bool once;  // play once instead of looping
};

uint32_t Play(TMidiTrack& t, int channel, uint32_t start, const std::vector<TNoteEvent>& line, int velocity,
              double legato = 0.9) {
  uint32_t tick = start;
  for (auto& e : line) {
    uint32_t len = uint32_t(e.eighths * kEighth);
    for (int key : e.keys) t.Note(tick, std::max<uint32_t>(1, uint32_t(len * legato)), channel, key, velocity);
    tick += len;
  }
  return tick;
}

TNamedFile Compose(const TSong& s) {
  const uint32_t bar = 4 * kDivision;
  std::vector<TMidiTrack> tracks(5);
  TMidiTrack& conductor = tracks[0];
  conductor.Name(s.name);
  conductor.Tempo(0, uint32_t(60000000 / s.bpm));
  conductor.TimeSignature(0, 4, 2);

  TMidiTrack& melody = tracks[1];
  melody.Name("Melody");
  melody.Program(0, 0, s.melodyProgram);
  melody.Controller(0, 0, 7, 100);
  melody.Controller(0, 0, 91, 40);
  uint32_t end = Play(melody, 0, 0, ParseMelody(s.melody), s.groove == TGroove::Rock ? 104 : 92);

  TMidiTrack& chords = tracks[2];
  chords.Name("Chords");
  chords.Program(0, 1, s.chordProgram);
  chords.Controller(0, 1, 7, 72);
  chords.Controller(0, 1, 10, 44);
  TMidiTrack& bass = tracks[3];
  bass.Name("Bass");
  bass.Program(0, 2, s.bassProgram);
  bass.Controller(0, 2, 7, 96);
  TMidiTrack& drums = tracks[4];
  drums.Name("Drums");
  drums.Controller(0, kDrums, 7, s.groove == TGroove::Sparse ? 70 : 84);

  const uint32_t q = kDivision, e8 = kEighth;
  for (size_t b = 0; b < s.chords.size(); ++b) {
    uint32_t t0 = uint32_t(b) * bar;
    std::vector<int> c = ChordKeys(s.chords[b]);
    int root = c[0] - 24;
    switch (s.groove) {
      case TGroove::Gentle:
        for (int beat = 0; beat < 4; ++beat)
          for (int k : c) chords.Note(t0 + beat * q, q - 40, 1, k - (k > 64 ? 12 : 0), beat % 2 ? 56 : 70);
        for (int beat = 0; beat < 4; ++beat) bass.Note(t0 + beat * q, q - 30, 2, beat % 2 ? root + 7 : root, 90);
        for (int i = 0; i < 8; ++i) drums.Note(t0 + i * e8, 60, kDrums, 42, i % 2 ? 40 : 60);
        drums.Note(t0, 100, kDrums, 36, 80);
        drums.Note(t0 + 2 * q, 100, kDrums, 37, 60);
        break;
      case TGroove::March:
        for (int k : c) chords.Note(t0, bar - 20, 1, k, 64);
        for (int i = 0; i < 8; ++i) bass.Note(t0 + i * e8, e8 - 20, 2, i % 4 == 3 ? root + 7 : root, 88);
        drums.Note(t0, 100, kDrums, 36, 90);
        drums.Note(t0 + 2 * q, 100, kDrums, 36, 80);
        for (int i = 0; i < 8; ++i) drums.Note(t0 + i * e8, 60, kDrums, 38, i == 7 ? 90 : i % 2 ? 40 : 60);
        break;
      case TGroove::Rock:
        for (int beat = 0; beat < 4; ++beat)
          for (int k : c) chords.Note(t0 + beat * q + e8, e8 - 20, 1, k, 78);
        for (int i = 0; i < 8; ++i) bass.Note(t0 + i * e8, e8 - 10, 2, i % 2 ? root + 12 : root, 100);
        for (int i = 0; i < 8; ++i) drums.Note(t0 + i * e8, 60, kDrums, 42, 70);
        drums.Note(t0, 100, kDrums, 36, 110);
        drums.Note(t0 + q + e8, 100, kDrums, 36, 90);
        drums.Note(t0 + q, 100, kDrums, 38, 105);
        drums.Note(t0 + 3 * q, 100, kDrums, 38, 105);
        if (b % 4 == 0) drums.Note(t0, 400, kDrums, 49, 90);
        break;
      case TGroove::Sparse:
        for (int k : c) chords.Note(t0, bar - 10, 1, k - 12, 60);
        for (int i = 0; i < 8; ++i) {
          static constexpr int kArp[8] = {0, 1, 2, 1, 0, 2, 1, 2};
          chords.Note(t0 + i * e8, e8, 1, c[kArp[i]] + 12, 46);
        }
        bass.Note(t0, bar - 10, 2, root, 80);
        drums.Note(t0, 300, kDrums, 41, 56);
        break;
      case TGroove::Fanfare:
        for (int k : c) chords.Note(t0, bar / 2 - 20, 1, k, 80);
        for (int k : c) chords.Note(t0 + bar / 2, bar / 2 - 20, 1, k, 70);
        bass.Note(t0, bar - 20, 2, root, 96);
        drums.Note(t0, 200, kDrums, 49, 96);
        for (int i = 0; i < 4; ++i) drums.Note(t0 + i * q, 100, kDrums, 38, 70 + i * 8);
        break;
      case TGroove::Lullaby:
        for (int i = 0; i < 4; ++i) chords.Note(t0 + i * q, q, 1, c[i % 3] - 12, 48);
        bass.Note(t0, bar - 10, 2, root + 12, 60);
        break;
    }
  }
  end = std::max(end, uint32_t(s.chords.size()) * bar);
  // The loop point: from the start for songs that loop, the very end for those played once.
  conductor.Controller(s.once ? end : 0, 0, 111, 0);
  return {s.name, EncodeMidiFile(1, kDivision, tracks)};
}

}  // namespace

std::vector<TNamedFile> ComposeSongs() {
  // General MIDI programs: 73 flute, 24 nylon guitar, 32 acoustic bass, 48 strings, 60 French
  // horn, 33 finger bass, 61 brass, 30 distortion guitar, 52 choir, 8 celesta, 56 trumpet, 10
  // music box, 68 oboe.
  const TSong songs[] = {
      {"Village",
       104,
       TGroove::Gentle,
       73,
       24,
       32,
       {"C", "F", "G", "C", "Am", "F", "G", "C"},
       "e5:2 g5:2 c6:2 g5:2 | a5:2 f5:2 a5:2 c6:2 | b5:2 g5:2 d5:2 g5:2 | e5:6 r:2 | "
       "a5:2 c6:2 e6:2 c6:2 | a5:2 g5:2 f5:2 a5:2 | g5:2 f5:2 e5:2 d5:2 | c5:6 r:2",
       false},
      {"Field",
       120,
       TGroove::March,
       60,
       48,
       33,
       {"G", "C", "D", "G", "Em", "C", "D", "D"},
       "d5:2 g5:2 b5:3 a5:1 | g5:2 e5:2 c5:4 | d5:2 f#5:2 a5:3 g5:1 | g5:6 r:2 | "
       "b5:2 a5:2 g5:2 e5:2 | c5:2 e5:2 g5:4 | a5:2 g5:2 f#5:2 e5:2 | d5:6 r:2",
       false},
      {"Battle",
       152,
       TGroove::Rock,
       61,
       30,
       33,
       {"Am", "F", "G", "E", "Am", "F", "Dm", "E"},
       "a5:1 a5:1 c6:1 a5:1 e6:2 d6:2 | c6:1 c6:1 a5:1 f5:1 c6:2 a5:2 | b5:1 b5:1 d6:1 b5:1 g5:2 b5:2 | "
       "g#5:4 e5:4 | a5:1 c6:1 e6:1 a6:1 g6:2 e6:2 | f6:2 e6:2 c6:2 a5:2 | d6:2 c6:2 a5:2 f5:2 | "
       "e5:2 g#5:2 b5:2 e6:2",
       false},
      {"Dungeon",
       76,
       TGroove::Sparse,
       68,
       8,
       32,
       {"Dm", "Bb", "C", "A", "Dm", "Gm", "A", "Dm"},
       "d5:4 f5:2 e5:2 | d5:8 | e5:4 g5:2 f5:2 | e5:8 | a5:4 g5:2 f5:2 | g5:4 bb5:4 | a5:4 c#5:4 | d5:8",
       false},
      {"Victory",
       132,
       TGroove::Fanfare,
       56,
       61,
       33,
       {"C", "C", "Dm", "G", "C"},
       "g4:1 g4:1 g4:1 c5:5 | r:2 g4:2 c5:2 e5:2 | d5:2 e5:2 f5:2 d5:2 | g5:8 | c5+e5+g5+c6:8",
       true},
      {"Inn",
       80,
       TGroove::Lullaby,
       10,
       10,
       32,
       {"F", "Bb", "C", "F"},
       "c5:2 a4:2 f4:2 a4:2 | c5:2 d5:2 c5:4 | a4:2 g4:2 f4:2 g4:2 | f4:8",
       true},
  };
  std::vector<TNamedFile> out;
  for (auto& s : songs) out.push_back(Compose(s));
  return out;
}

namespace {

constexpr int kRate = 22050;

struct TSynth {
  std::vector<double> buf;
  explicit TSynth(double seconds) : buf(size_t(seconds * kRate), 0.0) {}
  // A tone gliding from f0 to f1 with an attack and exponential decay; shape 0 sine, 1 square,
  // 2 triangle, 3 saw.
  void Tone(double start, double length, double f0, double f1, double amp, int shape, double decay = 6) {
    double phase = 0;
    size_t a = size_t(start * kRate), n = size_t(length * kRate);
    for (size_t i = 0; i < n && a + i < buf.size(); ++i) {
      double t = double(i) / n;
      double f = f0 + (f1 - f0) * t;
      phase += f / kRate;
      double p = phase - std::floor(phase), v;
      switch (shape) {
        case 1:
          v = p < 0.5 ? 0.6 : -0.6;
          break;
        case 2:
          v = 4 * std::abs(p - 0.5) - 1;
          break;
        case 3:
          v = 2 * p - 1;
          break;
        default:
          v = std::sin(2 * kPi * p);
          break;
      }
      double env = std::min(1.0, i / (0.004 * kRate)) * std::exp(-decay * t);
      buf[a + i] += v * amp * env;
    }
  }
  // Noise through a one-pole low-pass whose cut-off glides from c0 to c1 (0..1).
  void Noise(double start, double length, double c0, double c1, double amp, uint32_t seed, double decay = 5) {
    TRng rng(seed);
    double y = 0;
    size_t a = size_t(start * kRate), n = size_t(length * kRate);
    for (size_t i = 0; i < n && a + i < buf.size(); ++i) {
      double t = double(i) / n, k = c0 + (c1 - c0) * t;
      y += k * ((rng.Unit() * 2 - 1) - y);
      double env = std::min(1.0, i / (0.002 * kRate)) * std::exp(-decay * t);
      buf[a + i] += y * amp * env;
    }
  }
  Bytes Wave() const {
    double peak = 1e-9;
    for (double v : buf) peak = std::max(peak, std::abs(v));
    double gain = std::min(1.0, 0.85 / peak);
    std::vector<int16_t> pcm;
    pcm.reserve(buf.size());
    for (size_t i = 0; i < buf.size(); ++i) {
      double fade = std::min(1.0, (buf.size() - i) / (0.005 * kRate));  // no click at the end
      pcm.push_back(int16_t(std::lround(std::clamp(buf[i] * gain * fade, -1.0, 1.0) * 32767)));
    }
    return tess::EncodeWaveFile(pcm.data(), pcm.size(), 1, kRate);
  }
};

}  // namespace

std::vector<TNamedFile> SynthesizeSounds() {
  std::vector<TNamedFile> out;
  auto add = [&](const char* name, const TSynth& s) { out.push_back({name, s.Wave()}); };
  {
    TSynth s(0.06);
    s.Tone(0, 0.06, 1320, 1320, 0.5, 2, 8);
    add("Cursor", s);
  }
  {
    TSynth s(0.2);
    s.Tone(0, 0.08, 880, 880, 0.5, 2, 3);
    s.Tone(0.07, 0.13, 1320, 1320, 0.5, 2, 5);
    add("Decide", s);
  }
  {
    TSynth s(0.15);
    s.Tone(0, 0.15, 660, 330, 0.5, 2, 4);
    add("Cancel", s);
  }
  {
    TSynth s(0.3);
    s.Tone(0, 0.3, 120, 110, 0.4, 1, 2);
    s.Tone(0, 0.3, 123, 113, 0.3, 1, 2);
    add("Buzzer", s);
  }
  {
    TSynth s(0.3);
    s.Noise(0, 0.3, 0.9, 0.1, 0.9, 11, 7);
    s.Tone(0, 0.12, 900, 300, 0.2, 3, 6);
    add("Slash", s);
  }
  {
    TSynth s(0.35);
    s.Noise(0, 0.35, 0.25, 0.05, 1.0, 12, 6);
    s.Tone(0, 0.2, 90, 50, 0.6, 0, 5);
    add("Blow", s);
  }
  {
    TSynth s(0.9);
    static constexpr double kChime[4] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int i = 0; i < 4; ++i) s.Tone(i * 0.1, 0.5, kChime[i], kChime[i], 0.3, 0, 4);
    add("Heal", s);
  }
  {
    TSynth s(0.6);
    s.Noise(0, 0.08, 0.2, 0.1, 0.8, 13, 4);
    s.Tone(0.05, 0.5, 220, 180, 0.25, 3, 1.5);
    s.Tone(0.05, 0.5, 223, 176, 0.2, 3, 1.5);
    add("Door", s);
  }
  {
    TSynth s(0.45);
    s.Tone(0, 0.2, 1568, 1568, 0.35, 2, 3);
    s.Tone(0.1, 0.35, 2093, 2093, 0.35, 2, 4);
    add("Item", s);
  }
  {
    TSynth s(1.0);
    s.Noise(0, 1.0, 0.6, 0.02, 1.0, 14, 4);
    s.Tone(0, 0.5, 70, 30, 0.7, 0, 3);
    add("Explosion", s);
  }
  {
    TSynth s(0.08);
    s.Noise(0, 0.08, 0.15, 0.05, 0.6, 15, 8);
    add("Step", s);
  }
  {
    TSynth s(0.8);
    for (int i = 0; i < 6; ++i) s.Tone(i * 0.06, 0.4, 400 + i * 220, 600 + i * 260, 0.2, 0, 3);
    s.Noise(0, 0.8, 0.5, 0.9, 0.08, 16, 2);
    add("Magic", s);
  }
  return out;
}

}  // namespace tess::rtp
