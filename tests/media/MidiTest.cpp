// The MIDI reader and the sequencer, driven through the player's sample clock with a recording
// synthesizer: no device takes part.
#include <gtest/gtest.h>

#include <cmath>

#include "AudioTestUtil.h"
#include "media/MidiFile.h"
#include "media/MidiPlayer.h"

using namespace tess;
using namespace tess::test;

namespace {

constexpr int kRate = 44100;
// The song clock starts 140 ms after Play.
constexpr int64_t kClockStart = 140 * kRate / 1000;

struct Sequencer {
  TFakeSynth synth;
  TAudioNotices notices;
  TMidiPlayer player{synth, kRate, &notices};

  explicit Sequencer(size_t block = 1) : synth(block) { synth.Attach(player); }
  void Play(const Bytes& file) {
    player.Assign(SongOf(file), "song.mid");
    synth.sent.clear();
    player.Play();
  }
  void Run(double seconds) { RenderFrames(player, size_t(seconds * kRate)); }
  std::vector<TFakeSynth::TSent> NotesOn() const { return synth.Matching(0x90); }
};

}  // namespace

TEST(MidiFile, TracksMergeByTickLowerTrackFirstAndLoopPointIsFirstEventOfItsTick) {
  TTrackBuilder a, b;
  a.NoteOn(0, 0, 60).NoteOn(10, 0, 62).Controller(0, 0, 111, 0).NoteOn(10, 0, 64).End();
  b.NoteOn(0, 1, 70).NoteOn(10, 1, 72).End(10);
  const TMidiSong song = SongOf(MidiFileOf(96, {a, b}));
  ASSERT_FALSE(song.damaged);
  std::vector<std::pair<int64_t, uint32_t>> order;
  for (size_t i = 0; i < song.events.Count(); ++i)
    if (song.events[i].Kind == TMidiEventKind::Channel) order.push_back({song.events[i].Tick, song.events[i].Message});
  const std::vector<std::pair<int64_t, uint32_t>> expected = {{0, 0x643C90},  {0, 0x644691},  {10, 0x643E90},
                                                              {10, 0x006FB0}, {10, 0x644891}, {20, 0x644090}};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(song.loopTick, 10);
  EXPECT_EQ(song.loopIndex, 2u);  // the first event at tick 10, ahead of the marker itself
  EXPECT_EQ(song.songLength, 20);
  EXPECT_EQ(song.timing.ticksNumerator, 96);
}

TEST(MidiFile, RunningStatusOneByteMessagesAndSystemEvents) {
  TTrackBuilder t;
  t.Raw(0, {0x90, 60, 100})
      .Raw(0, {62, 100})  // running status
      .Raw(0, {0xC3, 5})
      .Raw(0, {6})                             // program changes carry one data byte
      .Raw(0, {0xF0, 0x03, 0x7E, 0x01, 0xF7})  // system exclusive with its length
      .Raw(0, {0xF3, 0x01, 0x02})              // another system byte with a length
      .Raw(0, {0xFF, 0x01, 0x02, 'h', 'i'})    // a text event
      .End();
  const TMidiSong song = SongOf(MidiFileOf(480, {t}, 0));
  ASSERT_FALSE(song.damaged);
  ASSERT_EQ(song.events.Count(), 8u);
  EXPECT_EQ(song.events[1].Message, 0x643E90u);
  EXPECT_EQ(song.events[2].Message, 0x05C3u);
  EXPECT_EQ(song.events[3].Message, 0x06C3u);
  EXPECT_EQ(song.events[4].Kind, TMidiEventKind::SysEx);
  EXPECT_EQ(Bytes(song.events.Data(song.events[4]), song.events.Data(song.events[4]) + song.events[4].Length),
            (Bytes{0xF0, 0x7E, 0x01, 0xF7}));
  EXPECT_EQ(song.events[5].Kind, TMidiEventKind::System);
  EXPECT_EQ(song.events[6].Kind, TMidiEventKind::Meta);
  EXPECT_EQ(song.events[6].Length, 4u);  // 0xFF, the type, the text
}

