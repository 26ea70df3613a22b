// Picture codecs and sheet drawing, each against a reference measured in the same run:
//  - PNG decoding and encoding from memory against libpng (same zlib) on the same pictures;
//  - XYZ decoding and encoding against raw zlib on the same buffer;
//  - sheet drawing onto a 1920 x 1080 board against filling the same board.
// Counters "speed_vs_..." are reference time / our time, both in thread CPU time: above 1 we are
// faster.
#include <benchmark/benchmark.h>
#include <time.h>
#include <zlib.h>

#include <functional>
#include <map>

#include "media/CorvidPng.h"
#include "media/CorvidSheet.h"
#include "media/CorvidXyz.h"
#include "media/LibpngPeer.h"
#include "media/MediaTestUtil.h"

using namespace tess;

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// The fastest CPU time per call of a reference operation, measured once per key.
double ReferenceSeconds(const std::string& key, const std::function<void()>& op) {
  static std::map<std::string, double> cache;
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  op();  // warm up
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    int n = 0;
    const double start = CpuSeconds();
    double elapsed = 0;
    do {
      op();
      ++n;
      elapsed = CpuSeconds() - start;
    } while (elapsed < 0.1);
    best = std::min(best, elapsed / n);
  }
  return cache[key] = best;
}

// Times the benchmark loop in CPU time and reports reference time / our time per call.
class TVersus {
 public:
  TVersus() : start_(CpuSeconds()) {}
  void Report(benchmark::State& state, const char* name, double referenceSeconds) const {
    const double ours = (CpuSeconds() - start_) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters[name] = referenceSeconds / ours;
  }

 private:
  double start_;
};

struct TPicture {
  const char* name;
  TBitmap bitmap;
};

// A tile sheet, a panorama and a full-screen true-colour picture.
const std::vector<TPicture>& Pictures() {
  static const std::vector<TPicture> pictures = {
      {"tiles_480x256_8bit", test::PatternIndexed(480, 256, 96)},
      {"panorama_640x480_24bit", test::PatternRgb(640, 480)},
      {"screen_1920x1080_24bit", test::PatternRgb(1920, 1080, 7)},
  };
  return pictures;
}

const Bytes& LibpngFile(size_t i) {
  static std::map<size_t, Bytes> files;
  auto& f = files[i];
  if (f.empty()) f = peer::LibpngWrite(Pictures()[i].bitmap);
  return f;
}

void BM_PngDecode(benchmark::State& state) {
  const size_t i = static_cast<size_t>(state.range(0));
  const Bytes& file = LibpngFile(i);  // written by libpng with its own filter choice
  state.SetLabel(Pictures()[i].name);
  const double libpng = ReferenceSeconds("png-decode" + std::to_string(i), [&] {
    TBitmap b;
    peer::LibpngRead(file, b);
    benchmark::DoNotOptimize(b.Bits());
  });
  TVersus timer;
  for (auto _ : state) {
    TBitmap b;
    DecodePng(b, file.data(), file.size());
    benchmark::DoNotOptimize(b.Bits());
  }
  timer.Report(state, "speed_vs_libpng", libpng);
  state.SetItemsProcessed(state.iterations() * Pictures()[i].bitmap.Width() * Pictures()[i].bitmap.Height());
}

void BM_LibpngDecode(benchmark::State& state) {
  const size_t i = static_cast<size_t>(state.range(0));
  const Bytes& file = LibpngFile(i);
  state.SetLabel(Pictures()[i].name);
  for (auto _ : state) {
    TBitmap b;
    peer::LibpngRead(file, b);
    benchmark::DoNotOptimize(b.Bits());
  }
  state.SetItemsProcessed(state.iterations() * Pictures()[i].bitmap.Width() * Pictures()[i].bitmap.Height());
}

