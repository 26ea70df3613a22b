#include "media/MsAdpcm.h"

#include <algorithm>
#include <string>

namespace tess {

namespace {

// How the step of a channel grows or shrinks after each code, in 256ths.
constexpr int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

int16_t Le16(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }

struct TChannelState {
  int coefficient1 = 0;
  int coefficient2 = 0;
  int delta = 0;
  int sample1 = 0;  // the newest sample
  int sample2 = 0;  // the one before it
};

// A step beyond this swings a sample from end to end already; damaged data would grow it further,
// past what the arithmetic holds.
constexpr int64_t kLargestDelta = int64_t(1) << 24;

int16_t DecodeCode(TChannelState& s, int code) {
  const int64_t predictor = (int64_t(s.sample1) * s.coefficient1 + int64_t(s.sample2) * s.coefficient2) >> 8;
  const int signedCode = code >= 8 ? code - 16 : code;
  const int sample = int(std::clamp<int64_t>(predictor + int64_t(signedCode) * s.delta, -32768, 32767));
  s.delta = int(std::clamp<int64_t>((int64_t(kAdaptation[code]) * s.delta) >> 8, 16, kLargestDelta));
  s.sample2 = s.sample1;
  s.sample1 = sample;
  return int16_t(sample);
}

}  // namespace

size_t MsAdpcmFramesInBlock(size_t blockBytes, const TWaveFormat& format) {
  const size_t channels = format.channels;
  if (channels == 0 || blockBytes < kMsAdpcmHeaderBytes * channels) return 0;
  const size_t codes = (blockBytes - kMsAdpcmHeaderBytes * channels) * 2 / channels;
  return std::min<size_t>(format.samplesPerBlock, codes + 2);
}

std::vector<int16_t> DecodeMsAdpcm(const uint8_t* data, size_t size, const TWaveFormat& format) {
  const size_t channels = format.channels;
  const size_t blockAlign = format.blockAlign;
  std::vector<int16_t> out;
  const size_t wholeBlocks = size / blockAlign;
  out.reserve((wholeBlocks * format.samplesPerBlock + format.samplesPerBlock) * channels);
  TChannelState state[2];
  for (size_t at = 0; at < size; at += blockAlign) {
    const size_t bytes = std::min(blockAlign, size - at);
    const size_t frames = MsAdpcmFramesInBlock(bytes, format);
    if (frames == 0) break;
    const uint8_t* p = data + at;
    for (size_t c = 0; c < channels; ++c) {
      const uint8_t predictor = p[c];
      if (predictor >= format.coefficients.size())
        throw EInvalidWaveFile("an ADPCM block names predictor " + std::to_string(predictor) + " of " +
                               std::to_string(format.coefficients.size()));
      state[c].coefficient1 = format.coefficients[predictor][0];
      state[c].coefficient2 = format.coefficients[predictor][1];
      state[c].delta = Le16(p + channels + 2 * c);
      state[c].sample1 = Le16(p + 3 * channels + 2 * c);
      state[c].sample2 = Le16(p + 5 * channels + 2 * c);
    }
    // The block starts with the older of the two header samples.
    for (size_t c = 0; c < channels; ++c) out.push_back(int16_t(state[c].sample2));
    if (frames > 1)
      for (size_t c = 0; c < channels; ++c) out.push_back(int16_t(state[c].sample1));
    const uint8_t* codes = p + kMsAdpcmHeaderBytes * channels;
    const size_t count = (frames - std::min<size_t>(frames, 2)) * channels;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t byte = codes[i / 2];
      const int code = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
      out.push_back(DecodeCode(state[i % channels], code));
    }
  }
  return out;
}

}  // namespace tess
