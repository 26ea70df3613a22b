#pragma once
// Memory for records. A file's records are many and small, and they are made and destroyed in
// bulk whenever a database, map tree or map is loaded. Each size of record keeps its freed blocks
// in a list of its own, so a load takes memory at the cost of a few instructions and the general
// allocator is spared the sorting of a hundred thousand small blocks.
//
// The memory a pool takes is kept for later records and not returned. Each thread keeps its own
// lists; a block may be freed on another thread than the one that made it. Sanitizer builds use
// the general allocator, so that they see every record's lifetime.

#include <cstddef>

namespace tess {

void* AllocateRecord(std::size_t size);
void FreeRecord(void* block, std::size_t size);

}  // namespace tess