// Encoding: against libpng with its default filter choice ("speed"), and against libpng held to
// filter None, the same work as ours ("speed_vs_none").
void BM_PngEncode(benchmark::State& state) {
  const size_t i = static_cast<size_t>(state.range(0));
  const TBitmap& pic = Pictures()[i].bitmap;
  state.SetLabel(Pictures()[i].name);
  const double libpng = ReferenceSeconds("png-encode" + std::to_string(i),
                                         [&] { benchmark::DoNotOptimize(peer::LibpngWrite(pic).size()); });
  peer::TLibpngWrite none;
  none.filters = PNG_FILTER_NONE;
  const double libpngNone = ReferenceSeconds("png-encode-none" + std::to_string(i),
                                             [&] { benchmark::DoNotOptimize(peer::LibpngWrite(pic, none).size()); });
  size_t bytes = 0;
  TVersus timer;
  for (auto _ : state) {
    Bytes out = EncodePng(pic);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  timer.Report(state, "speed_vs_libpng", libpng);
  timer.Report(state, "speed_vs_libpng_none", libpngNone);
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["libpng_bytes"] = static_cast<double>(peer::LibpngWrite(pic).size());
  state.SetItemsProcessed(state.iterations() * pic.Width() * pic.Height());
}

void BM_XyzDecode(benchmark::State& state) {
  const TBitmap& pic = Pictures()[0].bitmap;
  const Bytes file = EncodeXyz(pic);
  Bytes raw(768 + static_cast<size_t>(pic.Width()) * pic.Height());
  const double zlib = ReferenceSeconds("xyz-decode", [&] {
    uLongf n = raw.size();
    uncompress(raw.data(), &n, file.data() + 8, static_cast<uLong>(file.size() - 8));
    benchmark::DoNotOptimize(raw.data());
  });
  TVersus timer;
  for (auto _ : state) {
    TBitmap b;
    DecodeXyz(b, file.data(), file.size());
    benchmark::DoNotOptimize(b.Bits());
  }
  timer.Report(state, "speed_vs_zlib", zlib);
  state.SetItemsProcessed(state.iterations() * pic.Width() * pic.Height());
}

void BM_XyzEncode(benchmark::State& state) {
  const TBitmap& pic = Pictures()[0].bitmap;
  Bytes raw(768, 0);
  raw.insert(raw.end(), pic.Bits(), pic.Bits() + static_cast<size_t>(pic.Width()) * pic.Height());
  Bytes out(compressBound(static_cast<uLong>(raw.size())));
  const double zlib = ReferenceSeconds("xyz-encode", [&] {
    uLongf n = out.size();
    compress2(out.data(), &n, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  });
  TVersus timer;
  for (auto _ : state) benchmark::DoNotOptimize(EncodeXyz(pic).data());
  timer.Report(state, "speed_vs_zlib", zlib);
  state.SetItemsProcessed(state.iterations() * pic.Width() * pic.Height());
}

// Sheet drawing: the 480 x 256 tile sheet tiled over a 1920 x 1080 board.
enum TDrawMode { kOpaque, kTransparent, kHalfOpacity, kStretchTwice };

void BM_DrawSheet(benchmark::State& state) {
  const auto mode = static_cast<TDrawMode>(state.range(0));
  static const char* names[] = {"opaque", "transparent", "opacity 128", "stretched x2"};
  state.SetLabel(names[mode]);
  TCorvidSheet sheet;
  sheet.autoSize = true;
  sheet.LoadFromBitmap(Pictures()[0].bitmap);
  sheet.transparent = mode == kTransparent;
  sheet.opacity = mode == kHalfOpacity ? 128 : 255;
  TCorvidBoard board;
  board.SetSize(1920, 1080);
  const double fill = ReferenceSeconds("board-fill", [&] {
    board.Fill(0x1234);
    benchmark::DoNotOptimize(board.Bits());
  });
  TVersus timer;
  for (auto _ : state) {
    if (mode == kStretchTwice) {
      for (int y = 0; y < 1080; y += 256)
        for (int x = 0; x < 1920; x += 480) board.StretchSheet({x, y, x + 480, y + 256}, sheet, {0, 0, 240, 128});
    } else {
      for (int y = 0; y < 1080; y += 256)
        for (int x = 0; x < 1920; x += 480) board.DrawSheet(x, y, sheet.BoundsRect(), sheet);
    }
    benchmark::DoNotOptimize(board.Bits());
  }
  timer.Report(state, "speed_vs_fill", fill);
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

void BM_FillBoard(benchmark::State& state) {
  TCorvidBoard board;
  board.SetSize(1920, 1080);
  for (auto _ : state) {
    board.Fill(0x1234);
    benchmark::DoNotOptimize(board.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

}  // namespace

BENCHMARK(BM_PngDecode)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpngDecode)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PngEncode)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XyzDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XyzEncode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSheet)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillBoard)->Unit(benchmark::kMicrosecond);
