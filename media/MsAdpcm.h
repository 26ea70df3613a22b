#pragma once
// Microsoft ADPCM: blocks of a header per channel (predictor index, delta, the two newest
// samples) and then four-bit codes, channels alternating, high nibble first.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/WaveFile.h"

namespace tess {

// Bytes of the block header of one channel.
inline constexpr size_t kMsAdpcmHeaderBytes = 7;

// Samples a channel in a block of blockBytes bytes (a whole block gives samplesPerBlock, a cut
// last block what its codes hold), 0 when not even the headers are there.
size_t MsAdpcmFramesInBlock(size_t blockBytes, const TWaveFormat& format);

// Decodes the data chunk into interleaved 16-bit samples. The format must have passed
// ReadWaveFormat. A predictor index beyond the coefficient table raises EInvalidWaveFile.
std::vector<int16_t> DecodeMsAdpcm(const uint8_t* data, size_t size, const TWaveFormat& format);

}  // namespace tess
