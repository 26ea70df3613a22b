// Outside programs check the sound readers: csvmidi writes MIDI files from midicsv text and midicsv
// reads them back for comparison; sox makes waves (PCM and MS-ADPCM) and decodes them, and our
// decoding must equal sox's sample for sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "MediaTestUtil.h"
#include "media/MidiFile.h"
#include "media/WaveFile.h"

using namespace tess;
using namespace tess::test;

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::string field;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      out.push_back(field);
      field.clear();
    } else if (c != ' ' || quoted) {
      field += c;
    }
  }
  out.push_back(field);
  return out;
}

// One event as both sides describe it: its tick and its bytes as the file has them (a channel
// message with status, a meta event from 0xFF, a system exclusive message from 0xF0).
struct TEventBytes {
  int64_t tick;
  Bytes bytes;
  bool operator==(const TEventBytes&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TEventBytes& e) {
  os << e.tick << ":";
  for (uint8_t b : e.bytes) os << " " << int(b);
  return os;
}

// midicsv's text turned into events; merged by tick, the lower track first, as our reader merges.
std::vector<TEventBytes> EventsOfCsv(const std::string& csv) {
  struct TTrackEvent {
    int track;
    TEventBytes event;
  };
  std::vector<TTrackEvent> events;
  std::istringstream in(csv);
  std::string line;
  while (std::getline(in, line)) {
    const auto f = Fields(line);
    if (f.size() < 3) continue;
    const int track = std::stoi(f[0]);
    const int64_t tick = std::stoll(f[1]);
    const std::string& type = f[2];
    auto n = [&](size_t i) { return uint8_t(std::stoi(f[i])); };
    Bytes b;
    if (type == "Note_on_c")
      b = {uint8_t(0x90 | n(3)), n(4), n(5)};
    else if (type == "Note_off_c")
      b = {uint8_t(0x80 | n(3)), n(4), n(5)};
    else if (type == "Poly_aftertouch_c")
      b = {uint8_t(0xA0 | n(3)), n(4), n(5)};
    else if (type == "Control_c")
      b = {uint8_t(0xB0 | n(3)), n(4), n(5)};
    else if (type == "Program_c")
      b = {uint8_t(0xC0 | n(3)), n(4)};
    else if (type == "Channel_aftertouch_c")
      b = {uint8_t(0xD0 | n(3)), n(4)};
    else if (type == "Pitch_bend_c") {
      const int v = std::stoi(f[4]);
      b = {uint8_t(0xE0 | n(3)), uint8_t(v & 0x7F), uint8_t(v >> 7)};
    } else if (type == "Tempo") {
      const uint32_t t = uint32_t(std::stoul(f[3]));
      b = {0xFF, 0x51, uint8_t(t >> 16), uint8_t(t >> 8), uint8_t(t)};
    } else if (type == "Title_t" || type == "Marker_t") {
      b = {0xFF, uint8_t(type == "Title_t" ? 0x03 : 0x06)};
      const std::string text = f[3].substr(1, f[3].size() - 2);
      b.insert(b.end(), text.begin(), text.end());
    } else if (type == "End_track") {
      b = {0xFF, 0x2F};
    } else if (type == "System_exclusive") {
      b = {0xF0};
      for (size_t i = 4; i < f.size(); ++i) b.push_back(n(i));
    } else {
      continue;  // header, track starts, end of file
    }
    events.push_back({track, {tick, b}});
  }
  std::stable_sort(events.begin(), events.end(), [](const TTrackEvent& a, const TTrackEvent& b) {
    return a.event.tick != b.event.tick ? a.event.tick < b.event.tick : a.track < b.track;
  });
  std::vector<TEventBytes> out;
  for (const auto& e : events) out.push_back(e.event);
  return out;
}

std::vector<TEventBytes> EventsOfSong(const TMidiSong& song) {
  std::vector<TEventBytes> out;
  for (size_t i = 0; i < song.events.Count(); ++i) {
    const TMidiEvent& e = song.events[i];
    Bytes b;
    if (e.Kind == TMidiEventKind::Channel) {
      b = {uint8_t(e.Message), uint8_t(e.Message >> 8)};
      if (e.Status() < 0xC0 || e.Status() > 0xDF) b.push_back(uint8_t(e.Message >> 16));
    } else {
      b.assign(song.events.Data(e), song.events.Data(e) + e.Length);
    }
    out.push_back({e.Tick, b});
  }
  return out;
}

// Three tracks of every kind of event, with running status written by csvmidi, a text with a
// comma, and the longest delta times (csvmidi takes times up to 2^31 - 1).
std::string SongCsv() {
  std::ostringstream csv;
  csv << "0, 0, Header, 1, 3, 384\n"
         "1, 0, Start_track\n1, 0, Title_t, \"Peer, test\"\n1, 0, Tempo, 600000\n"
         "1, 1000, Tempo, 300000\n1, 4000, Marker_t, \"B\"\n";
  int64_t last = 4000;
  for (int i = 0; i < 7; ++i) {
    last += 0x0FFFFFFF;
    csv << "1, " << last << ", Control_c, 0, 111, 0\n";
  }
  csv << "1, " << last << ", End_track\n";
  csv << "2, 0, Start_track\n2, 0, Program_c, 0, 5\n";
  for (int i = 0; i < 200; ++i) {
    const int64_t t = i * 48;
    csv << "2, " << t << ", Note_on_c, 0, " << 40 + i % 50 << ", " << 1 + i % 127 << "\n";
    if (i % 7 == 0) csv << "2, " << t << ", Pitch_bend_c, 0, " << (i * 97) % 16384 << "\n";
    csv << "2, " << t + 24 << ", Note_off_c, 0, " << 40 + i % 50 << ", 0\n";
  }
  csv << "2, 9600, System_exclusive, 5, 67, 16, 76, 0, 247\n2, 9600, End_track\n";
  csv << "3, 0, Start_track\n";
  for (int i = 0; i < 100; ++i) {
    const int64_t t = i * 96;
    csv << "3, " << t << ", Note_on_c, 9, 36, 100\n3, " << t << ", Poly_aftertouch_c, 9, 36, " << i % 128 << "\n3, "
        << t << ", Channel_aftertouch_c, 9, " << (i * 3) % 128 << "\n3, " << t + 1 << ", Note_on_c, 9, 36, 0\n";
  }
  csv << "3, 9601, End_track\n0, 0, End_of_file\n";
  return csv.str();
}

}  // namespace

