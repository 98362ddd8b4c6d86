// Loading and look-up times of the lexicon on a synthetic lexicon of realistic size.
// The data is written once into $VESO_BENCH_DATA (default: a folder in the temporary directory).
#include "lexicon/lexicon.h"
#include "synthetic_lexicon.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

using veso::lexicon;

const veso::bench::synthetic_sizes sizes;

std::filesystem::path data_folder() {
    static const std::filesystem::path folder = [] {
        const char* chosen = std::getenv("VESO_BENCH_DATA");
        std::filesystem::path path =
            chosen ? std::filesystem::path(chosen)
                   : std::filesystem::temp_directory_path() / "veso-bench-lexicon";
        if (!std::filesystem::exists(path / "m_a.dat")) {
            veso::bench::write_synthetic_lexicon(path, sizes);
        }
        return path;
    }();
    return folder;
}

const veso::bench::synthetic_samples& samples() {
    static const auto result = veso::bench::synthetic_lexicon_samples(sizes, 1000);
    return result;
}

lexicon& loaded() {
    static lexicon* instance = [] {
        auto* made = new lexicon(data_folder());
        made->wait_until_loaded();
        return made;
    }();
    return *instance;
}

double peak_rss_mb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void load(benchmark::State& state) {
    data_folder();
    double ready = 0;
    double finished = 0;
    for (auto _ : state) {
        lexicon lex(data_folder());
        lex.wait_until_loaded();
        ready += lex.morphology_ready_ms();
        finished += lex.loaded_ms();
        state.counters["morphology"] = static_cast<double>(lex.morphology_size());
        state.counters["dictionary"] = static_cast<double>(lex.dictionary_size());
        state.counters["index"] = static_cast<double>(lex.alphabetical_index_size());
    }
    auto runs = static_cast<double>(state.iterations());
    state.counters["morphology_ready_ms"] = ready / runs;
    state.counters["loaded_ms"] = finished / runs;
    state.counters["peak_rss_mb"] = peak_rss_mb();
}
BENCHMARK(load)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Each call is also timed on its own: the "median_us" counter is the median call, which a few
// calls slowed by the rest of the machine do not move, unlike the mean that Time shows. Calls of
// a fraction of a microsecond skip it, as reading the clock would cost as much as the call.
template <class Look> void over_samples(benchmark::State& state, Look look, bool each = true) {
    lexicon& lex = loaded();
    samples(); // made before timing starts, so no benchmark's first iteration pays for it
    std::vector<double> calls;
    std::size_t i = 0;
    for (auto _ : state) {
        if (!each) {
            look(lex, i++ % 1000);
            continue;
        }
        auto start = std::chrono::steady_clock::now();
        look(lex, i++ % 1000);
        calls.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    if (!calls.empty()) {
        auto middle = calls.begin() + static_cast<std::ptrdiff_t>(calls.size() / 2);
        std::nth_element(calls.begin(), middle, calls.end());
        state.counters["median_us"] = *middle;
    }
}

void analyse_word(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.analyse_word(samples().known_words[i], true));
    });
}
BENCHMARK(analyse_word)->Unit(benchmark::kMicrosecond);

void analysis_of(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.analysis_of(samples().known_words[i]));
    });
}
BENCHMARK(analysis_of)->Unit(benchmark::kMicrosecond);

void analysis_of_unknown(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.analysis_of(samples().unknown_words[i]));
    });
}
BENCHMARK(analysis_of_unknown)->Unit(benchmark::kMicrosecond);

void morphology_neighbours(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.morphology_neighbours(samples().unknown_words[i]));
    });
}
BENCHMARK(morphology_neighbours)->Unit(benchmark::kMicrosecond);

void short_definition_of(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.short_definition_of(samples().headwords[i]));
    });
}
BENCHMARK(short_definition_of)->Unit(benchmark::kMicrosecond);

void definition_of(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.definition_of(samples().headwords[i]));
    });
}
BENCHMARK(definition_of)->Unit(benchmark::kMicrosecond);

void dictionary_neighbours(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        benchmark::DoNotOptimize(lex.dictionary_neighbours(samples().unknown_words[i]));
    });
}
BENCHMARK(dictionary_neighbours)->Unit(benchmark::kMicrosecond);

void open_dictionary_page(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        lex.open_dictionary_page(samples().headwords[i]);
        benchmark::DoNotOptimize(lex.dictionary_page.data());
    });
}
BENCHMARK(open_dictionary_page)->Unit(benchmark::kMicrosecond);

void next_dictionary_page(benchmark::State& state) {
    over_samples(state, [](lexicon& lex, std::size_t i) {
        if (i == 0) {
            lex.open_dictionary_page(samples().headwords[0]);
        }
        lex.next_dictionary_page();
        benchmark::DoNotOptimize(lex.dictionary_page.data());
    });
}
BENCHMARK(next_dictionary_page)->Unit(benchmark::kMicrosecond);

void to_unicode(benchmark::State& state) {
    over_samples(
        state,
        [](lexicon& lex, std::size_t i) {
            benchmark::DoNotOptimize(
                lex.greek_converter().to_unicode(samples().known_words[i] + u" "));
        },
        false);
}
BENCHMARK(to_unicode)->Unit(benchmark::kMicrosecond);

void to_betacode(benchmark::State& state) {
    static const std::vector<std::u16string> greek = [] {
        std::vector<std::u16string> result;
        for (const auto& word : samples().known_words) {
            result.push_back(loaded().greek_converter().to_unicode(word + u" "));
        }
        return result;
    }();
    over_samples(
        state,
        [](lexicon& lex, std::size_t i) {
            benchmark::DoNotOptimize(lex.greek_converter().to_betacode(greek[i]));
        },
        false);
}
BENCHMARK(to_betacode)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