TEST(MidiFile, DamagedHeadersRaiseAndDamagedTracksLeaveTheSongEmpty) {
  TTrackBuilder good;
  good.NoteOn(0, 0, 60).End();
  const Bytes sound = MidiFileOf(480, {good});
  auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
    Bytes b = sound;
    size_t i = at;
    for (uint8_t v : bytes) b[i++] = v;
    return b;
  };
  struct TCase {
    const char* what;
    const char* says;  // in the plain wording
    Bytes file;
  };
  const std::vector<TCase> headers = {
      {"empty", "does not start with", {}},
      {"cut header", "header is not 6 bytes", Bytes(sound.begin(), sound.begin() + 12)},
      {"not MThd", "does not start with \"MThd\"", with(0, {'M', 'T', 'h', 'x'})},
      {"header length 7", "header is not 6 bytes", with(7, {7})},
      {"division 0", "division is 0", with(12, {0, 0})},
      {"time code of 23 frames", "23 frames a second", with(12, {0xE9, 4})},
      {"not MTrk", "track 1 of 1 is missing", with(14, {'X'})},
      {"track past the end", "track 1 of 1 reaches past the end", with(21, {0xFF})},
      {"two tracks counted, one there", "track 2 of 2 is missing", with(11, {2})},
      {"first delta past the track", "ends inside an event", MidiFileOf(480, {TTrackBuilder().Append({0x80})})},
  };
  for (const TCase& c : headers) {
    try {
      SongOf(c.file);
      ADD_FAILURE() << c.what;
    } catch (const EInvalidMidiFile& e) {
      EXPECT_NE(e.Plain().find(c.says), std::string::npos) << c.what << ": " << e.Plain();
    }
  }

  const std::vector<TCase> tracks = {
      {"no events", "no event", MidiFileOf(480, {TTrackBuilder()})},
      {"data byte before any status", "before any status byte",
       MidiFileOf(480, {TTrackBuilder().Raw(0, {60, 100}).End()})},
      {"five-byte delta", "more than four bytes",
       MidiFileOf(480, {TTrackBuilder().NoteOn(0, 0, 60).Append({0x81, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0})})},
      {"event cut by the track end", "ends inside an event", MidiFileOf(480, {TTrackBuilder().Raw(0, {0x90, 60})})},
      {"meta longer than the track", "ends inside an event",
       MidiFileOf(480, {TTrackBuilder().Raw(0, {0xFF, 0x01, 0x7F, 'x'})})},
      {"tempo of two bytes", "tempo event is not 3 bytes",
       MidiFileOf(480, {TTrackBuilder().Raw(0, {0xFF, 0x51, 0x02, 1, 2}).End()})},
      {"sysex length past the track", "ends inside an event",
       MidiFileOf(480, {TTrackBuilder().Raw(0, {0xF0, 0x8F, 0xFF, 0xFF, 0x7F})})},
  };
  for (const TCase& c : tracks) {
    TMidiSong song;
    ASSERT_NO_THROW(ReadMidiSong(c.file.data(), c.file.size(), song)) << c.what;
    EXPECT_TRUE(song.damaged) << c.what;
    EXPECT_TRUE(song.events.Empty()) << c.what;
    EXPECT_NE(song.damage.find(c.says), std::string::npos) << c.what << ": " << song.damage;
  }
}

TEST(MidiFile, BytesAfterEndOfTrackAreNotRead) {
  TTrackBuilder t;
  t.NoteOn(0, 0, 60).End().Raw(0, {60, 61});  // garbage that would be damage if it were read
  const TMidiSong song = SongOf(MidiFileOf(480, {t}));
  EXPECT_FALSE(song.damaged);
  EXPECT_EQ(song.events.Count(), 2u);
}

TEST(MidiFile, TicksPastTwoToThe32Count) {
  TTrackBuilder t;
  for (int i = 0; i < 20; ++i) t.NoteOn(0x0FFFFFFF, 0, 60);
  t.End();
  const TMidiSong song = SongOf(MidiFileOf(480, {t}));
  EXPECT_EQ(song.songLength, int64_t(20) * 0x0FFFFFFF);
  EXPECT_EQ(song.events[19].Tick, int64_t(20) * 0x0FFFFFFF);
}

TEST(MidiFile, MoreThanTheEventLimitLeavesTheSongEmpty) {
  TTrackBuilder t;
  for (size_t i = 0; i <= TMidiEventList::kMaxEvents; ++i) t.Controller(0, 0, 1, 0);
  const TMidiSong song = SongOf(MidiFileOf(480, {t}));
  EXPECT_TRUE(song.damaged);
  EXPECT_EQ(EInvalidMidiFile(song.damage).Plain(), "Invalid MIDI File: the song holds more than 100,000 events");
}

