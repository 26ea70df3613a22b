#pragma once
// RIFF wave files: 8- and 16-bit PCM and MS-ADPCM, read whole and turned into 16-bit PCM in
// memory; and the writer of 16-bit PCM files.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Stream.h"

namespace tess {

// The shown text is the one every player gives; Plain() says what is wrong when that is known.
class EInvalidWaveFile : public ETessError {
 public:
  explicit EInvalidWaveFile(std::string reason = {}) : ETessError("Invalid wave file"), reason_(std::move(reason)) {}
  std::string Plain() const override { return reason_.empty() ? what() : "Invalid wave file: " + reason_; }

 private:
  std::string reason_;
};

inline constexpr uint16_t kWaveFormatPcm = 1;
inline constexpr uint16_t kWaveFormatMsAdpcm = 2;
// MPEG Layer 3 frames in a wave's data chunk; decoded by the MP3 player.
inline constexpr uint16_t kWaveFormatMpegLayer3 = 0x55;

// The "fmt " chunk.
struct TWaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t bytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  // MS-ADPCM only: samples a channel in each block and the predictor coefficient pairs.
  uint16_t samplesPerBlock = 0;
  std::vector<std::array<int16_t, 2>> coefficients;
};

// 16-bit samples in memory, channels interleaved.
struct TPcmData {
  int channels = 1;
  int sampleRate = 22050;
  // The byte rate of the file as it was stored.
  uint32_t sourceBytesPerSecond = 0;
  std::vector<int16_t> samples;

  size_t Frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

// Reads a whole wave file. It must start with "RIFF", a size and "WAVE". The chunks are walked
// from there by their sizes as they stand (an odd-sized chunk is not followed by a fill byte) to
// the "fmt " chunk and after it to the "data" chunk. Anything else raises EInvalidWaveFile: a chunk
// reaching past the end of the file, a format other than PCM or MS-ADPCM, no channels or more
// than two, PCM samples of other than 8 or 16 bits, a block alignment that does not fit the
// format, a damaged ADPCM description or block.
TPcmData DecodeWave(const uint8_t* data, size_t size);
TPcmData ReadWaveFile(const std::string& path);

// The data chunk of a RIFF wave whose format tag is MPEG Layer 3; nothing for any other file
// (other waves included). Chunks reaching past the end raise EInvalidWaveFile.
std::optional<Bytes> MpegWaveData(const uint8_t* data, size_t size);

// The format chunk alone, checked as DecodeWave checks it.
TWaveFormat ReadWaveFormat(const uint8_t* body, size_t size);

// A RIFF wave of 16-bit PCM: frames of channels interleaved samples.
Bytes EncodeWaveFile(const int16_t* samples, size_t frames, int channels, int sampleRate);
// The 44-byte header of such a file holding frames frames, for writers that stream the samples
// after it. Both raise ETessError when the samples would pass the format's 4 GiB limit, which
// its 32-bit sizes cannot state.
Bytes WaveHeaderFor(size_t frames, int channels, int sampleRate);

}  // namespace tess
