// The reading views on the Iliad, Book 1, from the data built from the corpus when it is present
// under VESO_REAL_DATA_ROOT (else on a synthetic text and lexicon of similar shape), painted with
// the real font on an offscreen image when the Qt layer is built, else on the headless context.
#include "colours/colour_table.h"
#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/headless_ui_services.h"
#include "views/dictionary_view.h"
#include "views/lookupview.h"
#include "views/page_status.h"
#include "views/textview.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
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

constexpr int page_width = 760;
constexpr int page_height = 1000;
constexpr int dictionary_width = 676;
constexpr int dictionary_height = 516;
constexpr std::int32_t iliad_book_1 = 40519;

// Greek-looking Beta Code words for the synthetic text and lexicon.
std::string synthetic_word(std::mt19937& random) {
    static const std::string letters = "abgdezhqiklmncoprstufxyw";
    std::string word;
    const int length = 3 + static_cast<int>(random() % 7);
    for (int i = 0; i < length; ++i)
        word.push_back(letters[random() % letters.size()]);
    return word;
}

struct bench_world {
    platform::headless_ui_services ui;
    fs::path root;
    bool temporary = false;
    std::unique_ptr<lexicon> lex;
    std::unique_ptr<mydoc> document;
    ColourTable colours;
#ifdef VESO_BENCH_WITH_QT
    std::unique_ptr<QGuiApplication> application;
    platform::qt_font_factory fonts;
#else
    platform::headless_font_factory fonts;
#endif
    std::unique_ptr<textview> text;
    std::unique_ptr<lookupview> lookup;

    bench_world() {
        for (std::size_t i = 0; i < colour_category_count; ++i) {
            const auto category = static_cast<ColourCategory>(i);
            colours.set_colour(category,
                               platform::make_colour(static_cast<std::uint8_t>(10 * i), 40, 120));
        }
#ifdef VESO_BENCH_WITH_QT
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "views_bench";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
#endif
        const char* override_root = std::getenv("VESO_REAL_DATA_ROOT");
        const fs::path real = override_root != nullptr ? override_root : VESO_REAL_DATA_ROOT;
        // The data folder as the program finds it, starting from the real-data folder.
        auto data =
            std::make_shared<datafiles::data_integrity>(datafiles::locate_data_folder(real));
        if (data->location().found && fs::exists(data->folder() / "m.dat")) {
            lex = std::make_unique<lexicon>(data);
            wait();
            document = std::make_unique<mydoc>(ui, lex.get(), data);
            document->select_passage(iliad_book_1);
        } else {
            make_synthetic();
        }
        text = std::make_unique<textview>(*document, *lex, colours, fonts);
        lookup = std::make_unique<lookupview>(*document, *lex, *text, fonts);
        text->set_lookup_view(lookup.get());
    }
    ~bench_world() {
        lookup.reset();
        text.reset();
        document.reset();
        lex.reset();
        if (temporary) {
            std::error_code ignored;
            fs::remove_all(root, ignored);
        }
    }

