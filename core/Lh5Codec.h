#pragma once
// The -lh5- compression method of LHA archives: LZSS over an 8 KB window whose literals, match
// lengths and match positions are written with static Huffman codes that change block by block.

#include <cstddef>
#include <cstdint>

#include "core/Stream.h"

namespace tess {

// CRC-16 with the reflected polynomial 0xA001, starting from crc; the checksum LHA archives keep for
// every file's data and every level-2 header.
uint16_t Crc16(const uint8_t* data, size_t size, uint16_t crc = 0);

// Compresses size bytes into an -lh5- bit stream.
Bytes Lh5Compress(const uint8_t* data, size_t size);

// Decodes an -lh5- stream into exactly originalSize bytes. Damaged data raises "Stream read error.";
// an originalSize above maxOutput is refused before anything is decoded, because a few bytes of this
// method can stand for megabytes.
Bytes Lh5Decompress(const uint8_t* data, size_t size, size_t originalSize, size_t maxOutput);

}  // namespace tess
