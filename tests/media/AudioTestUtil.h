#pragma once
// Shared helpers of the sound tests: MIDI and wave files built byte by byte, and a synthesizer
// that records what the sequencer sends and when.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Stream.h"
#include "media/MidiPlayer.h"

namespace tess::test {

inline void PutVarLen(Bytes& b, uint32_t v) {
  uint8_t tmp[5];
  int n = 0;
  tmp[n++] = v & 0x7F;
  while (v >>= 7) tmp[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n) b.push_back(tmp[--n]);
}

inline void PutBig32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}

// One track: events given with their delta times, written as they come (running status only where
// a test writes it so).
class TTrackBuilder {
 public:
  TTrackBuilder& Raw(uint32_t delta, std::initializer_list<uint8_t> bytes) {
    PutVarLen(body_, delta);
    body_.insert(body_.end(), bytes);
    return *this;
  }
  // Bytes without a delta time before them.
  TTrackBuilder& Append(std::initializer_list<uint8_t> bytes) {
    body_.insert(body_.end(), bytes);
    return *this;
  }
  TTrackBuilder& NoteOn(uint32_t delta, int channel, int key, int velocity = 100) {
    return Raw(delta, {uint8_t(0x90 | channel), uint8_t(key), uint8_t(velocity)});
  }
  TTrackBuilder& NoteOff(uint32_t delta, int channel, int key) {
    return Raw(delta, {uint8_t(0x80 | channel), uint8_t(key), 0});
  }
  TTrackBuilder& Controller(uint32_t delta, int channel, int number, int value) {
    return Raw(delta, {uint8_t(0xB0 | channel), uint8_t(number), uint8_t(value)});
  }
  TTrackBuilder& Tempo(uint32_t delta, uint32_t us) {
    return Raw(delta, {0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
  }
  TTrackBuilder& End(uint32_t delta = 0) { return Raw(delta, {0xFF, 0x2F, 0x00}); }
  // The body without an end, for damaged tracks.
  Bytes Chunk() const {
    Bytes b = {'M', 'T', 'r', 'k'};
    PutBig32(b, uint32_t(body_.size()));
    b.insert(b.end(), body_.begin(), body_.end());
    return b;
  }

 private:
  Bytes body_;
};

inline Bytes MidiFileOf(uint16_t division, const std::vector<TTrackBuilder>& tracks, uint16_t format = 1) {
  Bytes b = {'M',
             'T',
             'h',
             'd',
             0,
             0,
             0,
             6,
             uint8_t(format >> 8),
             uint8_t(format),
             uint8_t(tracks.size() >> 8),
             uint8_t(tracks.size()),
             uint8_t(division >> 8),
             uint8_t(division)};
  for (const TTrackBuilder& t : tracks) {
    const Bytes chunk = t.Chunk();
    b.insert(b.end(), chunk.begin(), chunk.end());
  }
  return b;
}

inline TMidiSong SongOf(const Bytes& file) {
  TMidiSong song;
  ReadMidiSong(file.data(), file.size(), song);
  return song;
}

// A synthesizer that keeps every message with the exact frame the sequencer meant it for and the
// frame it arrived at (the start of the block being rendered).
class TFakeSynth final : public TMidiSynth {
 public:
  struct TSent {
    uint32_t message = 0;  // 0 for a system exclusive message
    Bytes sysex;
    int64_t frame = 0;    // the exact frame
    int64_t arrived = 0;  // the block the message took effect in
  };
  explicit TFakeSynth(size_t block = 1) : block_(block) {}
  void Attach(const TMidiPlayer& player) { player_ = &player; }

  void ShortMessage(uint32_t message) override { sent.push_back({message, {}, EventFrame(), rendered_}); }
  void SystemExclusive(const uint8_t* data, size_t size) override {
    sent.push_back({0, Bytes(data, data + size), EventFrame(), rendered_});
  }
  void Render(float*, size_t frames) override { rendered_ += int64_t(frames); }
  size_t BlockFrames() const override { return block_; }

  // The messages with this status (high nibble) and, for controllers, this number.
  std::vector<TSent> Matching(uint8_t status, int controller = -1) const {
    std::vector<TSent> out;
    for (const TSent& s : sent)
      if (s.message && (s.message & 0xF0) == status && (controller < 0 || int((s.message >> 8) & 0xFF) == controller))
        out.push_back(s);
    return out;
  }

  std::vector<TSent> sent;

 private:
  int64_t EventFrame() const { return player_ ? player_->EventFrame() : -1; }
  size_t block_;
  const TMidiPlayer* player_ = nullptr;
  int64_t rendered_ = 0;
};

// Renders frames through a player (or any source) in blocks the size a sound device asks for.
template <typename TSource>
std::vector<float> RenderFrames(TSource& source, size_t frames, size_t block = 512) {
  std::vector<float> out(2 * frames, 0.0f);
  for (size_t at = 0; at < frames; at += block) source.Render(out.data() + 2 * at, std::min(block, frames - at));
  return out;
}

}  // namespace tess::test
