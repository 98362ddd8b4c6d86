// What checking the data costs, on the data built from the corpus under VESO_REAL_DATA_ROOT (or the
// data folder found from there): finding the folder and comparing the sizes, which start-up does,
// and comparing every checksum, which the lexicon's loader does after loading and
// veso-cli check-data on request.
#include "datafiles/data_integrity.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veso::datafiles;

void skip_without_data(benchmark::State& state, const data_integrity& data) {
    if (!data.location().found || !data.has_manifest()) {
        state.SkipWithError("no data with a manifest found from VESO_REAL_DATA_ROOT");
    }
}

void BM_find_and_compare_sizes(benchmark::State& state) {
    skip_without_data(state, data_integrity(locate_data_folder(VESO_REAL_DATA_ROOT)));
    for (auto _ : state) {
        data_integrity data(locate_data_folder(VESO_REAL_DATA_ROOT));
        benchmark::DoNotOptimize(data.damaged());
    }
}
BENCHMARK(BM_find_and_compare_sizes)->Unit(benchmark::kMicrosecond);

void BM_compare_checksums(benchmark::State& state) {
    const std::atomic<bool> never{false};
    std::uintmax_t bytes = 0;
    for (auto _ : state) {
        data_integrity data(locate_data_folder(VESO_REAL_DATA_ROOT));
        skip_without_data(state, data);
        benchmark::DoNotOptimize(data.verify_checksums(never));
        for (const auto& file : data.listed_files()) {
            bytes += file.size;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_compare_checksums)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
