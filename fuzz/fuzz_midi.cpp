// Reads arbitrary bytes as a MIDI file. A song that reads must be ordered by tick with a loop point
// inside it, and must play through the sequencer at any tempo without hanging or touching memory
// it does not own.
#include <cstdlib>

#include "media/MidiFile.h"
#include "media/MidiPlayer.h"

namespace {

class TSilentSynth final : public tess::TMidiSynth {
 public:
  void ShortMessage(uint32_t message) override { last ^= message; }
  void SystemExclusive(const uint8_t* data, size_t size) override {
    // Only whole messages from their 0xF0 are sent.
    if (size < 1 || data[0] != 0xF0) std::abort();
    last ^= data[size - 1];
  }
  void Render(float*, size_t) override {}
  size_t BlockFrames() const override { return 64; }
  uint32_t last = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tess;
  TMidiSong song;
  try {
    ReadMidiSong(data, size, song);
  } catch (const EInvalidMidiFile&) {
    return 0;
  }
  if (song.damaged || song.events.Empty()) {
    if (!song.events.Empty()) std::abort();
    return 0;
  }
  for (size_t i = 1; i < song.events.Count(); ++i)
    if (song.events[i].Tick < song.events[i - 1].Tick) std::abort();
  if (song.loopIndex >= song.events.Count() || song.songLength != song.events.Last().Tick) std::abort();
  if (song.loopTick && song.events[song.loopIndex].Tick != song.loopTick) std::abort();

  TSilentSynth synth;
  TAudioNotices notices;
  TMidiPlayer player(synth, 8000, &notices);
  player.Assign(std::move(song), "fuzz.mid");
  player.Play();
  // Two seconds of the song at a tempo the input picks, then faster still after a fade.
  player.SetTempo(size ? 1 + data[size - 1] * 40 : 100);
  float out[2 * 512];
  for (int i = 0; i < 32; ++i) {
    player.Render(out, 512);
    if (i == 16) {
      player.FadeOut(100);
      player.SetTempo(10000);
    }
  }
  notices.Take();
  return 0;
}