TEST(MidiTiming, DivisionsAndTimeCodes) {
  struct TCase {
    uint16_t division;
    bool timeCode;
    int64_t numerator, denominator;
  };
  const TCase cases[] = {
      {480, false, 480, 1},
      {0xE728, true, 25 * 40, 1},                 // 25 frames of 40 ticks
      {0xE350, true, 29 * 0 + 30000 * 80, 1001},  // 29.97 frames of 80 ticks
      {0xE802, true, 24 * 2, 1},
      {0xE204, true, 30 * 4, 1},
  };
  for (const TCase& c : cases) {
    const TMidiTiming t = TimingOfDivision(c.division);
    EXPECT_EQ(t.timeCode, c.timeCode) << c.division;
    EXPECT_EQ(t.ticksNumerator, c.numerator) << c.division;
    EXPECT_EQ(t.ticksDenominator, c.denominator) << c.division;
  }
  for (uint16_t bad : {uint16_t(0), uint16_t(0xE700), uint16_t(0xE928), uint16_t(0x8001)})
    EXPECT_THROW(TimingOfDivision(bad), EInvalidMidiFile) << bad;
}

TEST(MidiPlayer, StartsHalfAQuarterBeforeTheFirstSoundAndAfterTheStartUp) {
  Sequencer s;
  TTrackBuilder t;
  t.Raw(0, {0xC0, 1}).NoteOn(960, 0, 60).NoteOff(480, 0, 60).End();
  s.Play(MidiFileOf(480, {t}));
  EXPECT_EQ(s.player.Position(), 720);
  EXPECT_TRUE(s.player.Playing());
  s.Run(0.5);
  // The start-up: general reset at 50 ms, pitch-bend range at 100, volumes at 120, pans at 130.
  ASSERT_FALSE(s.synth.sent.empty());
  EXPECT_EQ(s.synth.sent[0].sysex, (Bytes{0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}));
  EXPECT_EQ(s.synth.sent[0].arrived, 50 * kRate / 1000);
  const auto rpn = s.synth.Matching(0xB0, 6);
  ASSERT_EQ(rpn.size(), 16u);
  EXPECT_EQ(rpn[0].message >> 16, 2u);
  EXPECT_EQ(rpn[0].arrived, 100 * kRate / 1000);
  const auto volumes = s.synth.Matching(0xB0, 7);
  ASSERT_EQ(volumes.size(), 16u);
  EXPECT_EQ(volumes[0].arrived, 120 * kRate / 1000);
  EXPECT_EQ(volumes[0].message >> 16, 100u);
  EXPECT_EQ(s.synth.Matching(0xB0, 10)[0].message >> 16, 64u);
  // The program change before the start position goes as the clock starts, the note 240 ticks
  // (a quarter second at 120 beats a minute) later.
  const auto programs = s.synth.Matching(0xC0);
  ASSERT_EQ(programs.size(), 1u);
  EXPECT_EQ(programs[0].frame, kClockStart);
  const auto notes = s.NotesOn();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].frame, kClockStart + kRate / 4);
}

