#include <gtest/gtest.h>

#include <string>

#include "core/Signal.h"

using namespace tess;

TEST(Signal, SlotsRunInOrderAndMayDisconnectWhileItRuns) {
  TSignal<int> signal;
  std::string log;
  int second = 0;
  signal.Connect([&](int v) { log += "a" + std::to_string(v); });
  second = signal.Connect([&](int v) {
    log += "b" + std::to_string(v);
    signal.Disconnect(second);  // runs once
  });
  signal.Connect([&](int v) {
    log += "c" + std::to_string(v);
    // A slot connected now waits for the next emit.
    if (v == 1) signal.Connect([&](int w) { log += "d" + std::to_string(w); });
  });
  signal.Emit(1);
  signal.Emit(2);
  EXPECT_EQ(log, "a1b1c1a2c2d2");
}

TEST(Signal, NestedEmitsSeeEveryLiveSlot) {
  TSignal<> signal;
  int depth = 0, calls = 0, first = 0;
  first = signal.Connect([&] {
    ++calls;
    if (depth++ == 0) {
      signal.Disconnect(first);
      signal.Emit();  // the inner emit skips the disconnected slot and removes nothing
    }
  });
  signal.Connect([&] { ++calls; });
  signal.Emit();
  EXPECT_EQ(calls, 3);  // first, then second inside, then second outside
  signal.Emit();
  EXPECT_EQ(calls, 4);
}
