#pragma once
// Per-condition and per-attribute byte arrays (resistance ranks, marks, habitats): each is a count
// chunk and an array chunk, element i standing for id i + 1 (or id i where a list starts with
// "(None)"). Reading past the array gives the array's neutral value; writing past it does nothing.

#include <cstdint>
#include <vector>

namespace tess {

// Resistance ranks run from 0 (A) to 4 (E).
inline constexpr uint8_t kRankA = 0, kRankB = 1, kRankC = 2;

// Element index of the array, or the fallback when index is outside it.
uint8_t ByteAt(const std::vector<uint8_t>& array, int index, uint8_t fallback);
// Stores at index when it lies inside the array.
void SetByteAt(std::vector<uint8_t>& array, int index, uint8_t value);
// Resizes to n elements (n below 0 counts as 0), filling new elements; keeps count in step.
void ResizeBytes(std::vector<uint8_t>& array, int32_t& count, int n, uint8_t fill);
// Before saving: drops trailing neutral elements and elements past limit (limit below 0: none),
// and sets count to what is left.
void TrimBytes(std::vector<uint8_t>& array, int32_t& count, uint8_t neutral, int limit);

// What a save trims the per-condition and per-attribute arrays of records to: the number of
// conditions and attributes of the database being saved (below 0: no limit, only trailing neutral
// elements go).
struct TTrimLimits {
  int conditions = -1;
  int attributes = -1;
};

}  // namespace tess
