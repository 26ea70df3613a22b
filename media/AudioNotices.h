#pragma once
// What the players tell the user-interface thread: a tempo change of the song, the end of a song
// or the start of its next loop. The audio thread posts notices into a fixed ring without
// allocating; the user-interface thread takes them. Both do so under the mixer's lock.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tess {

enum class TAudioNoticeKind : uint8_t {
  TempoChange,  // value: microseconds per quarter note now in effect
  SongEnd,      // the music reached its end and stays silent
  SongLoop,     // the music reached its end and starts again from its loop point
};

// Which player a notice comes from.
enum class TAudioNoticeSource : uint8_t { Midi, Wave, Mp3 };

struct TAudioNotice {
  TAudioNoticeKind kind = TAudioNoticeKind::SongEnd;
  TAudioNoticeSource source = TAudioNoticeSource::Midi;
  int64_t value = 0;
  bool operator==(const TAudioNotice&) const = default;
};

class TAudioNotices {
 public:
  static constexpr size_t kCapacity = 64;

  // When the ring is full the oldest notice is dropped: the newest state matters most.
  void Post(TAudioNoticeKind kind, TAudioNoticeSource source, int64_t value = 0) {
    if (count_ == kCapacity) {
      first_ = (first_ + 1) % kCapacity;
      --count_;
    }
    ring_[(first_ + count_) % kCapacity] = {kind, source, value};
    ++count_;
  }
  std::vector<TAudioNotice> Take() {
    std::vector<TAudioNotice> out;
    out.reserve(count_);
    for (size_t i = 0; i < count_; ++i) out.push_back(ring_[(first_ + i) % kCapacity]);
    first_ = count_ = 0;
    return out;
  }
  size_t Count() const { return count_; }

 private:
  std::array<TAudioNotice, kCapacity> ring_{};
  size_t first_ = 0;
  size_t count_ = 0;
};

}  // namespace tess
