// The "BGM" and "Sound Effect" pickers over the front end with an offline output (editor tests
// have no sound device), and the audio release around a game.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <cmath>

#include "audio/AudioHarmony.h"
#include "core/AtomicFile.h"
#include "core/MessagePort.h"
#include "core/ProjectFolder.h"
#include "core/Stream.h"
#include "media/WaveFile.h"
#include "media/WavePlayer.h"
#include "tests/TestFolder.h"
#include "ui/EditorAudio.h"
#include "ui/pickers/FormSelMusic.h"
#include "ui/pickers/FormSelSound.h"

using namespace tess;

namespace {

void WriteWave(const std::string& path, int frames) {
  std::vector<int16_t> samples(static_cast<size_t>(frames));
  for (int i = 0; i < frames; ++i) samples[size_t(i)] = int16_t(9000 * std::sin(i * 0.07));
  const Bytes file = EncodeWaveFile(samples.data(), size_t(frames), 1, 22050);
  WriteFileAtomic(path, file);
}

struct Pickers : ::testing::Test {
  test::TTestFolder project, rtp;
  TScriptedMessages messages;

  void SetUp() override {
    SetMessagePort(&messages);
    // Project: Field (wave), Town1 .. Town30; runtime package: Battle, and Field again.
    WriteWave(project.Sub("Music") + "Field.wav", 44100);
    for (int i = 1; i <= 30; ++i) WriteWave(project.Sub("Music") + "Town" + std::to_string(i) + ".wav", 100);
    WriteWave(rtp.Sub("Music") + "Battle.wav", 44100);
    WriteWave(rtp.Sub("Music") + "Field.wav", 100);
    WriteWave(project.Sub("Sound") + "Step.wav", 22050);
    SetProjectFolder(project.Path());
    SetCurrentRuntimePackageFolder(rtp.Path());
    SetAudioOutputFactory([] { return std::make_unique<TOfflineAudioOutput>(); });
    StartEditorAudio();
    ResetLastMusic();
    TFormSelAudio::SoundUnavailableSaid() = false;
  }
  void TearDown() override {
    AudioShutDown();
    SetAudioOutputFactory([] { return std::make_unique<TOfflineAudioOutput>(); });
    SetProjectFolder("");
    SetCurrentRuntimePackageFolder("");
    SetMessagePort(nullptr);
  }
  static QStringList Entries(const TFormSelAudio& picker) {
    QStringList out;
    for (int i = 0; i < picker.List()->count(); ++i) out << picker.List()->item(i)->text();
    return out;
  }
  static void Render(double seconds) {
    std::vector<int16_t> out(2 * size_t(seconds * 44100));
    AudioFrontEnd()->Mixer().MixPcm16(out.data(), out.size() / 2);
  }
};

}  // namespace

TEST_F(Pickers, MusicListSelectsTheReferenceOrItsRuntimePackageEntryOrKeepsAnUnknownName) {
  struct TCase {
    const char* name;
    const char* selected;
  };
  const TCase cases[] = {
      {"Field", "Field"},                // the project's, not the runtime package's
      {"Battle", "Battle <RTP>"},        // only in the runtime package
      {"(OFF)", "(OFF)"},                //
      {"Castle", "Castle <not found>"},  // in neither: kept, marked
  };
  for (const TCase& c : cases) {
    TFormSelMusic picker;
    picker.Music().name = c.name;
    picker.show();
    EXPECT_EQ(picker.windowTitle(), "BGM");
    EXPECT_EQ(picker.List()->item(0)->text(), "(OFF)");
    ASSERT_NE(picker.List()->currentItem(), nullptr);
    EXPECT_EQ(picker.List()->currentItem()->text(), c.selected) << c.name;
    EXPECT_EQ(picker.Music().name, c.name);  // stored without any mark
  }
  TFormSelMusic picker;
  picker.show();
  QStringList expected = {"(OFF)", "Field"};
  for (int i = 1; i <= 30; ++i) expected << QString("Town%1").arg(i);  // in natural order
  expected << "Battle <RTP>";
  EXPECT_EQ(Entries(picker), expected);
  // Choosing an entry stores its name; "(OFF)" is chosen like any other.
  picker.List()->setCurrentRow(32);
  EXPECT_EQ(picker.Music().name, "Battle");
  picker.List()->setCurrentRow(0);
  EXPECT_EQ(picker.Music().name, "(OFF)");
}

TEST_F(Pickers, TheSelectedEntryIsTheSeventhVisibleRow) {
  TFormSelMusic picker;
  picker.Music().name = "Town10";
  picker.show();
  QApplication::processEvents();
  EXPECT_EQ(picker.List()->currentRow(), 11);
  ASSERT_GE(picker.List()->verticalScrollBar()->maximum(), 5);
  EXPECT_EQ(picker.List()->verticalScrollBar()->value(), 11 - 6);
}

