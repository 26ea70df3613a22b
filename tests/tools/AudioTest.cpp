#include <gtest/gtest.h>

#include <stdexcept>

#include "media/WaveFile.h"
#include "tools/rtpgen/AudioFiles.h"
#include "tools/rtpgen/SoundArt.h"

using namespace tess;
using namespace tess::rtp;

TEST(MidiWriter, OneNoteFileIsByteExact) {
  TMidiTrack t;
  t.Note(0, 480, 0, 60, 100);
  t.Note(480 + 0x200000, 1, 9, 36, 90);
  Bytes file = EncodeMidiFile(0, 480, {t});
  const Bytes expected = {'M',  'T',  'h',  'd',  0,    0,    0,  6,
                          0,    0,    0,    1,    0x01, 0xE0,          // format 0, one track, 480 ticks a quarter
                          'M',  'T',  'r',  'k',  0,    0,    0,  22,  //
                          0x00, 0x90, 60,   100,                       // note on
                          0x83, 0x60, 60,   0,                         // 480 ticks later, off under running status
                          0x81, 0x80, 0x80, 0x00, 0x99, 36,   90,      // a delta of 0x200000 takes four bytes
                          0x01, 36,   0,                               // off one tick later, running status again
                          0x00, 0xFF, 0x2F, 0x00};                     // end of track
  EXPECT_EQ(file, expected);
}

TEST(MidiWriter, NoteOffsAtATickComeBeforeNewNotesAndMetaEventsBreakRunningStatus) {
  TMidiTrack t;
  t.Note(0, 10, 0, 60, 80);
  t.Note(10, 10, 0, 62, 80);
  t.Tempo(10, 500000);
  t.Note(10, 10, 0, 64, 80);
  Bytes b = t.Encode();
  const Bytes body = {0x00, 0x90, 60,   80, 0x0A, 60,   0,  0x00, 62,   80, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1,
                      0x20, 0x00, 0x90, 64, 80,   0x0A, 62, 0,    0x00, 64, 0,    0x00, 0xFF, 0x2F, 0x00};
  ASSERT_EQ(b.size(), 8 + body.size());
  EXPECT_EQ(Bytes(b.begin() + 8, b.end()), body);
}

TEST(WaveWriter, HeaderDescribesSixteenBitPcm) {
  const std::vector<int16_t> samples = {0, -1, 32767};
  Bytes w = tess::EncodeWaveFile(samples.data(), samples.size(), 1, 22050);
  ASSERT_EQ(w.size(), 44u + 6);
  auto le32 = [&](size_t at) { return w[at] | w[at + 1] << 8 | w[at + 2] << 16 | uint32_t(w[at + 3]) << 24; };
  auto le16 = [&](size_t at) { return w[at] | w[at + 1] << 8; };
  EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
  EXPECT_EQ(le32(4), 42u);
  EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(le16(20), 1);  // PCM
  EXPECT_EQ(le32(24), 22050u);
  EXPECT_EQ(le32(28), 44100u);  // bytes a second
  EXPECT_EQ(le16(32), 2);       // block alignment
  EXPECT_EQ(le16(34), 16);
  EXPECT_EQ(le32(40), 6u);
  EXPECT_EQ(w[46], 0xFF);
  EXPECT_EQ(w[49], 0x7F);
}

TEST(Melody, NotesLengthsChordsAndErrors) {
  auto line = ParseMelody("c4 a4:2 f#5 | bb3:4 b3 r:3 c4+e4+g4");
  ASSERT_EQ(line.size(), 7u);
  const std::vector<int> keys = {60, 69, 78, 58, 59};
  const std::vector<int> lengths = {1, 2, 2, 4, 4, 3, 3};
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(line[i].keys, std::vector<int>{keys[i]}) << i;
  for (size_t i = 0; i < lengths.size(); ++i) EXPECT_EQ(line[i].eighths, lengths[i]) << i;
  EXPECT_TRUE(line[5].keys.empty());
  EXPECT_EQ(line[6].keys, (std::vector<int>{60, 64, 67}));
  for (const char* bad : {"h4", "c", "c4:0", "c4:", "c44", "c4+", "c4:x", "#4"})
    EXPECT_THROW(ParseMelody(bad), std::invalid_argument) << bad;
}
