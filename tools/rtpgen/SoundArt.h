#pragma once
// The runtime package's music (short General MIDI songs) and sound effects (synthesised waves).

#include <string>
#include <vector>

#include "core/Stream.h"

namespace tess::rtp {

struct TNamedFile {
  std::string name;  // without extension
  Bytes data;
};

// Parses a melody line: notes like "c5", "f#4" or "bb3" (C4 is key 60), "r" for a rest, each with
// an optional ":n" length in eighth notes (the previous length when left out); "a4+c5+e5" plays a
// chord; "|" separates bars for the reader and means nothing. A bad token raises
// std::invalid_argument naming it.
struct TNoteEvent {
  std::vector<int> keys;  // empty for a rest
  int eighths = 1;
};
std::vector<TNoteEvent> ParseMelody(const std::string& text);

std::vector<TNamedFile> ComposeSongs();      // standard MIDI files
std::vector<TNamedFile> SynthesizeSounds();  // 22050 Hz, 16-bit mono waves

}  // namespace tess::rtp
