// Picture codecs and sheet drawing, each against a reference measured in the same run:
//  - PNG decoding and encoding from memory against libpng (same zlib) on the same pictures;
//  - XYZ decoding and encoding against raw zlib on the same buffer;
//  - sheet drawing onto a 1920 x 1080 board against filling the same board.
// Counters "x_..." are our time / the reference's time: below 1 we are faster. Both sides are the
// best of several single calls in thread CPU time, so a busy machine favours neither.
#include <benchmark/benchmark.h>
#include <time.h>
#include <zlib.h>

#include <functional>
#include <map>

#include "BenchReference.h"
#include "media/CorvidPng.h"
#include "media/CorvidSheet.h"
#include "media/CorvidXyz.h"
#include "media/LibpngPeer.h"
#include "media/MediaTestUtil.h"

using namespace tess;

namespace {

// CPU seconds of one call of work, the best of several: unlike wall time it does not count the
// time other programs on a busy machine take from this one.
double BestCpuSeconds(const std::function<void()>& work, int rounds = 15) {
  double best = 1e30;
  for (int i = 0; i < rounds; ++i) {
    const double start = bench::ThreadCpuSeconds();
    work();
    best = std::min(best, bench::ThreadCpuSeconds() - start);
  }
  return best;
}

// Our time / the reference's, measured once per key (the benchmark body runs several times).
double Ratio(const std::string& key, const std::function<void()>& ours, const std::function<void()>& reference) {
  static std::map<std::string, double> cache;
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  ours();  // warm up both
  reference();
  return cache[key] = BestCpuSeconds(ours) / BestCpuSeconds(reference);
}

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

void Pixels(benchmark::State& state, const TBitmap& b) {
  state.SetItemsProcessed(state.iterations() * b.Width() * b.Height());
}

void BM_PngDecode(benchmark::State& state) {
  const size_t i = static_cast<size_t>(state.range(0));
  const TBitmap& pic = Pictures()[i].bitmap;
  const Bytes file = peer::LibpngWrite(pic);  // libpng's own filter choice
  state.SetLabel(Pictures()[i].name);
  auto ours = [&] {
    TBitmap b;
    DecodePng(b, file.data(), file.size());
    benchmark::DoNotOptimize(b.Bits());
  };
  auto libpng = [&] {
    TBitmap b;
    peer::LibpngRead(file, b);
    benchmark::DoNotOptimize(b.Bits());
  };
  state.counters["x_libpng"] = Ratio("png-decode" + std::to_string(i), ours, libpng);
  for (auto _ : state) ours();
  Pixels(state, pic);
}

// Against libpng with its default filter choice, and against libpng held to filter None, which is
// the same work as ours.
void BM_PngEncode(benchmark::State& state) {
  const size_t i = static_cast<size_t>(state.range(0));
  const TBitmap& pic = Pictures()[i].bitmap;
  state.SetLabel(Pictures()[i].name);
  peer::TLibpngWrite none;
  none.filters = PNG_FILTER_NONE;
  auto ours = [&] { benchmark::DoNotOptimize(EncodePng(pic).data()); };
  state.counters["x_libpng"] =
      Ratio("png-encode" + std::to_string(i), ours, [&] { benchmark::DoNotOptimize(peer::LibpngWrite(pic).data()); });
  state.counters["x_libpng_none"] = Ratio("png-encode-none" + std::to_string(i), ours,
                                          [&] { benchmark::DoNotOptimize(peer::LibpngWrite(pic, none).data()); });
  state.counters["kB"] = static_cast<double>(EncodePng(pic).size()) / 1000;
  state.counters["kB_libpng"] = static_cast<double>(peer::LibpngWrite(pic).size()) / 1000;
  for (auto _ : state) ours();
  Pixels(state, pic);
}

void BM_XyzDecode(benchmark::State& state) {
  const TBitmap& pic = Pictures()[0].bitmap;
  const Bytes file = EncodeXyz(pic);
  Bytes raw(768 + static_cast<size_t>(pic.Width()) * pic.Height());
  auto ours = [&] {
    TBitmap b;
    DecodeXyz(b, file.data(), file.size());
    benchmark::DoNotOptimize(b.Bits());
  };
  state.counters["x_zlib"] = Ratio("xyz-decode", ours, [&] {
    uLongf n = raw.size();
    uncompress(raw.data(), &n, file.data() + 8, static_cast<uLong>(file.size() - 8));
    benchmark::DoNotOptimize(raw.data());
  });
  for (auto _ : state) ours();
  Pixels(state, pic);
}

void BM_XyzEncode(benchmark::State& state) {
  const TBitmap& pic = Pictures()[0].bitmap;
  Bytes raw(768, 0);
  raw.insert(raw.end(), pic.Bits(), pic.Bits() + static_cast<size_t>(pic.Width()) * pic.Height());
  Bytes out(compressBound(static_cast<uLong>(raw.size())));
  auto ours = [&] { benchmark::DoNotOptimize(EncodeXyz(pic).data()); };
  state.counters["x_zlib"] = Ratio("xyz-encode", ours, [&] {
    uLongf n = out.size();
    compress2(out.data(), &n, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  });
  for (auto _ : state) ours();
  Pixels(state, pic);
}

// The 480 x 256 tile sheet tiled over a 1920 x 1080 board, in megapixels per second.
enum TDrawMode { kOpaque, kTransparent, kHalfOpacity, kStretchTwice };

void BM_DrawSheet(benchmark::State& state) {
  const auto mode = static_cast<TDrawMode>(state.range(0));
  static const char* names[] = {"opaque", "transparent", "opacity_128", "stretched_x2"};
  state.SetLabel(names[mode]);
  TCorvidSheet sheet;
  sheet.autoSize = true;
  sheet.LoadFromBitmap(Pictures()[0].bitmap);
  sheet.transparent = mode == kTransparent;
  sheet.opacity = mode == kHalfOpacity ? 128 : 255;
  TCorvidBoard board;
  board.SetSize(1920, 1080);
  auto ours = [&] {
    for (int y = 0; y < 1080; y += 256)
      for (int x = 0; x < 1920; x += 480)
        if (mode == kStretchTwice)
          board.StretchSheet({x, y, x + 480, y + 256}, sheet, {0, 0, 240, 128});
        else
          board.DrawSheet(x, y, sheet.BoundsRect(), sheet);
    benchmark::DoNotOptimize(board.Bits());
  };
  state.counters["x_fill"] = Ratio(std::string("draw-") + names[mode], ours, [&] {
    board.Fill(0x1234);
    benchmark::DoNotOptimize(board.Bits());
  });
  for (auto _ : state) ours();
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

}  // namespace

BENCHMARK(BM_PngDecode)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PngEncode)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XyzDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XyzEncode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawSheet)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
