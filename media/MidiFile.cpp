#include "media/MidiFile.h"

#include <cstring>
#include <limits>
#include <queue>

#include "core/Stream.h"

namespace tess {

bool TMidiEventList::Add(TMidiEvent event, std::initializer_list<uint8_t> head, const uint8_t* body,
                         size_t bodyLength) {
  if (events_.size() >= kMaxEvents) return false;
  const size_t length = head.size() + bodyLength;
  if (length) {
    if (pool_.size() + length > std::numeric_limits<uint32_t>::max()) return false;
    event.DataOffset = uint32_t(pool_.size());
    event.Length = uint32_t(length);
    pool_.insert(pool_.end(), head.begin(), head.end());
    pool_.insert(pool_.end(), body, body + bodyLength);
  }
  events_.push_back(event);
  return true;
}

void TMidiEventList::Clear() {
  events_.clear();
  events_.shrink_to_fit();
  pool_.clear();
  pool_.shrink_to_fit();
}

void TMidiSong::Clear() {
  events.Clear();
  songLength = 0;
  loopTick = 0;
  loopIndex = 0;
  damaged = false;
  damage.clear();
}

TMidiTiming TimingOfDivision(uint16_t division) {
  TMidiTiming t;
  t.division = division;
  if (division == 0) throw EInvalidMidiFile("its division is 0");
  if (!(division & 0x8000)) {
    t.ticksNumerator = division;
    return t;
  }
  t.timeCode = true;
  const int framesPerSecond = -int(int8_t(division >> 8));
  const int ticksPerFrame = division & 0xFF;
  if (ticksPerFrame == 0) throw EInvalidMidiFile("its time code counts 0 ticks a frame");
  switch (framesPerSecond) {
    case 24:
    case 25:
    case 30:
      t.ticksNumerator = int64_t(framesPerSecond) * ticksPerFrame;
      break;
    case 29:  // 29.97 frames a second
      t.ticksNumerator = int64_t(30000) * ticksPerFrame;
      t.ticksDenominator = 1001;
      break;
    default:
      throw EInvalidMidiFile("its time code has " + std::to_string(framesPerSecond) + " frames a second");
  }
  return t;
}

namespace {

// Damage inside a track's data, and what it is.
struct TTrackDamage {
  const char* what = "a track is damaged";
};

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

struct TTrackReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
  uint8_t running = 0;
  int64_t nextTick = 0;
  bool ended = false;

  bool HasBytes() const { return !ended && pos < size; }
  uint8_t Byte() {
    if (pos >= size) throw TTrackDamage{"a track ends inside an event"};
    return data[pos++];
  }
  // Seven bits a byte, most significant first, high bit set on all but the last; at most four bytes.
  uint32_t VarLen() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = Byte();
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    throw TTrackDamage{"a track holds a number of more than four bytes"};
  }
  // The next n bytes, which must lie within the track.
  const uint8_t* Take(size_t n) {
    if (n > size - pos) throw TTrackDamage{"a track ends inside an event"};
    const uint8_t* p = data + pos;
    pos += n;
    return p;
  }
};

// Reads one event of a track into the list.
void ReadEvent(TTrackReader& track, int64_t tick, TMidiEventList& list) {
  TMidiEvent e;
  e.Tick = tick;
  const uint8_t first = track.Byte();
  bool added = true;
  if (first == 0xFF) {
    const uint8_t type = track.Byte();
    const uint32_t length = track.VarLen();
    const uint8_t* body = track.Take(length);
    e.Kind = TMidiEventKind::Meta;
    e.MetaType = type;
    if (type == 0x51) {
      if (length != 3) throw TTrackDamage{"a tempo event is not 3 bytes long"};
      e.Tempo = uint32_t(body[0]) << 16 | body[1] << 8 | body[2];
    }
    if (type == 0x2F) track.ended = true;
    // Stored as the file has it: 0xFF, the type, the data.
    added = list.Add(e, {0xFF, type}, body, length);
  } else if (first >= 0xF0) {
    const uint32_t length = track.VarLen();
    const uint8_t* body = track.Take(length);
    e.Kind = first == 0xF0 || first == 0xF7 ? TMidiEventKind::SysEx : TMidiEventKind::System;
    added = list.Add(e, {first}, body, length);
  } else {
    uint8_t data1;
    if (first & 0x80) {
      track.running = first;
      data1 = track.Byte();
    } else {
      if (!track.running) throw TTrackDamage{"a track has data bytes before any status byte"};
      data1 = first;
    }
    e.Message = track.running | uint32_t(data1) << 8;
    // Program change and channel pressure carry one data byte, the others two.
    if (track.running < 0xC0 || track.running > 0xDF) e.Message |= uint32_t(track.Byte()) << 16;
    added = list.Add(e);
  }
  if (!added) throw TTrackDamage{"the song holds more than 100,000 events"};
}

