// Open DATA File and Save DATA File of a full data file (every key of the
// eleven categories plus 200 unknown keys), each beside the same work done
// with one profile read or one profile write per key, as the platform's own
// profile functions do it; and the store's CountPending and SetValue.
#include <benchmark/benchmark.h>

#include <string>

#include "FullDataFile.h"
#include "datafile/DataFile.h"
#include "datafile/DataFileName.h"
#include "datafile/Profile.h"
#include "model/ParameterStore.h"

namespace ostrin {
namespace {

void BM_OpenDataFile(benchmark::State& state) {
  const FullDataFile& file = fullFile();
  for (auto _ : state) OpenDataFile(file.path);
  state.counters["keys"] = static_cast<double>(file.entries.size());
}
BENCHMARK(BM_OpenDataFile)->Unit(benchmark::kMillisecond);

void BM_OpenOneProfileReadPerKey(benchmark::State& state) {
  const FullDataFile& file = fullFile();
  SetCurrentDataFileName(file.path);
  for (auto _ : state) {
    for (const auto& entry : file.entries) {
      benchmark::DoNotOptimize(ReadProfileText(entry.section, entry.key, ""));
    }
  }
}
BENCHMARK(BM_OpenOneProfileReadPerKey)->Unit(benchmark::kMillisecond);

void BM_SaveDataFile(benchmark::State& state) {
  const FullDataFile& file = fullFile();
  SetDataFileSync(false);
  for (auto _ : state) SaveDataFile(file.path, nullptr);
}
BENCHMARK(BM_SaveDataFile)->Unit(benchmark::kMillisecond);

void BM_SaveOneProfileWritePerKey(benchmark::State& state) {
  const FullDataFile& file = fullFile();
  SetDataFileSync(false);
  SetCurrentDataFileName(file.path);
  for (auto _ : state) {
    for (const auto& entry : file.entries) WriteProfileText(entry.section, entry.key, entry.value);
  }
}
BENCHMARK(BM_SaveOneProfileWritePerKey)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CountPending(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(CountPending());
}
BENCHMARK(BM_CountPending);

void BM_SetValue(benchmark::State& state) {
  int value = 0;
  for (auto _ : state) SetValue(1019, ++value);
}
BENCHMARK(BM_SetValue);

}  // namespace
}  // namespace ostrin

BENCHMARK_MAIN();
