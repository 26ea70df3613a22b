// Decoding and encoding a large catalog (5,000 records of about 30 fields), in MB/s and as a ratio
// (x_copy) against copying the same bytes in memory.
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchReference.h"
#include "core/Catalog.h"

using namespace tess;

namespace {

class TBenchItem : public TCatalogItem {
 public:
  int32_t ints[20] = {};
  uint8_t flags[4] = {};
  std::string texts[3];
  std::vector<int16_t> ranks;
  void DescribeChunks(TCatalogVarData& v) override {
    v.String(1, name);
    for (int i = 0; i < 20; ++i) v.Integer(2 + i, ints[i], 0);
    for (int i = 0; i < 4; ++i) v.Flag(30 + i, flags[i], 0);
    for (int i = 0; i < 3; ++i) v.String(40 + i, texts[i]);
    v.Array(50, ranks);
  }
};

class TBenchList : public TCatalogOf<TBenchItem> {
 public:
  TBenchList() : TCatalogOf("Event script referenced an item that does not exist.") {}
};

Bytes MakeCatalog() {
  TBenchList list;
  list.SetCount(5000);
  for (int i = 0; i < 5000; ++i) {
    TBenchItem* item = list.ItemAt(i);
    item->name = "Item number " + std::to_string(i);
    for (int k = 0; k < 20; ++k) item->ints[k] = (i * 37 + k * 1001) % 5000 - (k == 3 ? 100 : 0);
    for (int k = 0; k < 4; ++k) item->flags[k] = (i + k) % 2;
    item->texts[0] = "A description of the item that is long enough to matter.";
    item->texts[2] = "Hit";
    item->ranks.assign(20, static_cast<int16_t>(i % 5));
  }
  Bytes out;
  list.SaveTo(out);
  return out;
}

const Bytes& Encoded() {
  static const Bytes bytes = MakeCatalog();
  return bytes;
}

void BM_DecodeCatalog(benchmark::State& state) {
  const Bytes& src = Encoded();
  bench::TRatioTimer timer;
  for (auto _ : state) {
    TBenchList list;
    TByteReader r(src.data(), src.size());
    list.LoadFrom(r);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

void BM_EncodeCatalog(benchmark::State& state) {
  const Bytes& src = Encoded();
  TBenchList list;
  TByteReader r(src.data(), src.size());
  list.LoadFrom(r);
  Bytes out;
  out.reserve(src.size());
  bench::TRatioTimer timer;
  for (auto _ : state) {
    out.clear();
    list.SaveTo(out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
  timer.Report(state, "x_copy", bench::CopySeconds(src.size()));
}

}  // namespace

BENCHMARK(BM_DecodeCatalog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeCatalog)->Unit(benchmark::kMillisecond);
