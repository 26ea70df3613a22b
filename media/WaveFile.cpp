#include "media/WaveFile.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "core/Errors.h"
#include "media/MsAdpcm.h"

namespace tess {

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

void PutLe16(Bytes& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void PutLe32(Bytes& b, uint32_t v) {
  for (int s = 0; s < 32; s += 8) b.push_back(uint8_t(v >> s));
}
// Byte by byte: GCC 12 takes a range insert into a fresh vector for an overflow.
void PutTag(Bytes& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}

struct TChunk {
  const uint8_t* body = nullptr;
  size_t size = 0;
};

// Walks chunk headers from pos, skipping each chunk by its size as it stands, up to the chunk
// named id, and leaves pos after it. Running off the end of the file is damage.
TChunk FindChunk(const uint8_t* data, size_t size, size_t& pos, const char* id) {
  const std::string name = std::string("the \"") + id + "\" chunk";
  for (;;) {
    if (pos > size || size - pos < 8) throw EInvalidWaveFile("the file has no " + name.substr(4));
    const uint8_t* header = data + pos;
    const size_t length = Le32(header + 4);
    pos += 8;
    if (std::memcmp(header, id, 4) == 0) {
      if (length > size - pos) throw EInvalidWaveFile(name + " reaches past the end of the file");
      TChunk chunk{data + pos, length};
      pos += length;
      return chunk;
    }
    if (length > size - pos) throw EInvalidWaveFile("a chunk before " + name + " reaches past the end of the file");
    pos += length;
  }
}

// The names of the format tags other programs write most, for the message that refuses them.
std::string FormatTagText(uint16_t tag) {
  static const std::pair<uint16_t, const char*> kNames[] = {
      {0x0003, "IEEE float"}, {0x0006, "A-law"}, {0x0007, "mu-law"},    {0x0011, "IMA ADPCM"},
      {0x0031, "GSM 6.10"},   {0x0050, "MPEG"},  {0xFFFE, "extensible"}};
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%x", unsigned(tag));
  for (const auto& [known, name] : kNames)
    if (known == tag) return std::string(hex) + " (" + name + ")";
  return hex;
}

}  // namespace

TWaveFormat ReadWaveFormat(const uint8_t* body, size_t size) {
  if (size < 16) throw EInvalidWaveFile("the \"fmt \" chunk is shorter than 16 bytes");
  TWaveFormat f;
  f.formatTag = Le16(body);
  f.channels = Le16(body + 2);
  f.samplesPerSecond = Le32(body + 4);
  f.bytesPerSecond = Le32(body + 8);
  f.blockAlign = Le16(body + 12);
  f.bitsPerSample = Le16(body + 14);
  if (f.formatTag != kWaveFormatPcm && f.formatTag != kWaveFormatMsAdpcm)
    throw EInvalidWaveFile("unsupported format tag " + FormatTagText(f.formatTag));
  if (f.channels < 1 || f.channels > 2)
    throw EInvalidWaveFile(std::to_string(f.channels) + " channels; a wave plays with 1 or 2");
  if (f.samplesPerSecond == 0 || f.blockAlign == 0) throw EInvalidWaveFile("its sample rate or block alignment is 0");
  if (f.formatTag == kWaveFormatPcm) {
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16)
      throw EInvalidWaveFile(std::to_string(f.bitsPerSample) + "-bit PCM; 8 and 16 bits play");
    if (f.blockAlign != f.channels * f.bitsPerSample / 8)
      throw EInvalidWaveFile("its block alignment does not fit its channels and bits");
    return f;
  }
  const EInvalidWaveFile damagedAdpcm("its ADPCM description is damaged");
  if (f.bitsPerSample != 4) throw damagedAdpcm;
  // Extra size, samples a block, the number of coefficient pairs, the pairs.
  if (size < 22) throw damagedAdpcm;
  const size_t extra = Le16(body + 16);
  f.samplesPerBlock = Le16(body + 18);
  const size_t pairs = Le16(body + 20);
  if (pairs < 1 || pairs > 256 || extra < 4 + 4 * pairs || size < 22 + 4 * pairs) throw damagedAdpcm;
  if (f.blockAlign < kMsAdpcmHeaderBytes * f.channels || f.samplesPerBlock < 2 ||
      MsAdpcmFramesInBlock(f.blockAlign, f) != f.samplesPerBlock)
    throw damagedAdpcm;
  for (size_t i = 0; i < pairs; ++i)
    f.coefficients.push_back({int16_t(Le16(body + 22 + 4 * i)), int16_t(Le16(body + 24 + 4 * i))});
  return f;
}

