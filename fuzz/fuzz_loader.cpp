#include "fuzz_entry.h"
#include "lexicon/lexicon.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// The first byte picks one of the six files; the rest is its content. The lexicon loads it and
// answers a few look-ups about what it found.
VESO_FUZZ_TARGET(fuzz_loader) {
    static const std::array<const char*, 6> files = {"m.dat",   "m_a.dat", "d.dat",
                                                     "d_b.dat", "d_a.dat", "o.dat"};
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("veso-fuzz-loader-" + std::to_string(getpid()));
    if (size == 0) {
        return 0;
    }
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / files[data[0] % files.size()], std::ios::binary);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    veso::lexicon lex(folder);
    lex.wait_until_loaded();
    // Keys made of the input's own bytes, so that look-ups meet real entries now and then.
    veso::wide_string probe(data + 1, data + std::min<std::size_t>(size, 12));
    lex.analyse_word(probe, true);
    lex.analysis_of(probe);
    lex.morphology_neighbours(probe);
    lex.short_definition_of(probe);
    lex.definition_of(probe);
    lex.dictionary_neighbours(probe);
    lex.frequency_field(probe, 1 + data[0] % 32);
    lex.open_dictionary_page(probe);
    lex.next_dictionary_page();
    lex.previous_dictionary_page();
    return 0;
}
