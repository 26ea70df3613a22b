#include "audio/MP3Player.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace tess {

namespace {

void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

TMp3Stream::TMp3Stream(Bytes file) : file_(std::move(file)) {
  InitLibrary();
  int error = MPG123_OK;
  handle_ = mpg123_new(nullptr, &error);
  if (!handle_) throw EMp3Error(mpg123_plain_strerror(error));
  // Quiet, without gaps, always two channels of 16-bit samples at the file's own rate.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS | MPG123_FORCE_STEREO, 0);
  mpg123_format_none(handle_);
  const long* rates = nullptr;
  size_t count = 0;
  mpg123_rates(&rates, &count);
  for (size_t i = 0; i < count; ++i) mpg123_format(handle_, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
  try {
    Open();
  } catch (...) {
    mpg123_delete(handle_);
    throw;
  }
}

TMp3Stream::~TMp3Stream() {
  mpg123_close(handle_);
  mpg123_delete(handle_);
}

ssize_t TMp3Stream::ReadCallback(void* self, void* buffer, size_t bytes) {
  auto* s = static_cast<TMp3Stream*>(self);
  const size_t n = std::min(bytes, s->file_.size() - std::min(s->filePosition_, s->file_.size()));
  if (n) std::memcpy(buffer, s->file_.data() + s->filePosition_, n);
  s->filePosition_ += n;
  return ssize_t(n);
}

off_t TMp3Stream::SeekCallback(void* self, off_t offset, int whence) {
  auto* s = static_cast<TMp3Stream*>(self);
  const off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? off_t(s->filePosition_) : off_t(s->file_.size());
  const off_t to = base + offset;
  if (to < 0 || to > off_t(s->file_.size())) return -1;
  s->filePosition_ = size_t(to);
  return to;
}

void TMp3Stream::Open() {
  mpg123_close(handle_);
  filePosition_ = 0;
  if (mpg123_replace_reader_handle(handle_, ReadCallback, SeekCallback, nullptr) != MPG123_OK ||
      mpg123_open_handle(handle_, this) != MPG123_OK)
    throw EMp3Error(mpg123_strerror(handle_));
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
    throw EMp3Error(mpg123_strerror(handle_));
  rate_ = int(rate);
  channels_ = 2;
  roundFrames_ = 0;
}

void TMp3Stream::Rewind() {
  Open();
  loops_ = 0;
}

size_t TMp3Stream::Read(int16_t* out, size_t frames) {
  constexpr size_t kFrameBytes = 2 * sizeof(int16_t);
  size_t done = 0;
  while (done < frames) {
    size_t bytes = 0;
    const int result = mpg123_read(handle_, out + 2 * done, (frames - done) * kFrameBytes, &bytes);
    done += bytes / kFrameBytes;
    roundFrames_ += int64_t(bytes / kFrameBytes);
    if (result == MPG123_OK || (result == MPG123_NEW_FORMAT && bytes == 0)) continue;
    // The end of the file, or damage from here on: the next round starts at the first sample.
    // A round that gave nothing ends the stream instead of spinning.
    if (roundFrames_ == 0) break;
    try {
      Open();
    } catch (const EMp3Error&) {
      break;
    }
    ++loops_;
  }
  return done;
}

TMP3Player::TMP3Player(int outputRate, TAudioNotices* notices)
    : outputRate_(std::max(1, outputRate)), notices_(notices) {}

void TMP3Player::Assign(std::unique_ptr<TMp3Stream> stream, const std::string& fileName) {
  Stop();
  stream_ = std::move(stream);
  if (!stream_) return;
  fileName_ = fileName;
  voice_.volume = 100;
  voice_.balance = 50;
  voice_.tempo = 100;
  voice_.fade.Reset();
  voice_.Start(stream_.get());
  loops_ = 0;
}

void TMP3Player::Play(const std::string& fileName) {
  Stop();
  Assign(std::make_unique<TMp3Stream>(ReadWholeFile(fileName)), fileName);
}

void TMP3Player::Stop() {
  voice_.Stop();
  stream_.reset();
  fileName_.clear();
}

void TMP3Player::FadeIn(int ms) {
  if (!voice_.fade.fadingIn) voice_.fade.StartIn(ms, NowMs());
}

void TMP3Player::FadeOut(int ms) {
  if (!voice_.fade.fadingOut) voice_.fade.StartOut(ms, NowMs());
}

void TMP3Player::SetVolume(int volume) { voice_.volume = std::clamp(volume, 0, 100); }

void TMP3Player::SetBalance(int balance) { voice_.balance = std::clamp(balance, 0, 100); }

void TMP3Player::SetTempo(int tempo) { voice_.tempo = std::clamp(tempo, 1, 10000); }

void TMP3Player::Render(float* out, size_t frames) {
  if (stream_) voice_.Render(out, frames, outputRate_, NowMs());
  frame_ += int64_t(frames);
  const int64_t loops = Loops();
  if (loops > loops_ && notices_) notices_->Post(TAudioNoticeKind::SongLoop, TAudioNoticeSource::Mp3, loops);
  loops_ = loops;
}

TPcmData DecodeMp3(Bytes file, size_t maxFrames) {
  TMp3Stream stream(std::move(file));
  TPcmData pcm;
  pcm.channels = 2;  // the stream gives mono as two equal channels
  pcm.sampleRate = stream.SampleRate();
  // The stream loops; one round is the whole sound. Frame by frame, so that nothing of the next
  // round slips in.
  int16_t frame[2];
  while (stream.Loops() == 0 && stream.Read(frame, 1) == 1 && stream.Loops() == 0) {
    if (pcm.Frames() >= maxFrames)
      throw EInvalidWaveFile("its MP3 sound is longer than " + std::to_string(maxFrames) + " frames");
    pcm.samples.insert(pcm.samples.end(), frame, frame + 2);
  }
  return pcm;
}

}  // namespace tess