TEST(MidiPeer, CsvmidiFilesReadAsMidicsvReadsThem) {
  if (!HaveProgram("csvmidi") || !HaveProgram("midicsv")) GTEST_SKIP() << "midicsv is not installed";
  const std::string csv = Scratch("song.csv"), mid = Scratch("song.mid"), back = Scratch("back.csv");
  std::ofstream(csv) << SongCsv();
  ASSERT_EQ(Shell("csvmidi '" + csv + "' '" + mid + "'"), 0);
  ASSERT_EQ(Shell("midicsv '" + mid + "' '" + back + "'"), 0);
  const TMidiSong song = ReadMidiFile(mid);
  ASSERT_FALSE(song.damaged);
  const std::vector<TEventBytes> ours = EventsOfSong(song);
  const std::vector<TEventBytes> theirs = EventsOfCsv(ReadText(back));
  ASSERT_EQ(ours.size(), theirs.size());
  for (size_t i = 0; i < ours.size(); ++i) ASSERT_EQ(ours[i], theirs[i]) << i;
  EXPECT_GT(song.songLength, int64_t(1) << 30);
  EXPECT_EQ(song.timing.ticksNumerator, 384);
  // The last loop marker wins; its tick holds only it and the track's end.
  EXPECT_EQ(song.loopTick, song.songLength);
  EXPECT_EQ(song.events[song.loopIndex].Tick, song.loopTick);
  EXPECT_EQ(song.events[song.loopIndex - 1].Tick, song.loopTick - 0x0FFFFFFF);
}

namespace {

struct TSoxCase {
  const char* what;
  const char* options;  // of the file sox makes
};

}  // namespace

TEST(WavePeer, OurDecodingEqualsSoxsSampleForSample) {
  if (!HaveProgram("sox")) GTEST_SKIP() << "sox is not installed";
  const TSoxCase cases[] = {
      {"16-bit mono", "-r 22050 -c 1 -b 16 -e signed"},       {"16-bit stereo", "-r 44100 -c 2 -b 16 -e signed"},
      {"8-bit mono", "-r 11025 -c 1 -b 8 -e unsigned"},       {"8-bit stereo", "-r 8000 -c 2 -b 8 -e unsigned"},
      {"MS-ADPCM mono", "-r 22050 -c 1 -e ms-adpcm"},         {"MS-ADPCM stereo", "-r 44100 -c 2 -e ms-adpcm"},
      {"MS-ADPCM mono at 8 kHz", "-r 8000 -c 1 -e ms-adpcm"},
  };
  int n = 0;
  for (const TSoxCase& c : cases) {
    const std::string made = Scratch("made" + std::to_string(n) + ".wav");
    const std::string decoded = Scratch("decoded" + std::to_string(n) + ".wav");
    ++n;
    // Lengths that end in a cut last block; a chirp and noise give every code something to do.
    ASSERT_EQ(Shell(std::string("sox -D -n ") + c.options + " '" + made +
                    "' synth 0.7731 sine 200-3000 synth 0.7731 whitenoise amod 30 vol 0.7"),
              0)
        << c.what;
    ASSERT_EQ(Shell("sox -D '" + made + "' -e signed -b 16 '" + decoded + "'"), 0) << c.what;
    const TPcmData ours = ReadWaveFile(made);
    const TPcmData theirs = ReadWaveFile(decoded);
    EXPECT_EQ(ours.channels, theirs.channels) << c.what;
    EXPECT_EQ(ours.sampleRate, theirs.sampleRate) << c.what;
    ASSERT_EQ(ours.samples.size(), theirs.samples.size()) << c.what;
    EXPECT_TRUE(ours.samples == theirs.samples) << c.what;
    EXPECT_GT(ours.Frames(), 6000u) << c.what;
  }
}