TEST_F(Pickers, SlidersShowTheReferenceAndMovesStoreItAndTheLastMusic) {
  TFormSelMusic picker;
  TLcfMusic& m = picker.Music();
  m.name = "Field";
  m.fadeIn = 3000;
  m.volume = 70;
  m.tempo = 120;
  m.balance = 30;
  picker.show();
  EXPECT_EQ(picker.FadeInSlider()->value(), 3);
  EXPECT_EQ(picker.VolumeSlider()->value(), 7);
  EXPECT_EQ(picker.TempoSlider()->value(), 7);
  EXPECT_EQ(picker.BalanceSlider()->value(), 3);
  EXPECT_EQ(m.volume, 70);  // showing is not moving
  picker.FadeInSlider()->setValue(10);
  picker.VolumeSlider()->setValue(4);
  picker.TempoSlider()->setValue(0);
  picker.BalanceSlider()->setValue(10);
  EXPECT_EQ(m.fadeIn, 10000);
  EXPECT_EQ(m.volume, 40);
  EXPECT_EQ(m.tempo, 50);
  EXPECT_EQ(m.balance, 100);
  EXPECT_EQ(LastMusic().volume, 40);
  EXPECT_EQ(LastMusic().tempo, 50);
  EXPECT_EQ(LastMusic().name, "(OFF)");  // the name only changes with Play
}

TEST_F(Pickers, ListeningModeHasCloseInsteadOfOkAndCancel) {
  TFormSelMusic picker(nullptr, true);
  picker.show();
  EXPECT_TRUE(picker.Listening());
  EXPECT_FALSE(picker.OkButton()->isVisible());
  EXPECT_EQ(picker.CancelButton()->text(), "Close");
  TFormSelMusic editing;
  editing.show();
  EXPECT_TRUE(editing.OkButton()->isVisible());
}

TEST_F(Pickers, PlayStartsTheMusicLinksThePickerAndStopReleasesIt) {
  TFormSelMusic picker;
  picker.Music().name = "Field";
  picker.Music().volume = 80;
  picker.show();
  EXPECT_FALSE(picker.LinkedToPlayback());
  picker.Play();
  TWavePlayer* wave = AudioFrontEnd()->Wave();
  ASSERT_TRUE(wave->Music().IsPlaying());
  EXPECT_EQ(wave->Music().FileName(), project.Path() + "Music/Field.wav");
  EXPECT_EQ(wave->Music().Voice(0).volume, 80);
  EXPECT_EQ(LastMusic().name, "Field");
  EXPECT_EQ(LastMusic().volume, 80);
  EXPECT_TRUE(picker.LinkedToPlayback());
  EXPECT_EQ(picker.StatusLine()->text(), "Playing Field");
  // Linked: the sliders act on the music at once.
  picker.TempoSlider()->setValue(10);
  picker.BalanceSlider()->setValue(2);
  EXPECT_EQ(wave->Music().Voice(0).tempo, 150);
  EXPECT_EQ(wave->Music().Voice(0).balance, 20);

  // Shift+Stop only fades out over five seconds; the last music stays for a replay.
  picker.Stop(true);
  EXPECT_TRUE(wave->Music().Voice(0).fade.fadingOut);
  EXPECT_EQ(wave->Music().Voice(0).fade.duration, 5000);
  EXPECT_EQ(LastMusic().name, "Field");
  EXPECT_TRUE(StartMusic(LastMusic()));
  EXPECT_FALSE(wave->Music().Voice(0).fade.fadingOut);

  picker.Stop(false);
  EXPECT_FALSE(wave->Music().IsPlaying());
  EXPECT_EQ(AudioFrontEnd()->Midi(), nullptr);
  EXPECT_EQ(LastMusic().name, "(OFF)");
  EXPECT_EQ(LastMusic().volume, 100);
  // A picker opened on the last music is linked at once.
  LastMusic().name = "Battle";
  TFormSelMusic again;
  again.Music().name = "Battle";
  again.show();
  EXPECT_TRUE(again.LinkedToPlayback());
}

TEST_F(Pickers, EnterInTheListPlaysAndKeepsTheWindowOpen) {
  TFormSelMusic picker;
  picker.Music().name = "Battle";
  picker.show();
  picker.List()->setFocus();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(picker.List(), &enter);
  EXPECT_TRUE(picker.isVisible());
  EXPECT_TRUE(AudioFrontEnd()->Wave()->Music().IsPlaying());
  EXPECT_EQ(AudioFrontEnd()->Wave()->Music().FileName(), rtp.Path() + "Music/Battle.wav");
  // Play on "(OFF)" is Stop.
  picker.List()->setCurrentRow(0);
  picker.Play();
  EXPECT_FALSE(AudioFrontEnd()->Wave()->Music().IsPlaying());
}