TPcmData DecodeWave(const uint8_t* data, size_t size) {
  if (size < 4 || std::memcmp(data, "RIFF", 4) != 0) throw EInvalidWaveFile("not a RIFF file");
  if (size < 12 || std::memcmp(data + 8, "WAVE", 4) != 0) throw EInvalidWaveFile("a RIFF file that holds no wave");
  size_t pos = 12;
  const TChunk fmt = FindChunk(data, size, pos, "fmt ");
  const TWaveFormat format = ReadWaveFormat(fmt.body, fmt.size);
  const TChunk chunk = FindChunk(data, size, pos, "data");

  TPcmData pcm;
  pcm.channels = format.channels;
  pcm.sampleRate = int(std::min<uint32_t>(format.samplesPerSecond, 1u << 30));
  pcm.sourceBytesPerSecond = format.bytesPerSecond;
  if (format.formatTag == kWaveFormatMsAdpcm) {
    pcm.samples = DecodeMsAdpcm(chunk.body, chunk.size, format);
    return pcm;
  }
  // Whole frames only; a cut last frame is dropped.
  const size_t frames = chunk.size / format.blockAlign;
  pcm.samples.resize(frames * format.channels);
  if (format.bitsPerSample == 8) {
    for (size_t i = 0; i < pcm.samples.size(); ++i) pcm.samples[i] = int16_t((int(chunk.body[i]) - 128) << 8);
  } else {
    for (size_t i = 0; i < pcm.samples.size(); ++i) pcm.samples[i] = int16_t(Le16(chunk.body + 2 * i));
  }
  return pcm;
}

std::optional<Bytes> MpegWaveData(const uint8_t* data, size_t size) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) return std::nullopt;
  size_t pos = 12;
  const TChunk fmt = FindChunk(data, size, pos, "fmt ");
  if (fmt.size < 2 || Le16(fmt.body) != kWaveFormatMpegLayer3) return std::nullopt;
  const TChunk chunk = FindChunk(data, size, pos, "data");
  return Bytes(chunk.body, chunk.body + chunk.size);
}

TPcmData ReadWaveFile(const std::string& path) {
  const Bytes data = ReadWholeFile(path);
  return DecodeWave(data.data(), data.size());
}

Bytes WaveHeaderFor(size_t frames, int channels, int sampleRate) {
  const uint64_t size = uint64_t(frames) * uint64_t(channels) * 2;
  if (size > uint64_t(UINT32_MAX) - 36)
    throw ETessError("a wave file holds at most 4 GiB of samples; " + std::to_string(frames) + " frames need " +
                     std::to_string(size) + " bytes");
  const uint32_t dataBytes = uint32_t(size);
  const uint16_t align = uint16_t(channels * 2);
  Bytes out;
  out.reserve(44);
  PutTag(out, "RIFF");
  PutLe32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe32(out, 16);
  PutLe16(out, kWaveFormatPcm);
  PutLe16(out, uint16_t(channels));
  PutLe32(out, uint32_t(sampleRate));
  PutLe32(out, uint32_t(sampleRate) * align);
  PutLe16(out, align);
  PutLe16(out, 16);
  PutTag(out, "data");
  PutLe32(out, dataBytes);
  return out;
}

Bytes EncodeWaveFile(const int16_t* samples, size_t frames, int channels, int sampleRate) {
  Bytes out = WaveHeaderFor(frames, channels, sampleRate);
  out.reserve(out.size() + frames * size_t(channels) * 2);
  for (size_t i = 0; i < frames * size_t(channels); ++i) PutLe16(out, uint16_t(samples[i]));
  return out;
}

}  // namespace tess
