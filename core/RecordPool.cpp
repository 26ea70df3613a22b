#include "core/RecordPool.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define TESS_RECORD_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TESS_RECORD_POOL 0
#endif
#endif
#ifndef TESS_RECORD_POOL
#define TESS_RECORD_POOL 1
#endif

namespace tess {

#if TESS_RECORD_POOL

namespace {

constexpr std::size_t kGrain = 16;            // sizes are rounded up to this
constexpr std::size_t kLargestPooled = 2048;  // larger records use the general allocator
constexpr std::size_t kClasses = kLargestPooled / kGrain;
constexpr std::size_t kSlabBytes = 64 * 1024;

struct TFreeBlock {
  TFreeBlock* next;
};

// Plain data only: a thread's lists need no destructor, since blocks may outlive the thread that
// made them (on another thread's list, or still in use).
struct TPool {
  TFreeBlock* free[kClasses];
  char* slab[kClasses];  // the rest of the slab each size carves new blocks from
  std::size_t slabLeft[kClasses];
};
thread_local TPool pool;

}  // namespace

void* AllocateRecord(std::size_t size) {
  if (size == 0 || size > kLargestPooled) return ::operator new(size);
  const std::size_t c = (size - 1) / kGrain;
  if (TFreeBlock* block = pool.free[c]) {
    pool.free[c] = block->next;
    // The next block of the list is what the next record of this size takes: fetching it now
    // spares that record the wait.
    if (block->next) __builtin_prefetch(block->next);
    return block;
  }
  const std::size_t bytes = (c + 1) * kGrain;
  if (pool.slabLeft[c] < bytes) {
    pool.slab[c] = static_cast<char*>(::operator new(kSlabBytes));
    pool.slabLeft[c] = kSlabBytes;
  }
  void* block = pool.slab[c];
  pool.slab[c] += bytes;
  pool.slabLeft[c] -= bytes;
  return block;
}

void FreeRecord(void* block, std::size_t size) {
  if (!block) return;
  if (size == 0 || size > kLargestPooled) return ::operator delete(block);
  const std::size_t c = (size - 1) / kGrain;
  auto* freed = static_cast<TFreeBlock*>(block);
  freed->next = pool.free[c];
  pool.free[c] = freed;
}

#else

void* AllocateRecord(std::size_t size) { return ::operator new(size); }
void FreeRecord(void* block, std::size_t) { ::operator delete(block); }

#endif

}  // namespace tess
