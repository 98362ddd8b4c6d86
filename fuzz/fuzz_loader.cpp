#include "fuzz_entry.h"
#include "lexicon/alphabetical_index.h"
#include "lexicon/lexicon.h"
#include "lexicon/lexicon_file.h"
#include "lexicon/neighbour_walk.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::array<const char*, 6> files = {"m.dat",   "m_a.dat", "d.dat",
                                          "d_b.dat", "d_a.dat", "o.dat"};
const std::array<const veso::lexicon_file_format*, 6> formats = {
    &veso::morphology_format,      &veso::morphology_format, &veso::dictionary_format,
    &veso::wide_dictionary_format, &veso::dictionary_format, &veso::frequency_format};

// The whole program path: the file on disk, the loader thread, the look-ups.
void load_as_file(std::size_t file, const std::uint8_t* content, std::size_t size,
                  const veso::wide_string& probe) {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("veso-fuzz-loader-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / files[file], std::ios::binary);
        out.write(reinterpret_cast<const char*>(content), static_cast<std::streamsize>(size));
    }
    veso::lexicon lex(folder);
    lex.wait_until_loaded();
    lex.analyse_word(probe, true);
    lex.analysis_of(probe);
    lex.morphology_neighbours(probe);
    lex.short_definition_of(probe);
    lex.definition_of(probe);
    lex.dictionary_neighbours(probe);
    lex.frequency_field(probe, 1 + probe.size() % 45);
    lex.open_dictionary_page(probe);
    lex.next_dictionary_page();
    lex.previous_dictionary_page();
}

} // namespace

// The first byte picks one of the six files; the rest is its content. Most inputs go through the
// file reader and the tables directly; one in sixteen also through a whole lexicon.
VESO_FUZZ_TARGET(fuzz_loader) {
    if (size == 0) {
        return 0;
    }
    const std::size_t file = data[0] % files.size();
    const std::uint8_t* content = data + 1;
    const std::size_t length = size - 1;
    // Keys made of the input's own bytes, so that look-ups meet real entries now and then.
    veso::wide_string probe(content, content + std::min<std::size_t>(length, 12));

    std::atomic<bool> cancel{false};
    veso::table_builder builder;
    veso::read_lexicon_bytes(content, length, *formats[file], cancel, builder);
    auto table = builder.finish();
    auto merged = veso::sorted_table::merge(*table, *table);
    if (merged->size() != table->size()) {
        std::abort();
    }
    for (std::size_t i = 1; i < table->size(); ++i) {
        if (!((*table)[i - 1].key < (*table)[i].key)) {
            std::abort();
        }
    }
    veso::neighbour_walk(*table, probe, 1, false);
    veso::alphabetical_index index(table);
    index.position_of_headword(probe);
    veso::neighbour_walk(index.entries(), veso::lexicon::alphabetical_sort_key(probe), 1, true);

    if ((data[0] / files.size()) % 16 == 0) {
        load_as_file(file, content, length, probe);
    }
    return 0;
}
