#pragma once
// The writer of standard MIDI files for the runtime package's songs (its waves are written by the
// media library's EncodeWaveFile).

#include <cstdint>
#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess::rtp {

// One track of a MIDI file, collected as events at absolute ticks and encoded with delta times.
class TMidiTrack {
 public:
  void Name(const std::string& name);
  void Tempo(uint32_t tick, uint32_t microsecondsPerQuarter);
  void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
  void Program(uint32_t tick, int channel, int program);
  void Controller(uint32_t tick, int channel, int controller, int value);
  // A note from tick for length ticks; the note-off is written as a note-on with velocity 0.
  void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
  uint32_t LastTick() const;
  // The track's MTrk chunk: events in tick order (at one tick, note-offs first, then the rest in
  // the order they were added), running status, and the end-of-track event.
  Bytes Encode() const;

 private:
  struct TEvent {
    uint32_t tick;
    int rank;  // 0 note-off, 1 anything else
    size_t order;
    Bytes bytes;
  };
  void Add(uint32_t tick, int rank, Bytes bytes);
  std::vector<TEvent> events_;
};

// A whole file: MThd with the format, the track count and the ticks per quarter note.
Bytes EncodeMidiFile(int format, int division, const std::vector<TMidiTrack>& tracks);

}  // namespace tess::rtp
