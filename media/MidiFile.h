#pragma once
// Standard MIDI files read whole into one time-ordered event list: every track is merged in, the
// event with the smaller tick first and, at equal ticks, the one of the lower track first. Formats
// 0, 1 and 2 are all read this way.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Errors.h"

namespace tess {

// The header or a track header is not what a MIDI file has, or the file ends inside them.
// The shown text is the one every player gives; Plain() says what is wrong when that is known.
class EInvalidMidiFile : public ETessError {
 public:
  explicit EInvalidMidiFile(std::string reason = {}) : ETessError("Invalid MIDI File"), reason_(std::move(reason)) {}
  std::string Plain() const override { return reason_.empty() ? what() : "Invalid MIDI File: " + reason_; }

 private:
  std::string reason_;
};

enum class TMidiEventKind : uint8_t {
  Channel,  // a channel message, packed in Message
  Meta,     // 0xFF, the meta type, then its data
  SysEx,    // 0xF0 or 0xF7, then the bytes the file gives it
  System,   // another system byte (0xF1 to 0xFE) with a length: kept in order, never sent
};

struct TMidiEvent {
  int64_t Tick = 0;  // absolute, from the start of the song
  // A channel message: status byte in bits 0-7, first data byte in bits 8-15, second in 16-23.
  uint32_t Message = 0;
  uint32_t Tempo = 0;  // microseconds per quarter note, for a Set Tempo event
  // The bytes of a meta, system exclusive or system event in the list's data pool.
  uint32_t DataOffset = 0;
  uint32_t Length = 0;
  TMidiEventKind Kind = TMidiEventKind::Channel;
  uint8_t MetaType = 0;  // of a meta event

  uint8_t Status() const { return uint8_t(Message & 0xFF); }
  bool IsNoteOn() const { return Kind == TMidiEventKind::Channel && (Message & 0xF0) == 0x90; }
  bool IsController(int number) const {
    return Kind == TMidiEventKind::Channel && (Message & 0xF0) == 0xB0 && ((Message >> 8) & 0xFF) == uint32_t(number);
  }
  bool IsSetTempo() const { return Kind == TMidiEventKind::Meta && MetaType == 0x51; }
};

// The merged events of a song. The list holds at most kMaxEvents; the bytes of meta and system
// exclusive events live in one pool beside it.
class TMidiEventList {
 public:
  static constexpr size_t kMaxEvents = 100000;

  size_t Count() const { return events_.size(); }
  bool Empty() const { return events_.empty(); }
  const TMidiEvent& operator[](size_t index) const { return events_[index]; }
  const TMidiEvent& Last() const { return events_.back(); }
  const uint8_t* Data(const TMidiEvent& event) const { return pool_.data() + event.DataOffset; }
  // Appends an event whose bytes are head followed by body; false when the list is full.
  bool Add(TMidiEvent event, std::initializer_list<uint8_t> head = {}, const uint8_t* body = nullptr,
           size_t bodyLength = 0);
  void Clear();

 private:
  std::vector<TMidiEvent> events_;
  std::vector<uint8_t> pool_;
};

// How ticks become time. A division with bit 15 clear counts ticks per quarter note, and Set Tempo
// events say how long a quarter is. With bit 15 set it is a time code: the high byte is minus the
// frames per second (24, 25, 29 for 29.97 drop-frame, 30), the low byte ticks per frame; ticks then
// have a fixed length and tempo events do not change it.
struct TMidiTiming {
  uint16_t division = 0;
  bool timeCode = false;
  // Ticks per quarter note, or for a time code ticks per second, as a fraction.
  int64_t ticksNumerator = 0;
  int64_t ticksDenominator = 1;
};

// Raises EInvalidMidiFile for a division of 0 or a time code of another frame rate.
TMidiTiming TimingOfDivision(uint16_t division);

struct TMidiSong {
  TMidiTiming timing;
  TMidiEventList events;
  int64_t songLength = 0;  // tick of the last event
  // The loop point: the tick of the last controller 111 and the index of the first event at that
  // tick; 0 and 0 without one.
  int64_t loopTick = 0;
  size_t loopIndex = 0;
  // Whether the tracks were damaged: the song is then left without events, and damage says why
  // ("more than 100,000 events").
  bool damaged = false;
  std::string damage;

  void Clear();
};

// Reads a whole file. The header and the track headers must be sound: "MThd" of length 6, a usable
// division, and as many "MTrk" chunks as the header counts, each within the file; otherwise
// EInvalidMidiFile. Damaged track data (a byte read past the track's end, a variable-length number
// of more than four bytes, data without a running status, a tempo event of another length), more
// than kMaxEvents events or no event at all leave the song empty and damaged. A track ends at its
// End of Track event; bytes after it are not read.
void ReadMidiSong(const uint8_t* data, size_t size, TMidiSong& song);
TMidiSong ReadMidiFile(const std::string& path);

}  // namespace tess