TEST(MidiPlayer, LoopsFromTheFirstEventWithoutMarkerFromTheMarkerTickOrNotAtAll) {
  struct TCase {
    const char* what;
    int markerTick;  // -1 for none
    std::vector<int> expectedKeys;
    bool ends;
  };
  // Notes 60, 62, 64 at ticks 0, 480, 960, each 240 long; the end of track at 1440.
  const TCase cases[] = {
      {"no marker", -1, {60, 62, 64, 60, 62, 64, 60}, false},
      {"marker at 480", 480, {60, 62, 64, 62, 64, 62, 64}, false},
      {"marker on the last tick", 1440, {60, 62, 64}, true},
  };
  for (const TCase& c : cases) {
    Sequencer s;
    TTrackBuilder t;
    uint32_t now = 0;
    auto at = [&](uint32_t tick) {
      const uint32_t delta = tick - now;
      now = tick;
      return delta;
    };
    for (int i = 0; i < 3; ++i) {
      const uint32_t tick = uint32_t(i * 480);
      if (c.markerTick == int(tick)) t.Controller(at(tick), 0, 111, 0);
      t.NoteOn(at(tick), 0, 60 + 2 * i).NoteOff(at(tick + 240), 0, 60 + 2 * i);
    }
    if (c.markerTick == 1440) t.Controller(at(1440), 0, 111, 0);
    t.End(at(1440));
    s.Play(MidiFileOf(480, {t}));
    s.Run(5.0);  // a round lasts 1.5 s: seven notes in any case
    std::vector<int> played;
    for (const auto& n : s.NotesOn()) played.push_back(int((n.message >> 8) & 0x7F));
    if (!c.ends && played.size() > c.expectedKeys.size()) played.resize(c.expectedKeys.size());
    EXPECT_EQ(played, c.expectedKeys) << c.what;
    const auto notices = s.notices.Take();
    const bool ended = !notices.empty() && notices.back().kind == TAudioNoticeKind::SongEnd;
    EXPECT_EQ(ended, c.ends) << c.what;
    EXPECT_TRUE(s.player.Playing()) << c.what;  // an ended song stays playing, silent
  }
}

TEST(MidiPlayer, EqualTicksOnTwoTracksSendTheLowerTrackFirst) {
  Sequencer s;
  TTrackBuilder a, b;
  a.NoteOn(0, 0, 60).NoteOn(100, 0, 62).End();
  b.NoteOn(0, 1, 70).NoteOn(100, 1, 72).End();
  s.Play(MidiFileOf(480, {b, a}));  // the channel-1 track first this time
  s.Run(0.5);
  const auto notes = s.NotesOn();
  ASSERT_GE(notes.size(), 4u);
  EXPECT_EQ(notes[0].message & 0xFFFF, 0x4691u);
  EXPECT_EQ(notes[1].message & 0xFFFF, 0x3C90u);
  EXPECT_EQ(notes[2].message & 0xFFFF, 0x4891u);
  EXPECT_EQ(notes[3].message & 0xFFFF, 0x3E90u);
}

TEST(MidiPlayer, ASongOfMoreThan32767EventsFindsItsFirstTempoAndFirstNote) {
  Sequencer s;
  TTrackBuilder t;
  for (int i = 0; i < 40000; ++i) t.Controller(i == 0 ? 0 : 1, 0, 1, i % 128);
  t.Tempo(0, 400000).NoteOn(1000, 0, 60).End(10);
  s.Play(MidiFileOf(480, {t}));
  EXPECT_EQ(s.player.Tempo(), 400000u);
  EXPECT_EQ(s.player.Position(), 39999 + 1000 - 240);
}

TEST(MidiPlayer, TempoPercentScalesTheTimeBetweenTicksAndZeroActsAsOne) {
  struct TCase {
    int percent;
    int expectedPercent;
  };
  for (const TCase c : {TCase{100, 100}, TCase{200, 200}, TCase{50, 50}, TCase{0, 1}, TCase{10001, 10000}}) {
    Sequencer s;
    TTrackBuilder t;
    for (int i = 0; i < 400; ++i) t.NoteOn(i == 0 ? 0 : 480, 0, 60);
    t.End();
    s.Play(MidiFileOf(480, {t}));
    s.Run(0.2);  // past the start-up: the clock runs
    s.player.SetTempo(c.percent);
    EXPECT_EQ(s.player.TempoPercent(), c.expectedPercent);
    const size_t before = s.NotesOn().size();
    s.Run(c.expectedPercent < 10 ? 120.0 : 4.0);
    const auto notes = s.NotesOn();
    ASSERT_GE(notes.size(), before + 2) << c.percent;
    const int64_t gap = notes[before + 1].frame - notes[before].frame;
    // A quarter lasts half a second at 100 %.
    EXPECT_NEAR(double(gap), kRate / 2.0 * 100 / c.expectedPercent, 1.0) << c.percent;
  }
}

