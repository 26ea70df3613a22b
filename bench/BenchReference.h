#pragma once
// Reports a benchmark's time as a ratio against a reference measured in the same run, so figures
// compare across machines and loads.

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <vector>

namespace tess::bench {

// The CPU time this thread has used, in seconds: unlike wall time it does not count the time
// other programs on a busy machine take from this one.
inline double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Seconds that one call of work takes, the best of several timed rounds.
inline double MeasureSeconds(const std::function<void()>& work, int rounds = 30) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Seconds that copying this many bytes from memory takes: the reference for file loading.
inline double CopySeconds(size_t bytes) {
  std::vector<char> a(bytes, 1), b(bytes);
  return MeasureSeconds([&] {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  });
}

// Started just before a benchmark's loop; Report adds the counter
// name = (wall time per iteration) / referenceSeconds, a plain number.
class TRatioTimer {
 public:
  TRatioTimer() : start_(std::chrono::steady_clock::now()) {}
  void Report(benchmark::State& state, const char* name, double referenceSeconds) const {
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start_;
    double perIteration = took.count() / static_cast<double>(std::max<int64_t>(1, state.iterations()));
    state.counters[name] = perIteration / referenceSeconds;
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace tess::bench
