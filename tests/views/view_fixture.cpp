#include "view_fixture.h"

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

namespace veso::testing {

lexicon_folder::lexicon_folder() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("veso-views-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(root_ / "data");
}

lexicon_folder::~lexicon_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void lexicon_folder::write(const char* name, const std::vector<lexicon_record>& records,
                           char separator, char terminator) {
    std::ofstream out(data() / name, std::ios::binary);
    for (const lexicon_record& record : records) {
        out << record.key << separator << record.value;
        out.put(terminator);
    }
}

void lexicon_folder::write_morphology(const std::vector<lexicon_record>& records) {
    write("m.dat", records, '\x02', '\x01');
}

void lexicon_folder::write_dictionary(const std::vector<lexicon_record>& records) {
    write("d.dat", records, '\x01', '\x00');
}

void lexicon_folder::write_frequencies(const std::vector<lexicon_record>& records) {
    write("o.dat", records, '\x02', '\x01');
}

void wait_for(const lexicon& lex) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!lex.loading_finished() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(lex.loading_finished());
}

platform::colour_ref colour_for(ColourCategory category) {
    return platform::make_colour(static_cast<std::uint8_t>(1 + static_cast<int>(category)), 7, 9);
}

ColourTable distinct_colours() {
    ColourTable table;
    for (std::size_t i = 0; i < colour_category_count; ++i) {
        const auto category = static_cast<ColourCategory>(i);
        table.set_colour(category, colour_for(category));
    }
    return table;
}

void views_fixture::start(const std::vector<lexicon_record>& morphology,
                          const std::vector<lexicon_record>& dictionary,
                          const std::vector<lexicon_record>& frequencies) {
    folder.write_morphology(morphology);
    folder.write_dictionary(dictionary);
    folder.write_frequencies(frequencies);
    lex = std::make_unique<lexicon>(folder.data());
    wait_for(*lex);
    document = std::make_unique<mydoc>(ui, lex.get(), folder.root());
    text = std::make_unique<textview>(*document, *lex, colours, fonts);
    lookup = std::make_unique<lookupview>(*document, *lex, *text, fonts);
    text->set_lookup_view(lookup.get());
}

void views_fixture::load_text(std::u16string_view body) {
    document->text.fill(u'\0');
    std::copy(body.begin(), body.end(), document->text.begin());
    document->text_length = static_cast<std::int32_t>(body.size()) + 200;
    document->section_end = document->text_length;
    document->page_start = 0;
    document->loading = false;
    text->restart_layout(false);
}

void views_fixture::paint_text(int width, int height) {
    dc.clear_records();
    text->paint(dc, {width, height});
}

void views_fixture::paint_lookup(int width, int height) {
    dc.clear_records();
    lookup->paint(dc, {width, height});
}

std::vector<std::u16string> views_fixture::painted() const {
    std::vector<std::u16string> result;
    for (const auto& t : dc.texts())
        result.push_back(t.text);
    return result;
}

} // namespace veso::testing