TEST(MidiPlayer, TempoChangesInTheSongTakeEffectAtTheirTickAndReachTheQueue) {
  Sequencer s;
  TTrackBuilder t;
  t.Tempo(0, 500000).NoteOn(0, 0, 60).Tempo(480, 1000000).NoteOn(0, 0, 62).NoteOn(480, 0, 64).End(4800);
  s.Play(MidiFileOf(480, {t}));
  s.Run(1.7);
  const auto notes = s.NotesOn();
  ASSERT_EQ(notes.size(), 3u);
  EXPECT_EQ(notes[1].frame - notes[0].frame, kRate / 2);
  EXPECT_EQ(notes[2].frame - notes[1].frame, kRate);
  const auto notices = s.notices.Take();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices[0], (TAudioNotice{TAudioNoticeKind::TempoChange, TAudioNoticeSource::Midi, 500000}));
  EXPECT_EQ(notices[1], (TAudioNotice{TAudioNoticeKind::TempoChange, TAudioNoticeSource::Midi, 1000000}));
}

TEST(MidiPlayer, ATempoOfZeroInTheFileActsAsOneMicrosecond) {
  Sequencer s;
  TTrackBuilder t;
  t.Tempo(0, 0).NoteOn(0, 0, 60).NoteOn(48000, 0, 62).NoteOn(48000, 0, 64).Tempo(0, 500000).End(4800);
  s.Play(MidiFileOf(480, {t}));
  EXPECT_EQ(s.player.Tempo(), 1u);
  s.Run(0.3);
  const auto notes = s.NotesOn();
  ASSERT_EQ(notes.size(), 3u);
  // 96000 ticks at a microsecond a quarter last 200 µs: under nine frames.
  EXPECT_LE(notes[2].frame - notes[0].frame, 9);
}

TEST(MidiPlayer, TimeCodeDivisionsKeepTheirOwnClock) {
  Sequencer s;
  TTrackBuilder t;
  // 25 frames of 40 ticks: 1000 ticks a second; the tempo event changes nothing.
  t.NoteOn(0, 0, 60).Tempo(0, 100000).NoteOn(1000, 0, 62).End(5000);
  s.Play(MidiFileOf(0xE728, {t}));
  s.Run(1.5);
  const auto notes = s.NotesOn();
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1].frame - notes[0].frame, kRate);
}

TEST(MidiPlayer, OnlyCompleteSystemExclusiveMessagesAreSent) {
  Sequencer s;
  TTrackBuilder t;
  t.NoteOn(0, 0, 60)
      .Raw(0, {0xF0, 0x05, 0x43, 0x10, 0x4C, 0x00, 0xF7})
      .Raw(0, {0xF7, 0x02, 0x01, 0x02})  // a continuation packet
      .Raw(0, {0xF5, 0x01, 0x01})        // a system byte that is no message of a file
      .End();
  s.Play(MidiFileOf(480, {t}));
  s.Run(0.5);
  std::vector<Bytes> sysex;
  for (const auto& m : s.synth.sent)
    if (!m.sysex.empty()) sysex.push_back(m.sysex);
  ASSERT_EQ(sysex.size(), 2u);  // the general reset of the start-up, then the song's own
  EXPECT_EQ(sysex[1], (Bytes{0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7}));
}

TEST(MidiPlayer, VolumeAndBalanceScaleTheSongsControllers) {
  Sequencer s;
  TTrackBuilder t;
  t.Controller(0, 3, 7, 80).Controller(0, 3, 10, 40).NoteOn(0, 3, 60).NoteOn(4800, 3, 60).End();
  s.Play(MidiFileOf(480, {t}));
  s.player.SetVolume(50);   // stored during the start-up, applied with the volumes
  s.player.SetBalance(80);  // likewise with the pans
  s.Run(0.5);
  auto last = [&](int controller) {
    int value = -1;
    for (const auto& m : s.synth.Matching(0xB0, controller))
      if ((m.message & 0x0F) == 3) value = int(m.message >> 16);
    return value;
  };
  EXPECT_EQ(last(7), 40);        // 80 × 50 %
  EXPECT_EQ(last(10), 40 + 60);  // 40 + 80 × 2 - 100
  s.player.SetBalance(0);
  EXPECT_EQ(last(10), 0);  // clamped
  s.player.SetBalance(100);
  EXPECT_EQ(last(10), 127);
  s.player.SetVolume(130);
  EXPECT_EQ(s.player.Volume(), 100);
  EXPECT_EQ(last(7), 80);
}

