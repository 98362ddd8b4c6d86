// The occurrence index on the data built from the corpus (under VESO_REAL_DATA_ROOT, or the
// folder that environment variable names): the article's occurrences, the vocabulary of the
// longest section, and opening a hit at the far end of the longest passage.
#include "colours/colour_table.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "occurrences/occurrence_data.h"
#include "occurrences/short_gloss.h"
#include "occurrences/vocabulary.h"
#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/headless_ui_services.h"
#include "views/textview.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#ifdef VESO_BENCH_WITH_QT
#include "platform/qt/qt_device_context.h"
#include "platform/qt/qt_fonts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#endif

namespace veso {
namespace {

namespace fs = std::filesystem;
using namespace veso::occurrences;

constexpr int page_width = 760;
constexpr int page_height = 1000;
constexpr std::size_t first_screen = 200;

struct bench_world {
    fs::path root;
    platform::headless_ui_services ui;
    std::unique_ptr<lexicon> lex;
    std::unique_ptr<occurrence_data> data;
    std::unique_ptr<mydoc> document;
    ColourTable colours;
#ifdef VESO_BENCH_WITH_QT
    std::unique_ptr<QGuiApplication> application;
    platform::qt_font_factory fonts;
#else
    platform::headless_font_factory fonts;
#endif
    std::unique_ptr<textview> text;
    double open_ms = 0;

    bench_world() {
#ifdef VESO_BENCH_WITH_QT
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "occurrences_bench";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
#endif
        const char* override_root = std::getenv("VESO_REAL_DATA_ROOT");
        root = override_root != nullptr ? override_root : VESO_REAL_DATA_ROOT;
        lex = std::make_unique<lexicon>(root / "data");
        lex->wait_until_loaded();
        document = std::make_unique<mydoc>(ui, lex.get(), root);
        data = std::make_unique<occurrence_data>(root / "data",
                                                 std::string(document->tables().fingerprint));
        const auto start = std::chrono::steady_clock::now();
        data->index();
        open_ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        text = std::make_unique<textview>(*document, *lex, colours, fonts);
        document->attach(nullptr, text.get(), nullptr);
    }