    void wait() {
        while (!lex->loading_finished())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    // 60,000 word forms with two analyses each, a dictionary entry per lemma, and a text of
    // 3,000 of the forms in lines of about 60 characters.
    void make_synthetic() {
        temporary = true;
        root = fs::temp_directory_path() / ("veso-views-bench-" + std::to_string(::getpid()));
        fs::create_directories(root / "data");
        std::mt19937 random(7);
        std::vector<std::string> forms;
        std::ofstream morphology(root / "data" / "m.dat", std::ios::binary);
        std::ofstream dictionary(root / "data" / "d.dat", std::ios::binary);
        std::ofstream frequencies(root / "data" / "o.dat", std::ios::binary);
        for (int i = 0; i < 60'000; ++i) {
            const std::string form = synthetic_word(random);
            const std::string lemma = form.substr(0, 3) + "os";
            forms.push_back(form);
            morphology << form << '\x02' << "N " << lemma << " masc nom sg\t" << '\x03' << "V "
                       << lemma << " pres ind act 3rd sg\t" << '\x01';
            dictionary << lemma << '\x01' << "[" << lemma << "] <I>a word<N> that means "
                       << std::string(200, 'x') << " in <G>" << lemma << "</G> use " << '\0';
            frequencies << lemma << '\x02' << (i % 400) << ',' << (i % 7) << '\x01';
        }
        morphology.close();
        dictionary.close();
        frequencies.close();
        lex = std::make_unique<lexicon>(root / "data");
        wait();
        document = std::make_unique<mydoc>(ui, lex.get(), root);
        std::u16string body;
        betaconverter converter;
        for (int i = 0; i < 3'000; ++i) {
            const std::string& form = forms[static_cast<std::size_t>(i) * 13 % forms.size()];
            body += converter.to_unicode(std::u16string(form.begin(), form.end()) + u" ");
            if (i % 9 == 8)
                body.back() = u'\r';
        }
        std::copy(body.begin(), body.end(), document->text.begin());
        document->text_length = static_cast<std::int32_t>(body.size()) + 200;
        document->section_end = document->text_length;
    }
};

bench_world& world() {
    static bench_world instance;
    return instance;
}

// Runs body with a device context for a page-sized surface.
template <typename Body>
void with_context(Body&& body, int width = page_width, int height = page_height) {
#ifdef VESO_BENCH_WITH_QT
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    platform::qt_device_context dc(painter, QRect(0, 0, width, height));
    body(dc);
#else
    platform::headless_device_context dc;
    dc.set_clip_box({0, 0, width, height});
    body(dc);
#endif
}

void page_layout_and_paint_case_colours(benchmark::State& state) {
    bench_world& w = world();
    w.text->colour_by_case = true;
    with_context([&](platform::device_context& dc) {
        for (auto _ : state) {
            w.text->paint(dc, {page_width, page_height});
            benchmark::DoNotOptimize(w.document->next_page_start);
        }
    });
    state.counters["words"] = static_cast<double>(w.text->word_keys().size());
}
BENCHMARK(page_layout_and_paint_case_colours)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void click_to_lookup_filled(benchmark::State& state) {
    bench_world& w = world();
    with_context([&](platform::device_context& dc) {
        w.text->paint(dc, {page_width, page_height});
        const std::size_t words = w.text->word_keys().size();
        std::size_t i = 0;
        for (auto _ : state) {
            const std::size_t k = (i++ * 7) % words;
            w.text->click(w.text->word_lefts()[k] + 2, w.text->word_tops()[k] + 2);
            w.lookup->paint(dc, {400, page_height});
            benchmark::DoNotOptimize(w.lookup->definitions.size());
        }
    });
}
BENCHMARK(click_to_lookup_filled)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The status bar's text, worked out after each page turn: the lines of the page and of the book.
void page_status_of_the_page(benchmark::State& state) {
    bench_world& w = world();
    with_context([&](platform::device_context& dc) {
        w.text->paint(dc, {page_width, page_height});
        for (auto _ : state) {
            const wide_string status = page_status_text(*w.document);
            benchmark::DoNotOptimize(status.data());
        }
    });
}
BENCHMARK(page_status_of_the_page)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

// A dictionary window without a screen: a fixed rectangle, scroll requests dropped.
class still_surface final : public dictionary_surface {
public:
    platform::rect window_rect() const override {
        return {0, 0, dictionary_width, dictionary_height};
    }
    void move_window(const platform::rect&) override {}
    void set_scroll_range(int, int) override {}
    void set_scroll_position(int) override {}
    void scroll_contents(int) override {}
    void invalidate(bool) override {}
    void destroy_window() override {}
};

class bench_host final : public dictionary_window_host {
public:
    bench_host(lexicon& lex, platform::font_factory& fonts, platform::ui_services& ui)
        : view(lex, fonts, nullptr, ui) {}
    void destroy_dictionary_window() override { view.attach(nullptr); }
    dictionary_view& create_dictionary_window() override {
        view.attach(&surface);
        view.initialise();
        return view;
    }
    void show_dictionary_window() override {}
    still_surface surface;
    dictionary_view view;
};

void dictionary_page_open(benchmark::State& state) {
    bench_world& w = world();
    bench_host host(*w.lex, w.fonts, w.ui);
    w.lookup->set_dictionary_host(&host);
    with_context(
        [&](platform::device_context& dc) {
            w.text->paint(dc, {page_width, page_height});
            const std::size_t words = w.text->word_keys().size();
            std::vector<wide_string> lemmas;
            for (std::size_t k = 0; k < words && lemmas.size() < 50; k += 3) {
                const auto groups =
                    w.text->analyses_for_word(w.lex->analysis_of(w.text->word_keys()[k]));
                if (groups[1] != u"?")
                    lemmas.push_back(groups[1]);
            }
            if (lemmas.empty()) {
                state.SkipWithError("no lemma on the page");
                return;
            }
            std::size_t i = 0;
            for (auto _ : state) {
                w.lookup->open_dictionary_at(lemmas[i++ % lemmas.size()]);
                host.view.paint(dc);
                benchmark::DoNotOptimize(host.view.scroll_pos);
            }
        },
        dictionary_width, dictionary_height);
    w.lookup->set_dictionary_host(nullptr);
}
BENCHMARK(dictionary_page_open)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace veso

BENCHMARK_MAIN();