TEST(MidiPlayer, AFadeOutOf2000MsStepsAtLeast100MsApartAndReachesSilenceAfterTwoSeconds) {
  Sequencer s(64);
  TTrackBuilder t;
  t.NoteOn(0, 0, 60).NoteOn(480 * 20, 0, 60).End();
  s.Play(MidiFileOf(480, {t}));
  s.Run(0.5);
  const int64_t start = s.player.Frame();
  s.player.FadeOut(2000);
  s.Run(3.0);
  std::vector<TFakeSynth::TSent> steps;
  for (const auto& m : s.synth.Matching(0xB0, 7))
    if ((m.message & 0x0F) == 0 && m.arrived >= start) steps.push_back(m);
  ASSERT_GE(steps.size(), 15u);
  for (size_t i = 1; i < steps.size(); ++i) {
    EXPECT_GE(steps[i].arrived - steps[i - 1].arrived, 100 * kRate / 1000 - 64) << i;
    EXPECT_LE(steps[i].message >> 16, steps[i - 1].message >> 16) << i;
  }
  EXPECT_EQ(steps.back().message >> 16, 0u);
  EXPECT_GE(steps.back().arrived - start, 2 * kRate - 64);
  EXPECT_LE(steps.back().arrived - start, 2 * kRate + 100 * kRate / 1000 + 64);
  EXPECT_FALSE(s.player.Fading());
  // A fade in starts from silence.
  s.player.FadeIn(0);
  EXPECT_EQ(s.player.FadeLevel(), 100);
}

TEST(MidiPlayer, StopSilencesAndAnEmptyPlayerDoesNotPlay) {
  Sequencer s;
  TTrackBuilder t;
  t.NoteOn(0, 0, 60).End(4800);
  s.Play(MidiFileOf(480, {t}));
  s.Run(0.3);
  s.synth.sent.clear();
  s.player.Stop();
  EXPECT_FALSE(s.player.Playing());
  EXPECT_EQ(s.synth.Matching(0xB0, 64).size(), 16u);
  EXPECT_EQ(s.synth.Matching(0xB0, 123).size(), 16u);
  s.player.Assign(TMidiSong(), "");
  s.player.Play();
  EXPECT_FALSE(s.player.Playing());
}

// Onsets are timed to the frame from the tempo map, with nothing lost over a long song: each note
// lands within one frame of its ideal time (and within half a synthesizer block where the
// synthesizer works in blocks).
TEST(MidiPlayer, OnsetsFollowTheTempoMapToTheFrameWithoutDrift) {
  // The synthesizer's blocks of 64 frames: the messages carry their exact frames too.
  for (size_t block : {size_t(64)}) {
    Sequencer s(block);
    TTrackBuilder t;
    // Ten minutes and more: tempo changes every 16 notes; notes 120 ticks apart at division 384.
    const uint32_t tempos[] = {500000, 432111, 611000, 377777};
    double ideal = 0;  // seconds from the first note
    std::vector<double> ideals;
    uint32_t tempo = tempos[0];
    t.Tempo(0, tempo);
    for (int i = 0; i < 4100; ++i) {
      // A tempo event at a note's tick rules the time up to the next note.
      if (i % 16 == 0 && i) {
        tempo = tempos[(i / 16) % 4];
        t.Tempo(0, tempo);
      }
      if (i) ideal += 120.0 * tempo / 1e6 / 384;
      t.NoteOn(i == 0 ? 0 : 120, 0, 60 + i % 12);
      ideals.push_back(ideal);
    }
    t.End(384 * 8);
    s.Play(MidiFileOf(384, {t}));
    const double seconds = ideals.back() + 1.0;
    ASSERT_GT(seconds, 600.0);
    s.Run(seconds);
    const auto notes = s.NotesOn();
    ASSERT_EQ(notes.size(), ideals.size());
    // The first note is at tick 0: the clock starts on it, at the first block from 140 ms on.
    const int64_t clockStart = (kClockStart + int64_t(block) - 1) / int64_t(block) * int64_t(block);
    EXPECT_EQ(notes[0].frame, clockStart);
    const double first = double(clockStart);
    double worst = 0;
    for (size_t i = 0; i < ideals.size(); ++i) {
      worst = std::max(worst, std::fabs(double(notes[i].frame) - (first + ideals[i] * kRate)));
      EXPECT_LE(std::llabs(notes[i].arrived - notes[i].frame), int64_t(block / 2)) << i;
    }
    EXPECT_LE(worst, 1.0) << "block " << block;
  }
}