    // The leaf with the most tokens.
    std::size_t longest_leaf() const {
        const occurrence_index& index = *data->index();
        std::size_t best = 0;
        std::uint32_t most = 0;
        for (std::size_t l = 0; l < index.leaves().size(); ++l) {
            const std::uint32_t end = l + 1 < index.leaves().size()
                                          ? index.leaves()[l + 1].first_token
                                          : index.token_count();
            if (end - index.leaves()[l].first_token > most) {
                most = end - index.leaves()[l].first_token;
                best = l;
            }
        }
        return best;
    }
};

bench_world& world() {
    static bench_world instance;
    return instance;
}

bool usable(benchmark::State& state) {
    if (world().data->index() == nullptr) {
        state.SkipWithError("no occurrence index: build the data into VESO_REAL_DATA_ROOT/data");
        return false;
    }
    return true;
}

// The article: the hits, their totals and counts per author, the window's rows, and the lines
// of context of the first screenful.
void article_total_counts_and_first_200_hits(benchmark::State& state) {
    if (!usable(state)) {
        return;
    }
    bench_world& w = world();
    const occurrence_index& index = *w.data->index();
    const auto lemmas = index.find_lemmas(u"o(");
    for (auto _ : state) {
        const hit_list hits = find_hits(index, search_lemmas(index, lemmas));
        occurrence_list list(index, hits, w.data->places());
        std::size_t shown = 0;
        for (const auto& row : list.rows()) {
            if (row.kind == occurrence_list::row_kind::hit) {
                benchmark::DoNotOptimize(
                    keyword_in_context(w.data->text(), list.leaf_of(row), list.position_of(row)));
                if (++shown == first_screen) {
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(hits.likeliest_by_author);
        state.counters["hits"] = static_cast<double>(hits.all);
        state.counters["likeliest"] = static_cast<double>(hits.likeliest);
    }
    state.counters["index_open_ms"] = w.open_ms;
}
BENCHMARK(article_total_counts_and_first_200_hits)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Every hit of the article in the list, ready for scrolling, both filters applied once.
void article_whole_list_with_other_readings(benchmark::State& state) {
    if (!usable(state)) {
        return;
    }
    bench_world& w = world();
    const occurrence_index& index = *w.data->index();
    const auto lemmas = index.find_lemmas(u"o(");
    for (auto _ : state) {
        const hit_list hits = find_hits(index, search_lemmas(index, lemmas));
        occurrence_list list(index, hits, w.data->places());
        list.apply({0, true});
        benchmark::DoNotOptimize(list.rows().size());
        state.counters["rows"] = static_cast<double>(list.rows().size());
    }
}
BENCHMARK(article_whole_list_with_other_readings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The vocabulary of the longest section, glosses included, sorted by frequency in the author.
void vocabulary_of_the_longest_section(benchmark::State& state) {
    if (!usable(state)) {
        return;
    }
    bench_world& w = world();
    const occurrence_index& index = *w.data->index();
    const std::size_t leaf = w.longest_leaf();
    for (auto _ : state) {
        const vocabulary_list list(index, leaf, w.lex->greek_converter());
        const auto rows =
            list.rows(vocabulary_order::author_frequency, 200, [&](const wide_string& lemma) {
                return short_gloss(w.lex->stored_definition_of(lemma), w.lex->greek_converter());
            });
        benchmark::DoNotOptimize(rows.size());
        state.counters["tokens"] = static_cast<double>(list.tokens());
        state.counters["lemmas"] = static_cast<double>(list.all_rows().size());
    }
    state.counters["id"] = index.leaves()[leaf].id;
}
BENCHMARK(vocabulary_of_the_longest_section)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Opening a hit: the passage loaded, the pages of its section laid out up to the one that
// holds the hit, that page painted with the word marked. Arg 0: the last token of the longest
// section, the farthest page there is; 1: a hit in the Iliad's first book; 2: the last word of
// the Agamemnon; 3: as 0, but with fonts that have measured no word yet, as on the first open of
// a session.
void open_hit(benchmark::State& state) {
    if (!usable(state)) {
        return;
    }
    bench_world& w = world();
    const occurrence_index& index = *w.data->index();
    std::size_t leaf = w.longest_leaf();
    std::uint32_t token = (leaf + 1 < index.leaves().size() ? index.leaves()[leaf + 1].first_token
                                                            : index.token_count()) -
                          1;
    const bool first_of_session = state.range(0) == 3;
    if (state.range(0) == 1) {
        leaf = *index.leaf_with_id(40519);
        token = index.leaves()[leaf].first_token + 3000;
    } else if (state.range(0) == 2) {
        leaf = *index.leaf_with_id(40043);
        token = index.leaves()[leaf + 1].first_token - 1;
    }
    const std::int32_t id = index.leaves()[leaf].id;
    const std::int32_t position = index.position_of(token);
#ifdef VESO_BENCH_WITH_QT
    QImage image(page_width, page_height, QImage::Format_RGB32);
    QPainter painter(&image);
    platform::qt_device_context dc(painter, QRect(0, 0, page_width, page_height));
#else
    platform::headless_device_context dc;
#endif
    std::size_t pages = 0;
    std::unique_ptr<decltype(w.fonts)> fresh_fonts;
    std::unique_ptr<textview> fresh_view;
    for (auto _ : state) {
        textview* text = w.text.get();
        if (first_of_session) {
            state.PauseTiming();
            fresh_view.reset();
            fresh_fonts = std::make_unique<decltype(w.fonts)>();
            fresh_view = std::make_unique<textview>(*w.document, *w.lex, w.colours, *fresh_fonts);
            w.document->attach(nullptr, fresh_view.get(), nullptr);
            text = fresh_view.get();
            state.ResumeTiming();
        }
        w.document->select_passage(id);
        text->show_page_containing(position);
        text->mark_word(position);
        text->paint(dc, {page_width, page_height});
        pages = w.document->page_starts.size();
        benchmark::DoNotOptimize(text->marked_word());
    }
    w.document->attach(nullptr, w.text.get(), nullptr);
    state.counters["id"] = id;
    state.counters["page"] = static_cast<double>(pages);
}
BENCHMARK(open_hit)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace veso

BENCHMARK_MAIN();
