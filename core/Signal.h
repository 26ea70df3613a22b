#pragma once
// A list of callbacks that a model calls when something happens, so that views follow it without
// the model knowing them. Connect returns an id for Disconnect; a callback may disconnect itself
// or others while it runs.

#include <functional>
#include <utility>
#include <vector>

namespace tess {

template <class... Args>
class TSignal {
 public:
  using Slot = std::function<void(Args...)>;

  int Connect(Slot slot) {
    slots_.push_back({++lastId_, std::move(slot)});
    return lastId_;
  }
  void Disconnect(int id) {
    for (auto& entry : slots_)
      if (entry.first == id) entry.second = nullptr;
  }
  void Emit(Args... args) {
    // Slots connected while emitting wait for the next emit; disconnected ones are skipped.
    // Entries are removed only by the outermost emit, so indices stay valid in nested ones.
    const size_t count = slots_.size();
    ++emitting_;
    for (size_t i = 0; i < count; ++i)
      if (slots_[i].second) {
        Slot slot = slots_[i].second;
        slot(args...);
      }
    if (--emitting_ == 0) std::erase_if(slots_, [](const auto& entry) { return !entry.second; });
  }

 private:
  std::vector<std::pair<int, Slot>> slots_;
  int lastId_ = 0;
  int emitting_ = 0;
};

}  // namespace tess
