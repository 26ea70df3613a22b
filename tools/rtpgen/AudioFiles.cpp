#include "tools/rtpgen/AudioFiles.h"

#include <algorithm>

namespace tess::rtp {

namespace {
void Put32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}
void Put16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
// Byte by byte: GCC 12 mistakes range inserts into a fresh vector for overflows.
void Append(Bytes& b, const uint8_t* data, size_t n) {
  for (size_t i = 0; i < n; ++i) b.push_back(data[i]);
}
void Append(Bytes& b, const Bytes& data) { Append(b, data.data(), data.size()); }
void PutText(Bytes& b, const char* text) { Append(b, reinterpret_cast<const uint8_t*>(text), 4); }
// Variable-length quantity: seven bits a byte, most significant first, high bit on all but the last.
void PutVarLen(Bytes& b, uint32_t v) {
  uint8_t tmp[5];
  int n = 0;
  tmp[n++] = v & 0x7F;
  while (v >>= 7) tmp[n++] = uint8_t(0x80 | (v & 0x7F));
  while (n) b.push_back(tmp[--n]);
}
uint8_t Data7(int v) { return uint8_t(std::clamp(v, 0, 127)); }
uint8_t Channel(int c) { return uint8_t(c & 15); }
}  // namespace

void TMidiTrack::Add(uint32_t tick, int rank, Bytes bytes) {
  events_.push_back({tick, rank, events_.size(), std::move(bytes)});
}

void TMidiTrack::Name(const std::string& name) {
  Bytes b = {0xFF, 0x03};
  PutVarLen(b, uint32_t(name.size()));
  Append(b, reinterpret_cast<const uint8_t*>(name.data()), name.size());
  Add(0, 1, std::move(b));
}

void TMidiTrack::Tempo(uint32_t tick, uint32_t us) {
  Add(tick, 1, {0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
}

void TMidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
  Add(tick, 1, {0xFF, 0x58, 0x04, uint8_t(numerator), uint8_t(denominatorPower), 24, 8});
}

void TMidiTrack::Program(uint32_t tick, int channel, int program) {
  Add(tick, 1, {uint8_t(0xC0 | Channel(channel)), Data7(program)});
}

void TMidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
  Add(tick, 1, {uint8_t(0xB0 | Channel(channel)), Data7(controller), Data7(value)});
}

void TMidiTrack::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
  Add(tick, 1, {uint8_t(0x90 | Channel(channel)), Data7(key), Data7(std::max(1, velocity))});
  Add(tick + length, 0, {uint8_t(0x90 | Channel(channel)), Data7(key), 0});
}

uint32_t TMidiTrack::LastTick() const {
  uint32_t last = 0;
  for (auto& e : events_) last = std::max(last, e.tick);
  return last;
}

Bytes TMidiTrack::Encode() const {
  std::vector<const TEvent*> order;
  for (auto& e : events_) order.push_back(&e);
  std::stable_sort(order.begin(), order.end(), [](const TEvent* a, const TEvent* b) {
    if (a->tick != b->tick) return a->tick < b->tick;
    if (a->rank != b->rank) return a->rank < b->rank;
    return a->order < b->order;
  });
  Bytes body;
  uint32_t now = 0;
  uint8_t running = 0;
  for (const TEvent* e : order) {
    PutVarLen(body, e->tick - now);
    now = e->tick;
    uint8_t status = e->bytes[0];
    if (status < 0xF0 && status == running) {
      Append(body, e->bytes.data() + 1, e->bytes.size() - 1);
    } else {
      Append(body, e->bytes);
      running = status < 0xF0 ? status : 0;
    }
  }
  static constexpr uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
  Append(body, kEndOfTrack, sizeof kEndOfTrack);
  Bytes chunk;
  PutText(chunk, "MTrk");
  Put32(chunk, uint32_t(body.size()));
  Append(chunk, body);
  return chunk;
}

Bytes EncodeMidiFile(int format, int division, const std::vector<TMidiTrack>& tracks) {
  Bytes out;
  PutText(out, "MThd");
  Put32(out, 6);
  Put16(out, uint16_t(format));
  Put16(out, uint16_t(tracks.size()));
  Put16(out, uint16_t(division));
  for (auto& t : tracks) {
    Bytes chunk = t.Encode();
    Append(out, chunk);
  }
  return out;
}

}  // namespace tess::rtp
