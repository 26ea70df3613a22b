#pragma once
// TMP3Player: MP3 music decoded by libmpg123 while it plays. The file is held in memory and
// decoded without gaps (the encoder's delay and padding are cut), and at its end decoding starts
// again at its first sample, so a loop has no gap and repeats nothing at the seam. Volume,
// balance, rate and fades follow the laws of the wave voices.

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Stream.h"
#include "media/AudioMixer.h"
#include "media/AudioNotices.h"
#include "media/AudioVoice.h"
#include "media/WaveFile.h"

typedef struct mpg123_handle_struct mpg123_handle;

namespace tess {

// libmpg123 cannot read the file; the text names why.
class EMp3Error : public ETessError {
 public:
  explicit EMp3Error(const std::string& why) : ETessError("MP3 Error: (" + why + ")") {}
};

// An MP3 file as an endless stream of 16-bit frames.
class TMp3Stream final : public TPcmStream {
 public:
  // Raises EMp3Error when no audio can be decoded from the bytes.
  explicit TMp3Stream(Bytes file);
  ~TMp3Stream() override;
  TMp3Stream(const TMp3Stream&) = delete;
  TMp3Stream& operator=(const TMp3Stream&) = delete;

  int Channels() const override { return channels_; }
  int SampleRate() const override { return rate_; }
  size_t Read(int16_t* out, size_t frames) override;
  void Rewind() override;
  int64_t Loops() const override { return loops_; }

 private:
  static ssize_t ReadCallback(void* self, void* buffer, size_t bytes);
  static off_t SeekCallback(void* self, off_t offset, int whence);
  void Open();

  Bytes file_;
  size_t filePosition_ = 0;
  mpg123_handle* handle_ = nullptr;
  int channels_ = 2;
  int rate_ = 44100;
  int64_t loops_ = 0;
  // Frames decoded in the current round; a round that gives none ends the stream.
  int64_t roundFrames_ = 0;
};

// One round of MP3 data decoded whole, for a sound effect (a wave holding MP3 frames). Raises
// EMp3Error when no audio can be decoded, EInvalidWaveFile beyond maxFrames.
TPcmData DecodeMp3(Bytes file, size_t maxFrames = size_t{44100} * 600);

class TMP3Player final : public TAudioSource {
 public:
  explicit TMP3Player(int outputRate, TAudioNotices* notices = nullptr);

  // Stops, then plays the stream from its start at full volume, centred, at normal rate.
  void Assign(std::unique_ptr<TMp3Stream> stream, const std::string& fileName);
  // Reads the file and plays it (Assign).
  void Play(const std::string& fileName);
  void Stop();
  bool Playing() const { return voice_.Playing(); }
  const std::string& FileName() const { return fileName_; }

  // Ignored while the same fade runs already; ms = 0 means at once.
  void FadeIn(int ms);
  void FadeOut(int ms);
  void SetVolume(int volume);
  void SetBalance(int balance);
  void SetTempo(int tempo);
  int Volume() const { return voice_.volume; }
  int Balance() const { return voice_.balance; }
  int Tempo() const { return voice_.tempo; }
  int FadeLevel() const { return voice_.fade.level; }
  int64_t Loops() const { return stream_ ? stream_->Loops() : 0; }

  void Render(float* out, size_t frames) override;
  int64_t NowMs() const { return frame_ * 1000 / outputRate_; }

 private:
  const int outputRate_;
  TAudioNotices* notices_;
  std::unique_ptr<TMp3Stream> stream_;
  TAudioVoice voice_;
  std::string fileName_;
  int64_t frame_ = 0;
  int64_t loops_ = 0;
};

}  // namespace tess
