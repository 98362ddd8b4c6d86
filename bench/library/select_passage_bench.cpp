// select_passage of the largest work in the passage table: on the data built from the corpus when
// it is present under VESO_REAL_DATA_ROOT, else on a synthetic data folder of the same size.
#include "datafiles/data_integrity.h"
#include "library/mydoc.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace veso {
namespace {

namespace fs = std::filesystem;

class quiet_ui : public platform::ui_services {
public:
    void message_box(std::u16string_view, std::u16string_view) override { ++messages; }
    std::optional<std::u16string> run_text_dialog(platform::text_dialog) override {
        return std::nullopt;
    }
    std::optional<platform::colour_ref> choose_colour(platform::colour_ref) override {
        return std::nullopt;
    }
    void post_to_ui(std::function<void()> call) override { call(); }
    int messages = 0;
};

void write_utf16le(const fs::path& path, const std::u16string& units) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// A data folder holding one prose work as long as the longest in the table (1,383,166 units,
// 357 sections from a table) and a poem of 24 books of 500 lines with a marker every fifth line.
struct synthetic_data {
    fs::path root;
    std::vector<passage_row> rows;
    std::vector<std::int32_t> starts;
    std::vector<section_start_table> tables;

    synthetic_data() {
        root = fs::temp_directory_path() / ("veso-library-bench-" + std::to_string(::getpid()));
        fs::create_directories(root / "data");
        const std::u16string line = u"καὶ ὁ μὲν ταῦτα εἶπεν, οἱ δὲ Ἀθηναῖοι ἐψηφίσαντο πολεμεῖν\r";
        std::u16string prose;
        constexpr std::size_t prose_units = 1'383'166;
        for (int s = 0; prose.size() < prose_units; ++s) {
            if (s < 357 && prose.size() >= static_cast<std::size_t>(s) * (prose_units / 357)) {
                starts.push_back(static_cast<std::int32_t>(prose.size()));
                prose += u"[" + std::u16string(1, u'1') + u"] ";
            }
            prose += line;
        }
        prose.resize(prose_units);
        std::u16string poem;
        for (int s = 0; s < 24; ++s) {
            for (int l = 1; l <= 500; ++l) {
                poem += line;
                if (l % 5 == 0) {
                    const std::string number = std::to_string(l);
                    poem.insert(poem.size() - 1,
                                u" [" + std::u16string(number.begin(), number.end()) + u"]");
                }
            }
        }
        write_utf16le(root / "data" / "t.dat", prose + poem);
        std::ofstream(root / "data" / "tables.fingerprint") << "bench";
        for (int s = 0; s <= 356; ++s) {
            rows.push_back(
                {1000 + s, {23, 0, 0, static_cast<std::int32_t>(prose.size() * 2), s, 356}});
        }
        for (int s = 0; s <= 23; ++s) {
            rows.push_back({2000 + s,
                            {17, 0, static_cast<std::int32_t>(prose.size() * 2),
                             static_cast<std::int32_t>(poem.size() * 2), s, 23}});
        }
        tables.push_back({23, -1, starts});
    }
    ~synthetic_data() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    document_tables document() const { return {rows, tables, 0, 0, "bench"}; }
};

// The row with the longest passage, and its work's middle section.
std::int32_t largest_work_id(const mydoc& doc) {
    const auto rows = doc.tables().rows;
    const auto largest =
        std::max_element(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return a.location.byte_length < b.location.byte_length;
        });
    return largest == rows.end() ? 0 : largest->id;
}

struct bench_document {
    quiet_ui ui;
    std::optional<synthetic_data> synthetic;
    std::unique_ptr<mydoc> doc;
    bool real = false;

    bench_document() {
        // The data folder as the program finds it, starting from the real-data folder.
        doc = std::make_unique<mydoc>(ui, nullptr,
                                      std::make_shared<datafiles::data_integrity>(
                                          datafiles::locate_data_folder(VESO_REAL_DATA_ROOT)));
        doc->select_passage(largest_work_id(*doc));
        real = !doc->loading && ui.messages == 0;
        if (!real) {
            synthetic.emplace();
            doc = std::make_unique<mydoc>(ui, nullptr, synthetic->root);
            doc->use_tables(synthetic->document());
        }
    }
};

bench_document& shared_document() {
    static bench_document document;
    return document;
}

void run(benchmark::State& state, std::int32_t id) {
    auto& b = shared_document();
    for (auto _ : state) {
        b.doc->select_passage(id);
        benchmark::DoNotOptimize(b.doc->text.data());
    }
    state.SetLabel(b.real ? "real data" : "synthetic data");
    state.counters["units"] = b.doc->text_length;
    state.counters["sections"] = b.doc->section_count + 1;
}

void BM_SelectPassageLargestWork(benchmark::State& state) {
    auto& b = shared_document();
    run(state, largest_work_id(*b.doc));
}
BENCHMARK(BM_SelectPassageLargestWork)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The Iliad's sections are found by scanning for markers.
void BM_SelectPassageScannedPoem(benchmark::State& state) {
    auto& b = shared_document();
    run(state, b.real ? 40519 + 5 : 2005);
}
BENCHMARK(BM_SelectPassageScannedPoem)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace veso
