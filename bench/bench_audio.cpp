// Sound, each figure against real time, the reference every player must keep up with:
//  - realtime_factor: seconds of a General MIDI song rendered offline (sequencer and FluidSynth)
//    per second of this thread's CPU time;
//  - onsets: how far the sequencer's note-ons lie from their ideal times over ten minutes and
//    more of a song with tempo changes, as sent (exact frames and the synthesizer's blocks) and as
//    heard (onsets found in the rendered sound, against the first one);
//  - cpu_percent_of_one_core: mixing sixteen looping wave voices at assorted tempos and balances.
#include <benchmark/benchmark.h>

#include <cmath>

#include "BenchReference.h"
#include "audio/FluidSynthOutput.h"
#include "media/AudioTestUtil.h"
#include "media/MidiPlayer.h"
#include "media/WavePlayer.h"
#include "tools/rtpgen/SoundArt.h"

using namespace tess;
using namespace tess::test;

namespace {

constexpr int kRate = 44100;

// Renders a song through the synthesizer up to the end of its first round.
void BM_RenderGeneralMidiSong(benchmark::State& state) {
  if (FindSoundFont().empty()) {
    state.SkipWithError("no General MIDI SoundFont");
    return;
  }
  const auto songs = rtp::ComposeSongs();
  const auto& song = songs[size_t(state.range(0)) % songs.size()];
  TFluidSynth synth(kRate);
  std::vector<float> out(2 * 1024);
  double audio = 0, cpu = 0;
  for (auto _ : state) {
    TAudioNotices notices;
    TMidiPlayer player(synth, kRate, &notices);
    player.Assign(SongOf(song.data), song.name);
    player.Play();
    const double start = bench::ThreadCpuSeconds();
    int64_t frames = 0;
    // Up to the end of the song or the start of its next round.
    auto ended = [&] {
      for (const TAudioNotice& n : notices.Take())
        if (n.kind != TAudioNoticeKind::TempoChange) return true;
      return false;
    };
    while (!ended()) {
      std::fill(out.begin(), out.end(), 0.0f);
      player.Render(out.data(), 1024);
      frames += 1024;
      if (frames > int64_t(600) * kRate) break;
    }
    cpu += bench::ThreadCpuSeconds() - start;
    audio += double(frames) / kRate;
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(song.name);
  state.counters["song_seconds"] = audio / double(state.iterations());
  state.counters["realtime_factor"] = audio / cpu;
}
BENCHMARK(BM_RenderGeneralMidiSong)->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);

// A song of strikes 240 ticks apart whose tempo changes every eight strikes, long enough for ten
// minutes; the ideal time of each strike in seconds from the first.
struct TTimedSong {
  Bytes file;
  std::vector<double> ideals;
};
TTimedSong StrikeSong(int strikes) {
  TTimedSong song;
  const uint32_t tempos[] = {1000000, 874321, 1224690, 955555};
  TTrackBuilder t;
  uint32_t tempo = tempos[0];
  t.Tempo(0, tempo).Raw(0, {0xC0, 115});
  double ideal = 0;
  for (int i = 0; i < strikes; ++i) {
    // The tempo in force since the last strike rules the time up to this one.
    if (i) ideal += 240.0 * tempo / 1e6 / 480;
    uint32_t delta = i ? 240 - 30 : 0;
    if (i && i % 8 == 0) {
      tempo = tempos[(i / 8) % 4];
      t.Tempo(delta, tempo);
      delta = 0;
    }
    t.NoteOn(delta, 0, 76, 127).NoteOff(30, 0, 76);
    song.ideals.push_back(ideal);
  }
  t.End(240);
  song.file = MidiFileOf(480, {t});
  return song;
}

void BM_OnsetsOverTenMinutes(benchmark::State& state) {
  const TTimedSong song = StrikeSong(1300);
  for (auto _ : state) {
    // As sent: the exact frame of each note-on and the block it took effect in.
    TFakeSynth fake(64);
    TMidiPlayer player(fake, kRate);
    fake.Attach(player);
    player.Assign(SongOf(song.file), "strikes.mid");
    player.Play();
    std::vector<float> out(2 * 1024);
    const int64_t total = int64_t((song.ideals.back() + 1) * kRate);
    for (int64_t f = 0; f < total; f += 1024) player.Render(out.data(), 1024);
    const auto notes = fake.Matching(0x90);
    double exact = 0, sent = 0;
    const double first = double(notes[0].frame);
    for (size_t i = 0; i < notes.size() && i < song.ideals.size(); ++i) {
      const double ideal = first + song.ideals[i] * kRate;
      exact = std::max(exact, std::fabs(notes[i].frame - ideal));
      sent = std::max(sent, std::fabs(notes[i].arrived - ideal));
    }
    state.counters["song_minutes"] = song.ideals.back() / 60;
    state.counters["sent_exact_max_ms"] = exact * 1000 / kRate;
    state.counters["sent_block_max_ms"] = sent * 1000 / kRate;
    state.counters["sent_last_ms"] =
        (notes[song.ideals.size() - 1].arrived - first) * 1000.0 / kRate - song.ideals.back() * 1000;

    // As heard: onsets in the synthesizer's output, each against the first.
    if (FindSoundFont().empty()) continue;
    TFluidSynth synth(kRate);
    TMidiPlayer heard(synth, kRate);
    heard.Assign(SongOf(song.file), "strikes.mid");
    heard.Play();
    std::vector<float> sound(2 * size_t(total));
    for (int64_t f = 0; f < total; f += 1024)
      heard.Render(sound.data() + 2 * f, size_t(std::min<int64_t>(1024, total - f)));
    auto onset = [&](double from) {
      for (size_t i = size_t(std::max(0.0, from)); i < size_t(total); ++i)
        if (std::fabs(sound[2 * i]) > 0.02f || std::fabs(sound[2 * i + 1]) > 0.02f) return double(i);
      return -1.0;
    };
    const double start = onset(0);
    double worst = 0, last = 0;
    for (size_t i = 1; i < song.ideals.size(); ++i) {
      const double ideal = start + song.ideals[i] * kRate;
      last = onset(ideal - 0.1 * kRate) - ideal;
      worst = std::max(worst, std::fabs(last));
    }
    state.counters["heard_max_ms"] = worst * 1000 / kRate;
    state.counters["heard_last_ms"] = last * 1000 / kRate;
  }
}
BENCHMARK(BM_OnsetsOverTenMinutes)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MixSixteenVoices(benchmark::State& state) {
  TWavePlayer player(kRate);
  player.SetEffectCount(16);
  for (int i = 0; i < 16; ++i) {
    auto pcm = std::make_shared<TPcmData>();
    pcm->sampleRate = 22050;
    pcm->channels = 1 + i % 2;
    for (int s = 0; s < 2 * 22050 * pcm->channels; ++s)
      pcm->samples.push_back(int16_t(8000 * std::sin(s * 0.013 * (i + 1))));
    player.Effect(i).Assign(pcm, "voice" + std::to_string(i));
    player.Effect(i).Play(80, 50 + i * 7, true, i * 6);
  }
  const double seconds = 10;
  std::vector<float> out(2 * 512);
  double cpu = 0;
  for (auto _ : state) {
    const double start = bench::ThreadCpuSeconds();
    for (int64_t f = 0; f < int64_t(seconds * kRate); f += 512) {
      std::fill(out.begin(), out.end(), 0.0f);
      player.Render(out.data(), 512);
    }
    cpu += bench::ThreadCpuSeconds() - start;
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["cpu_percent_of_one_core"] = 100 * cpu / (seconds * double(state.iterations()));
}
BENCHMARK(BM_MixSixteenVoices)->Unit(benchmark::kMillisecond);

}  // namespace
