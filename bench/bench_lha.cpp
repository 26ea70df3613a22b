// -lh5- compression of 10 MB of mixed game data (script text, indexed pictures, database records,
// already compressed audio), in MB/s and as a ratio of sizes, against zlib at its default level on
// the same bytes (the reference).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <string>

#include "BenchReference.h"
#include "core/Lh5Codec.h"

using namespace tess;

namespace {

const Bytes& MixedData() {
  static const Bytes data = [] {
    Bytes b;
    std::mt19937 rng(1);
    // 4 MB of text made of words.
    static const char* words[] = {"hero ",   "slime ",  "potion ", "the ",    "castle ", "Map0001 ", "\r\n",
                                  "switch ", "[0012] ", "event ",  "battle ", "of ",     "and ",     "gold "};
    while (b.size() < 4u << 20) {
      const char* w = words[rng() % 14];
      b.insert(b.end(), w, w + std::strlen(w));
    }
    // 3 MB of 8-bit indexed tile pictures: runs of one colour, repeated rows, some noise.
    for (int sheet = 0; b.size() < 7u << 20; ++sheet)
      for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
          const int tile = (x / 16 + y / 16 * 30 + sheet) % 23;
          b.push_back(static_cast<uint8_t>((tile * 7 + (x % 16 == 0 ? 1 : 0) + ((x ^ y) & 3) * (tile % 3)) & 0xFF));
        }
    // 1 MB of database records: small numbers and names.
    for (uint32_t i = 0; b.size() < 8u << 20; ++i) {
      const std::string name = "Item" + std::to_string(i % 5000);
      b.push_back(0x01);
      b.push_back(static_cast<uint8_t>(name.size()));
      b.insert(b.end(), name.begin(), name.end());
      for (int k = 0; k < 12; ++k) b.push_back(static_cast<uint8_t>((i * 37 + k * 11) % (k < 6 ? 100 : 7)));
      b.push_back(0);
    }
    // 2 MB already compressed (music and sound in mp3): random bytes.
    while (b.size() < 10u << 20) b.push_back(static_cast<uint8_t>(rng()));
    b.resize(10u << 20);
    return b;
  }();
  return data;
}

double ZlibSeconds(const Bytes& src, uLongf* packedSize) {
  Bytes out(compressBound(src.size()));
  return bench::MeasureSeconds(
      [&] {
        *packedSize = out.size();
        compress2(out.data(), packedSize, src.data(), src.size(), Z_DEFAULT_COMPRESSION);
        benchmark::DoNotOptimize(out.data());
      },
      3);
}

void BM_Lh5Compress(benchmark::State& state) {
  const Bytes& src = MixedData();
  uLongf zlibSize = 0;
  const double zlibSeconds = ZlibSeconds(src, &zlibSize);
  size_t packed = 0;
  bench::TRatioTimer timer;
  for (auto _ : state) {
    Bytes out = Lh5Compress(src.data(), src.size());
    packed = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_zlib", zlibSeconds);
  state.counters["ratio"] = static_cast<double>(packed) / src.size();
  state.counters["ratio_zlib"] = static_cast<double>(zlibSize) / src.size();
}

void BM_Lh5Decompress(benchmark::State& state) {
  const Bytes& src = MixedData();
  const Bytes packed = Lh5Compress(src.data(), src.size());
  Bytes z(compressBound(src.size()));
  uLongf zSize = z.size();
  compress2(z.data(), &zSize, src.data(), src.size(), Z_DEFAULT_COMPRESSION);
  Bytes back(src.size());
  const double zlibSeconds = bench::MeasureSeconds(
      [&] {
        uLongf n = back.size();
        uncompress(back.data(), &n, z.data(), zSize);
        benchmark::DoNotOptimize(back.data());
      },
      5);
  bench::TRatioTimer timer;
  for (auto _ : state) {
    Bytes out = Lh5Decompress(packed.data(), packed.size(), src.size(), src.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_zlib", zlibSeconds);
}

}  // namespace

BENCHMARK(BM_Lh5Compress)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Lh5Decompress)->Unit(benchmark::kMillisecond)->Iterations(3);