TEST_F(Pickers, AFileThatDoesNotPlaySaysSoOnTheStatusLine) {
  TFormSelMusic picker;
  picker.Music().name = "Castle";
  picker.show();
  picker.Play();
  EXPECT_TRUE(picker.StatusLine()->text().startsWith("Castle could not be played: "))
      << picker.StatusLine()->text().toStdString();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Pickers, WithoutASoundDeviceThePickersListEverythingAndSayItOnce) {
  AudioShutDown();
  SetAudioOutputFactory([] { return nullptr; });
  StartEditorAudio();
  TFormSelMusic music;
  music.Music().name = "Field";
  music.show();
  EXPECT_EQ(music.List()->count(), 33);
  EXPECT_EQ(music.StatusLine()->text(), "Sound is not available: no audio output device was found.");
  music.Play();
  music.Play();
  TFormSelSound sound;
  sound.Sound().name = "Step";
  sound.show();
  sound.Play();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style.icon, TMessageIcon::Information);
  EXPECT_EQ(music.Music().name, "Field");
}

TEST_F(Pickers, SoundPickerPlaysWithItsLevelsWhichNeverActOnPlayingSound) {
  TFormSelSound picker;
  EXPECT_EQ(picker.Sound().name, "(OFF)");
  EXPECT_EQ(picker.FadeInSlider(), nullptr);
  picker.Sound().name = "Step";
  picker.Sound().volume = 60;
  picker.Sound().tempo = 90;
  picker.Sound().balance = 70;
  picker.show();
  EXPECT_EQ(picker.windowTitle(), "Sound Effect");
  EXPECT_EQ(picker.List()->currentItem()->text(), "Step");
  EXPECT_EQ(picker.VolumeSlider()->value(), 6);
  EXPECT_EQ(picker.TempoSlider()->value(), 4);
  picker.Play();
  TWaveBuffer& effect = AudioFrontEnd()->Wave()->Effect(0);
  ASSERT_TRUE(effect.IsPlaying());
  EXPECT_EQ(effect.Voice(0).volume, 60);
  EXPECT_EQ(effect.Voice(0).tempo, 90);
  EXPECT_EQ(effect.Voice(0).balance, 70);
  picker.VolumeSlider()->setValue(10);
  EXPECT_EQ(picker.Sound().volume, 100);
  EXPECT_EQ(effect.Voice(0).volume, 60);
  picker.Stop(false);
  EXPECT_FALSE(effect.IsPlaying());
}

TEST_F(Pickers, AGameGetsTheSoundDevicesAndTheFrontEndComesBack) {
  TFormSelMusic picker;
  picker.Music().name = "Field";
  picker.show();
  picker.Play();
  ASSERT_TRUE(AudioFrontEnd()->MusicPlaying());
  {
    TAudioReleasedForGame released;
    EXPECT_EQ(AudioFrontEnd(), nullptr);
    EXPECT_EQ(LastMusic().name, "(OFF)");
  }
  ASSERT_NE(AudioFrontEnd(), nullptr);
  EXPECT_NE(AudioFrontEnd()->Wave(), nullptr);  // sound effects play at once again
  EXPECT_FALSE(AudioFrontEnd()->MusicPlaying());
}

TEST_F(Pickers, TheStatusLineHearsTheSongsTempoAndItsEndThroughTheQueue) {
  if (!AudioOpenMidi()) GTEST_SKIP() << "no General MIDI SoundFont";
  // 100 beats a minute, one quarter note, no loop marker on a later tick: it ends at once.
  const Bytes song = {'M',  'T', 'h',  'd', 0,   0,    0,    6,   0, 0,    0,    1,    0,    96,
                      'M',  'T', 'r',  'k', 0,   0,    0,    19,  0, 0xFF, 0x51, 3,    0x09, 0x27,
                      0xC0, 0,   0x90, 60,  100, 0x60, 0xB0, 111, 0, 0,    0xFF, 0x2F, 0};
  WriteFileAtomic(project.Path() + "Music/Theme.mid", song);
  TFormSelMusic picker;
  picker.Music().name = "Theme";
  picker.show();
  picker.Play();
  auto waitFor = [&](const QString& text) {
    for (int i = 0; i < 50 && picker.StatusLine()->text() != text; ++i) {
      Render(0.1);
      QElapsedTimer wait;
      wait.start();
      while (wait.elapsed() < 110) QApplication::processEvents();
    }
    return picker.StatusLine()->text();
  };
  EXPECT_EQ(waitFor("Playing Theme, written at 100 beats a minute"), "Playing Theme, written at 100 beats a minute");
  EXPECT_EQ(waitFor("Theme has come to its end"), "Theme has come to its end");
}