// Merges the tracks into the song's list; throws TTrackDamage.
void MergeTracks(std::vector<TTrackReader>& tracks, TMidiSong& song) {
  using TKey = std::pair<int64_t, size_t>;  // next tick, track number: ties go to the lower track
  std::priority_queue<TKey, std::vector<TKey>, std::greater<TKey>> next;
  for (size_t i = 0; i < tracks.size(); ++i)
    if (tracks[i].HasBytes()) next.push({tracks[i].nextTick, i});
  size_t firstOfTick = 0;
  while (!next.empty()) {
    const auto [tick, index] = next.top();
    next.pop();
    TTrackReader& track = tracks[index];
    const size_t at = song.events.Count();
    if (at == 0 || song.events.Last().Tick != tick) firstOfTick = at;
    ReadEvent(track, tick, song.events);
    if (song.events[at].IsController(111)) {
      song.loopTick = tick;
      song.loopIndex = firstOfTick;
    }
    if (track.HasBytes()) {
      track.nextTick += track.VarLen();
      next.push({track.nextTick, index});
    }
  }
  if (song.events.Empty()) throw TTrackDamage{"the song holds no event"};
  song.songLength = song.events.Last().Tick;
}

}  // namespace

void ReadMidiSong(const uint8_t* data, size_t size, TMidiSong& song) {
  song.Clear();
  if (size < 4 || std::memcmp(data, "MThd", 4) != 0) throw EInvalidMidiFile("it does not start with \"MThd\"");
  if (size < 14 || BigEndian32(data + 4) != 6) throw EInvalidMidiFile("its header is not 6 bytes long");
  const uint16_t trackCount = BigEndian16(data + 10);
  song.timing = TimingOfDivision(BigEndian16(data + 12));
  std::vector<TTrackReader> tracks(trackCount);
  size_t pos = 14;
  for (size_t t = 0; t < tracks.size(); ++t) {
    TTrackReader& track = tracks[t];
    const std::string which = "track " + std::to_string(t + 1) + " of " + std::to_string(tracks.size());
    if (size - pos < 8 || std::memcmp(data + pos, "MTrk", 4) != 0) throw EInvalidMidiFile(which + " is missing");
    const uint32_t length = BigEndian32(data + pos + 4);
    pos += 8;
    if (length > size - pos) throw EInvalidMidiFile(which + " reaches past the end of the file");
    track.data = data + pos;
    track.size = length;
    pos += length;
    try {
      if (track.HasBytes()) track.nextTick = track.VarLen();
    } catch (const TTrackDamage& damage) {
      throw EInvalidMidiFile(damage.what);
    }
  }
  try {
    MergeTracks(tracks, song);
  } catch (const TTrackDamage& damage) {
    const TMidiTiming timing = song.timing;
    song.Clear();
    song.timing = timing;
    song.damaged = true;
    song.damage = damage.what;
  }
}

TMidiSong ReadMidiFile(const std::string& path) {
  const Bytes data = ReadWholeFile(path);
  TMidiSong song;
  ReadMidiSong(data.data(), data.size(), song);
  return song;
}

}  // namespace tess
